#!/usr/bin/env bash
# Builds the Debian package from a build directory and checks what it installs.
#   check_package.sh BUILD_DIR DESKTOP_FILE METAINFO_FILE
set -euo pipefail
build=$1 desktop=$2 metainfo=$3
id=local.tessaro.Tessaro

desktop-file-validate "$desktop"
appstreamcli validate --no-net "$metainfo" >/dev/null

out=$(mktemp -d)
trap 'rm -rf "$out"' EXIT
(cd "$build" && cpack -G DEB -B "$out" >"$out/cpack.log" 2>&1) || { cat "$out/cpack.log"; exit 1; }
deb=$(ls "$out"/tessaro_*.deb)
listing=$(dpkg-deb -c "$deb" | awk '{print $6}')
status=0
for path in ./usr/bin/tessaro ./usr/bin/tessaro-sim ./usr/bin/tessaro-edid ./usr/bin/tessaro-ctl \
    ./usr/share/applications/$id.desktop ./usr/share/metainfo/$id.metainfo.xml \
    ./usr/share/icons/hicolor/scalable/apps/$id.svg \
    ./usr/share/icons/hicolor/48x48/apps/$id.png ./usr/share/icons/hicolor/256x256/apps/$id.png; do
    grep -qx -- "$path" <<<"$listing" || { echo "package lacks $path"; status=1; }
done
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt5core5a libqt5gui5 libqt5qml5 libqt5serialport5 libqt5network5 \
    qml-module-qtquick2 qml-module-qtquick-controls2 qml-module-qtquick-window2; do
    grep -q -- "$dep" <<<"$depends" || { echo "package does not depend on $dep"; status=1; }
done
[ "$status" -eq 0 ] && echo "package ok: $(basename "$deb")"
exit $status
