#!/usr/bin/env bash
# Makes the Debian package of Quillon in build/package/ and checks it:
# lintian on the package, desktop-file-validate and appstreamcli on the files
# it installs. The release tree for it is build/debian, installed under /usr.
set -euo pipefail
here="$(cd "$(dirname "${BASH_SOURCE[0]}")/.." && pwd)"
"$here/scripts/ensure-packages.sh"
"$here/scripts/ensure-packages.sh" --packaging

tree="$here/build/debian"
out="$here/build/package"
cmake -S "$here" -B "$tree" -G Ninja -DCMAKE_BUILD_TYPE=Release -DQUILLON_TESTS=OFF \
    -DCMAKE_INSTALL_PREFIX=/usr >/dev/null
cmake --build "$tree" -j "$(nproc)"

rm -rf "$out"
mkdir -p "$out"
(cd "$tree" && cpack -G DEB -B "$out" >/dev/null)
rm -rf "$out/_CPack_Packages"
deb="$(ls "$out"/quillon_*.deb)"
echo "Package: $deb"

staged="$(mktemp -d)"
trap 'rm -rf "$staged"' EXIT
dpkg-deb -x "$deb" "$staged"
desktop-file-validate "$staged/usr/share/applications/quillon.desktop"
appstreamcli validate --no-net "$staged/usr/share/metainfo/quillon.metainfo.xml"
# Errors fail the package; warnings are shown.
lintian --fail-on error "$deb"
echo "Checked: lintian, desktop-file-validate, appstreamcli"
