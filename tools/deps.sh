#!/usr/bin/env bash
# Installs the Debian 12 packages that building, running and testing Quillon need.
# Only what is missing is installed; root is needed for that (sudo is used when present).
set -euo pipefail

BUILD_PACKAGES=(cmake ninja-build g++ qt6-base-dev qt6-base-dev-tools libgl-dev libgtest-dev libxcb1-dev
    libcanberra-dev fonts-dejavu-core pkg-config)
TEST_PACKAGES=(
    appstream
    clang
    clang-format
    clang-tidy
    cppcheck
    dbus
    dbus-x11
    debootstrap
    desktop-file-utils
    dpkg-dev
    groff-base
    gzip
    icewm
    imagemagick
    kwin-style-breeze
    kwin-x11
    khard
    libclang-rt-14-dev
    libice-dev
    libsm-dev
    lintian
    man-db
    mutter
    openbox
    python3-dateutil
    python3-dbusmock
    python3-icalendar
    python3-vobject
    radicale
    valgrind
    wmctrl
    vdirsyncer
    x11-apps
    x11-utils
    xauth
    xdotool
    xvfb
)

want=("${BUILD_PACKAGES[@]}")
if [ "${1:-}" = "test" ]; then
    want+=("${TEST_PACKAGES[@]}")
fi

missing=()
for p in "${want[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
[ ${#missing[@]} -eq 0 ] && exit 0

SUDO=()
[ "$(id -u)" -ne 0 ] && SUDO=(sudo)
export DEBIAN_FRONTEND=noninteractive
"${SUDO[@]}" apt-get update
"${SUDO[@]}" apt-get install -y --no-install-recommends "${missing[@]}"
