#!/bin/sh
# Builds boxyard_<version>_<arch>.deb in the build folder with cpack, checks it
# with lintian (no errors), desktop-file-validate and appstreamcli, then plays
# the game unpacked from it (test_unpacked_game.py).
# Usage: check_package.sh BUILD_FOLDER PYTHON
set -eu
build=$1 python=$2
here=$(cd "$(dirname "$0")" && pwd)
cd "$build"
rm -f boxyard_*.deb
cpack -G DEB >cpack.log 2>&1 || { cat cpack.log; exit 1; }
deb=$(ls boxyard_*_"$(dpkg --print-architecture)".deb)
echo "built $deb"

# lintian fails on errors only; every tag it has is shown.
lintian --display-info --tag-display-limit 0 --fail-on error "$deb"
echo "lintian: no errors"

unpacked=$(mktemp -d)
trap 'rm -rf "$unpacked"' EXIT
dpkg-deb -x "$deb" "$unpacked"
desktop-file-validate "$unpacked"/usr/share/applications/*.desktop
echo "desktop-file-validate: passed"
appstreamcli validate --no-net "$unpacked"/usr/share/metainfo/*.metainfo.xml

BOXYARD_DEB="$build/$deb" "$python" "$here/test_unpacked_game.py" -v
