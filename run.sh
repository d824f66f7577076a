#!/usr/bin/env bash
# Sets up everything on a Debian 12 machine and starts Solvane from its run
# directory (build/run), the working directory that holds what it reads.
set -euo pipefail
cd "$(dirname "$0")"

headless() {
    echo "Solvane is a desktop application and no display was found." >&2
    echo "On a machine without a screen, run it on a virtual display:" >&2
    echo "    xvfb-run -a ./run.sh" >&2
    exit 2
}

if [ -z "${QT_QPA_PLATFORM:-}" ] && [ -z "${DISPLAY:-}" ] && [ -z "${WAYLAND_DISPLAY:-}" ]; then
    headless
fi
scripts/setup.sh build
if [ -z "${QT_QPA_PLATFORM:-}" ] && [ -n "${DISPLAY:-}" ] && ! xdpyinfo >/dev/null 2>&1; then
    echo "The display $DISPLAY cannot be reached." >&2
    headless
fi
cd build/run
exec ../bin/solvane "$@"
