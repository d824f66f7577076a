#!/usr/bin/env bash
# Installs what is missing (Debian 12), then configures and builds Solvane.
#   scripts/setup.sh [--target name] [build-dir] [extra cmake arguments...]
# --target builds that target alone instead of everything.
set -euo pipefail
cd "$(dirname "$0")/.."

packages=(
    build-essential cmake pkg-config
    qtbase5-dev qttools5-dev qttools5-dev-tools libgl-dev
    libqwt-qt5-dev libqt5svg5-dev libqt5opengl5-dev
    fonts-noto-cjk fonts-crosextra-carlito fonts-arphic-uming x11-utils
    qttranslations5-l10n
    xvfb xauth xdotool python3 poppler-utils clang-format
    dpkg-dev file lintian desktop-file-utils appstream man-db
)

missing=()
for p in "${packages[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "Installing missing packages: ${missing[*]}"
    sudo=""
    [ "$(id -u)" -eq 0 ] || sudo="sudo"
    $sudo apt-get update -qq
    DEBIAN_FRONTEND=noninteractive $sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
fi

target=()
if [ "${1:-}" = "--target" ]; then
    target=(--target "$2")
    shift 2
fi
build=${1:-build}
shift || true
# SOLVANE_WERROR=ON (set by CI) turns every compiler warning into an error;
# unset, the build directory keeps what it was configured with, so that
# switching between CI and a local run does not rebuild everything.
cmake -S . -B "$build" -DCMAKE_BUILD_TYPE=RelWithDebInfo \
    ${SOLVANE_WERROR:+-DSOLVANE_WERROR="$SOLVANE_WERROR"} "$@" >/dev/null
cmake --build "$build" -j"$(nproc)" "${target[@]}"
