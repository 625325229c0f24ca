#!/usr/bin/env bash
# The two ways in:
#   scripts/dev.sh run [PROGRAM]   install what is missing, build, start jlex-PROGRAM
#                                  (login when none is named) on a demo store of its own
#   scripts/dev.sh test            install what is missing, build, run every test
set -euo pipefail
cd "$(dirname "$0")/.."

build_packages=(build-essential cmake qt6-base-dev libgl-dev qt6-translations-l10n
                fonts-wqy-zenhei fonts-arphic-uming python3 unicode-data
                dbus desktop-file-utils appstream libssl-dev locales
                lintian man-db bash-completion zsh fish debootstrap xvfb x11-utils strace
                pkgconf libfuse3-dev fuse3)

# Input methods the tests type into, without the desktop they would recommend.
engine_packages=()

# Each input method's folder adds what it needs and says how its programs
# start on a demo store (run_folder[PROGRAM]=folder, demo_<folder> PROGRAM).
declare -A run_folder
while read -r folder; do
    # shellcheck source=/dev/null
    source "src/targets/$folder/dev.sh"
done < <(grep -E '^[a-z0-9]' src/targets/targets.txt)

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

case "${1:-}" in
test)
    install_missing "${build_packages[@]}"
    install_missing --no-install-recommends "${engine_packages[@]}"
    build ci
    ctest --preset ci
    ;;
run)
    edition=${2:-login}
    folder=${run_folder[$edition]:-}
    [ -n "$folder" ] ||
        { echo "the program to run is one of: ${!run_folder[*]}" >&2; exit 2; }
    headless=()
    [ -n "${DISPLAY:-}${WAYLAND_DISPLAY:-}" ] || headless=(xvfb xauth)
    install_missing "${build_packages[@]}" "${headless[@]}"
    build dev
    program=()
    "demo_$folder" "$edition"
    if [ ${#headless[@]} -gt 0 ]; then
        echo "== no display here: running ${program[*]} on a virtual screen (xvfb-run); close it with Ctrl+C"
        exec xvfb-run -a "${program[@]}"
    fi
    exec "${program[@]}"
    ;;
*)
    sed -n '2,5p' "$0" | sed 's/^# \{0,1\}//' >&2
    exit 2
    ;;
esac
