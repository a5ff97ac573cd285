#!/usr/bin/env bash
# Builds the Debian package from a build directory and checks what it installs; when
# lintian is installed, the package must pass it without an error or a warning.
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
    ./usr/share/icons/hicolor/48x48/apps/$id.png ./usr/share/icons/hicolor/256x256/apps/$id.png \
    ./usr/share/doc/tessaro/copyright ./usr/share/doc/tessaro/changelog.gz \
    ./usr/lib/systemd/system/tessaro-headless.service ./etc/default/tessaro-headless; do
    grep -qx -- "$path" <<<"$listing" || { echo "package lacks $path"; status=1; }
done
# Every program has its manual page.
for program in $(grep '^\./usr/bin/.' <<<"$listing"); do
    page=./usr/share/man/man1/$(basename "$program").1.gz
    grep -qx -- "$page" <<<"$listing" || { echo "package lacks $page"; status=1; }
done
# The service's arguments survive upgrades.
dpkg-deb --ctrl-tarfile "$deb" | tar -xO ./conffiles 2>/dev/null | grep -qx /etc/default/tessaro-headless ||
    { echo "/etc/default/tessaro-headless is not a conffile"; status=1; }
depends=$(dpkg-deb -f "$deb" Depends)
for dep in libqt5core5a libqt5gui5 libqt5qml5 libqt5serialport5 libqt5network5 \
    qml-module-qtquick2 qml-module-qtquick-controls2 qml-module-qtquick-window2; do
    grep -q -- "$dep" <<<"$depends" || { echo "package does not depend on $dep"; status=1; }
done
# The changelog's latest entry is this version.
version=$(dpkg-deb -f "$deb" Version)
latest=$(dpkg-deb --fsys-tarfile "$deb" | tar -xO ./usr/share/doc/tessaro/changelog.gz | gzip -dc | sed -n 1p)
[[ "$latest" == "tessaro ($version) "* ]] || { echo "dist/changelog does not start with $version: $latest"; status=1; }

if command -v lintian >/dev/null 2>&1; then
    # Errors and warnings fail; informational and pedantic tags do not.
    lint=0
    report=$(lintian --fail-on error,warning "$deb" 2>&1) || lint=$?
    if [ "$lint" -ne 0 ]; then
        echo "lintian (status $lint):"
        grep -v "running with root privileges" <<<"$report" || true
        status=1
    fi
else
    echo "lintian not installed: not run"
fi
[ "$status" -eq 0 ] && echo "package ok: $(basename "$deb")"
exit $status
