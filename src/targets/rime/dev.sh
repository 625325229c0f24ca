# Sourced by scripts/dev.sh: librime and its pinyin data for the tests,
# fcitx5-rime typed into, and the window on a data directory and a session
# bus of its own.
run_folder[rime]=rime
build_packages+=(librime-dev rime-prelude rime-data-luna-pinyin)
engine_packages+=(fcitx5 fcitx5-rime)

demo_rime() {
    export XDG_DATA_HOME=${JLEX_DATA_HOME:-$PWD/build/dev/demo-data}
    if [ ! -f "$XDG_DATA_HOME/fcitx5/rime/custom_phrase.txt" ]; then
        mkdir -p "$XDG_DATA_HOME/fcitx5/rime"
        sed -n 's/^\([a-z]*\),\([0-9]\)=\(.*\)/\3\t\1\t\2/p' scripts/demo-phrases.txt \
            > "$XDG_DATA_HOME/fcitx5/rime/custom_phrase.txt"
        echo "== demo custom_phrase.txt made in $XDG_DATA_HOME"
    fi
    program=(dbus-run-session -- build/dev/app/jlex-$1)
}
