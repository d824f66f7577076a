#!/usr/bin/env bash
# Sets up everything on a Debian 12 machine and runs every test.
#   ./test.sh             the normal build (build/), then the Debian package
#                         built in build-package/ and checked as installed
#                         (scripts/check-package.sh)
#   ./test.sh --sanitize  the same tests built with ASan and UBSan (build-asan/),
#                         then the tests that run threads of ours (the list
#                         threadedTests in tests/CMakeLists.txt) built with
#                         ThreadSanitizer (build-tsan/)
set -euo pipefail
cd "$(dirname "$0")"

if [ "${1:-}" = "--sanitize" ]; then
    scripts/setup.sh build-asan -DSOLVANE_SANITIZE=ON
    ctest --test-dir build-asan --output-on-failure -j"$(nproc)"
    scripts/setup.sh --target threaded_tests build-tsan -DSOLVANE_TSAN=ON
    ctest --test-dir build-tsan --output-on-failure -j"$(nproc)"
else
    scripts/setup.sh build
    ctest --test-dir build --output-on-failure -j"$(nproc)"
    scripts/check-package.sh
fi
