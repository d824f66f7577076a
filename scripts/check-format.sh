#!/usr/bin/env bash
# Fails when a tracked C++ file differs from what clang-format makes of it
# (.clang-format at the root). Fix with: clang-format -i FILE...
set -euo pipefail
cd "$(dirname "$0")/.."
clang_format=${CLANG_FORMAT:-clang-format}
if git rev-parse --is-inside-work-tree >/dev/null 2>&1; then
    git ls-files -z '*.cpp' '*.h' | xargs -0 "$clang_format" --dry-run --Werror
else
    find Solvane virtual-meter tests tools \( -name '*.cpp' -o -name '*.h' \) -print0 |
        xargs -0 "$clang_format" --dry-run --Werror
fi
