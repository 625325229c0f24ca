# Sourced by scripts/dev.sh: the Kavro IME's two windows, on a Wine prefix of
# their own under the build tree, holding the IME's directories and a few
# phrases of a user's own; made once, so its state carries over.
run_folder[login]=kavro
run_folder[public]=kavro

demo_kavro() {
    export USERNAME=${USERNAME:-${USER:-demo}}
    export WINEPREFIX=${JLEX_WINEPREFIX:-$PWD/build/dev/demo-prefix}
    local base="$WINEPREFIX/drive_c/Documents and Settings/$USERNAME/Application Data"
    if [ ! -d "$base" ]; then
        mkdir -p "$base/KavroPY.users/00000001" "$base/KavroPY"
        for dir in "$base/KavroPY.users/00000001" "$base/KavroPY"; do
            sed 's/$/\r/' scripts/demo-phrases.txt | iconv -f UTF-8 -t GBK > "$dir/phrases.ini"
        done
        echo "== demo store made in $WINEPREFIX"
    fi
    program=(build/dev/app/jlex-$1)
}
