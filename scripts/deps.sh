#!/usr/bin/env bash
# Installs the Debian 12 packages that build, run and test the panel (root, apt only).
set -euo pipefail

PACKAGES=(
    cmake ninja-build g++ pkg-config
    qtbase5-dev qtdeclarative5-dev qtquickcontrols2-5-dev libqt5serialport5-dev
    qttools5-dev qttools5-dev-tools qtdeclarative5-dev-tools
    qml-module-qtquick2 qml-module-qtquick-window2 qml-module-qtquick-layouts
    qml-module-qtquick-controls2 qml-module-qtquick-controls qml-module-qtquick-dialogs
    qml-module-qttest
    xvfb xauth xdotool imagemagick fonts-wqy-microhei jq
    desktop-file-utils appstream dpkg-dev file
    edid-decode
    libmosquitto-dev mosquitto mosquitto-clients openssl
    clang libfuzzer-14-dev libclang-rt-14-dev
)

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
