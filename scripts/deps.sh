#!/usr/bin/env bash
# Installs the missing Debian 12 packages (root, apt only).
#   scripts/deps.sh          what building and running the panel needs (scripts/run.sh)
#   scripts/deps.sh --test   that, and the tools of the test suite and the fuzz build
set -euo pipefail

PACKAGES=(
    # building
    cmake ninja-build g++ pkg-config
    qtbase5-dev qtdeclarative5-dev qtquickcontrols2-5-dev libqt5serialport5-dev
    qttools5-dev qttools5-dev-tools qtdeclarative5-dev-tools
    libmosquitto-dev
    # running: the QML modules, the Chinese font, a virtual display when there is no
    # DISPLAY (xvfb-run) and jq, with which scripts/run.sh edits setting.data
    qml-module-qtquick2 qml-module-qtquick-window2 qml-module-qtquick-layouts
    qml-module-qtquick-controls2 qml-module-qtquick-controls qml-module-qtquick-dialogs
    xvfb xauth fonts-wqy-microhei jq
)
TEST_PACKAGES=(
    qml-module-qttest
    xdotool imagemagick
    desktop-file-utils appstream dpkg-dev file lintian
    edid-decode
    mosquitto mosquitto-clients openssl
    clang libfuzzer-14-dev libclang-rt-14-dev
)

case "${1:-}" in
    "") ;;
    --test) PACKAGES+=("${TEST_PACKAGES[@]}") ;;
    *) echo "usage: scripts/deps.sh [--test]"; exit 2 ;;
esac

missing=()
for p in "${PACKAGES[@]}"; do
    dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q "install ok installed" || missing+=("$p")
done
if [ ${#missing[@]} -eq 0 ]; then
    exit 0
fi
echo "Installing: ${missing[*]}"
SUDO=""
[ "$(id -u)" -eq 0 ] || SUDO="sudo"
export DEBIAN_FRONTEND=noninteractive
$SUDO apt-get update -qq
$SUDO apt-get install -y -qq --no-install-recommends "${missing[@]}" >/dev/null
