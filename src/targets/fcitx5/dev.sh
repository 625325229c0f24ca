# Sourced by scripts/dev.sh: Fcitx 5 Pinyin, typed into by the tests, and its
# window on a data directory and a session bus of its own, so it never
# touches your real phrases or desktop.
run_folder[fcitx5]=fcitx5
engine_packages+=(fcitx5)

demo_fcitx5() {
    export XDG_DATA_HOME=${JLEX_DATA_HOME:-$PWD/build/dev/demo-data}
    if [ ! -f "$XDG_DATA_HOME/fcitx5/pinyin/customphrase" ]; then
        mkdir -p "$XDG_DATA_HOME/fcitx5/pinyin"
        cp scripts/demo-phrases.txt "$XDG_DATA_HOME/fcitx5/pinyin/customphrase"
        echo "== demo customphrase made in $XDG_DATA_HOME"
    fi
    # A session bus of its own: the reload call never reaches a real desktop's.
    program=(dbus-run-session -- build/dev/app/jlex-$1)
}
