#!/bin/sh
# The Debian package as users get it, and lintian's view of it.
#   package.sh build BUILD_DIR PACKAGE_DIR   cpack from the build tree, unpacked beside
#   package.sh lintian PACKAGE_DIR           no error and no warning
set -eu
case $1 in
build)
    rm -rf "$3"
    cpack -G DEB --config "$2/CPackConfig.cmake" -B "$3" >"$3.log" 2>&1 || { cat "$3.log"; exit 1; }
    dpkg-deb -x "$3"/jlex_*.deb "$3/root"
    dpkg-deb --info "$3"/jlex_*.deb
    ;;
lintian)
    command -v lintian >/dev/null || { echo "SKIP: lintian is not installed"; exit 77; }
    # Informational tags and overrides are shown too, so what stays is in sight.
    exec lintian --fail-on error,warning --display-info --show-overrides "$2"/jlex_*.deb
    ;;
esac
