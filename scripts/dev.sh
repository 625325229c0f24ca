#!/usr/bin/env bash
# The two ways in:
#   scripts/dev.sh run [login|public|fcitx5|rime]   install what is missing, build, start on the demo store
#   scripts/dev.sh test                            install what is missing, build, run every test
set -euo pipefail
cd "$(dirname "$0")/.."

build_packages=(build-essential cmake qt6-base-dev libgl-dev qt6-translations-l10n
                fonts-wqy-zenhei fonts-arphic-uming python3 unicode-data
                dbus desktop-file-utils appstream libssl-dev locales
                lintian man-db bash-completion zsh fish debootstrap xvfb x11-utils
                librime-dev rime-prelude rime-data-luna-pinyin strace)

# Input methods the tests type into, without the desktop they would recommend.
engine_packages=(fcitx5 fcitx5-rime)

install_missing() {
    local options=()
    if [ "$1" = --no-install-recommends ]; then options=("$1"); shift; fi
    local missing=() p
    for p in "$@"; do
        dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed' || missing+=("$p")
    done
    [ ${#missing[@]} -eq 0 ] && return 0
    local sudo=()
    [ "$(id -u)" -eq 0 ] || sudo=(sudo)
    echo "== installing: ${missing[*]}"
    "${sudo[@]}" apt-get update -qq
    DEBIAN_FRONTEND=noninteractive "${sudo[@]}" apt-get install -y -qq "${options[@]}" "${missing[@]}" >/dev/null
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

# A data directory of its own under the build tree for Fcitx 5 and Rime, with
# a few phrases of a user's own in Pinyin's and Rime's custom-phrase files.
demo_data() {
    local data=$1
    if [ ! -f "$data/fcitx5/pinyin/customphrase" ]; then
        mkdir -p "$data/fcitx5/pinyin" "$data/fcitx5/rime"
        cp scripts/demo-phrases.txt "$data/fcitx5/pinyin/customphrase"
        sed -n 's/^\([a-z]*\),\([0-9]\)=\(.*\)/\3\t\1\t\2/p' scripts/demo-phrases.txt \
            > "$data/fcitx5/rime/custom_phrase.txt"
        echo "== demo data directory made in $data"
    fi
}

case "${1:-}" in
test)
    install_missing "${build_packages[@]}"
    install_missing --no-install-recommends "${engine_packages[@]}"
    build ci
    ctest --preset ci
    ;;
run)
    edition=${2:-login}
    [[ $edition == login || $edition == public || $edition == fcitx5 || $edition == rime ]] ||
        { echo "the program to run is login, public, fcitx5 or rime" >&2; exit 2; }
    headless=()
    [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || headless=(xvfb xauth)
    install_missing "${build_packages[@]}" "${headless[@]}"
    build dev
    program=(build/dev/app/jlex-$edition)
    if [ "$edition" = fcitx5 ] || [ "$edition" = rime ]; then
        export XDG_DATA_HOME=${JLEX_DATA_HOME:-$PWD/build/dev/demo-data}
        demo_data "$XDG_DATA_HOME"
        # A session bus of its own: the reload call never reaches a real desktop's.
        program=(dbus-run-session -- "${program[@]}")
    else
        export USERNAME=${USERNAME:-${USER:-demo}}
        export WINEPREFIX=${JLEX_WINEPREFIX:-$PWD/build/dev/demo-prefix}
        demo_store "$WINEPREFIX" "$USERNAME"
    fi
    if [ ${#headless[@]} -gt 0 ]; then
        echo "== no display here: running ${program[*]} on a virtual screen (xvfb-run); close it with Ctrl+C"
        exec xvfb-run -a "${program[@]}"
    fi
    exec "${program[@]}"
    ;;
*)
    sed -n '2,4p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
    ;;
esac
