#!/usr/bin/env bash
# The two ways in:
#   scripts/dev.sh run [login|public]   install what is missing, build, start on the demo store
#   scripts/dev.sh test                 install what is missing, build, run every test
set -euo pipefail
cd "$(dirname "$0")/.."

build_packages=(build-essential cmake qt6-base-dev libgl-dev qt6-translations-l10n
                fonts-wqy-zenhei fonts-arphic-uming python3 unicode-data
                dbus desktop-file-utils appstream
                xdotool) # drives the window for screenshots under Xvfb

install_missing() {
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "== installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${missing[@]}" >/dev/null
}

build() {
    cmake --preset "$1" >/dev/null
    cmake --build --preset "$1" -j "$(nproc)"
}

# A Wine prefix of its own under the build tree, holding the IME's directories
# and a few phrases of a user's own; made once, so its state carries over.
demo_store() {
    local prefix=$1 user=$2
    local base="$prefix/drive_c/Documents and Settings/$user/Application Data"
    if [ ! -d "$base" ]; then
        mkdir -p "$base/KavroPY.users/00000001" "$base/KavroPY"
        for dir in "$base/KavroPY.users/00000001" "$base/KavroPY"; do
            sed 's/$/\r/' scripts/demo-phrases.txt | iconv -f UTF-8 -t GBK > "$dir/phrases.ini"
        done
        echo "== demo store made in $prefix"
    fi
}

case "${1:-}" in
test)
    install_missing "${build_packages[@]}"
    build ci
    ctest --preset ci
    ;;
run)
    edition=${2:-login}
    [[ $edition == login || $edition == public ]] || { echo "edition is login or public" >&2; exit 2; }
    headless=()
    [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || headless=(xvfb xauth)
    install_missing "${build_packages[@]}" "${headless[@]}"
    build dev
    export USERNAME=${USERNAME:-${USER:-demo}}
    export WINEPREFIX=${JLEX_WINEPREFIX:-$PWD/build/dev/demo-prefix}
    demo_store "$WINEPREFIX" "$USERNAME"
    program=build/dev/app/jlex-$edition
    if [ ${#headless[@]} -gt 0 ]; then
        echo "== no display here: running $program on a virtual screen (xvfb-run); close it with Ctrl+C"
        exec xvfb-run -a "$program"
    fi
    exec "$program"
    ;;
*)
    sed -n '2,4p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
    ;;
esac
