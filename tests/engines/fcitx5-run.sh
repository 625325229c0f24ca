#!/usr/bin/env bash
# Runs a session bus and Fcitx 5 on it, one input method active, until killed;
# everything they keep is under DIR:
#   DIR/bus      the bus socket          DIR/data    XDG_DATA_HOME
#   DIR/config   XDG_CONFIG_HOME         DIR/log     what Fcitx 5 said
#   fcitx5-run.sh pinyin DIR    Debian 13's Fcitx 5 in the root fcitx5-root.sh makes
#   fcitx5-run.sh rime DIR      this machine's Fcitx 5 with its Rime addon
# Both run in namespaces of their own (pid, mount): when this script's process
# dies, however it dies, the kernel ends them and drops the mounts.
# Exit status 77: it cannot run here.
set -euo pipefail

kind=$1 dir=$(realpath "$2")
[ "$(id -u)" -eq 0 ] || { echo "running Fcitx 5 in namespaces of its own needs root" >&2; exit 77; }
case $kind in
pinyin)
    root=$(bash "$(dirname "$0")/fcitx5-root.sh")
    inside=/run/jlex enter=(chroot "$root")
    mkdir -p "$root$inside"
    addons=pinyin,punctuation,quickphrase,spell,pinyinhelper
    ;;
rime)
    if [ ! -e /usr/share/fcitx5/addon/rime.conf ] || [ ! -d /usr/share/rime-data ]; then
        echo "Fcitx 5 with Rime is not installed here (fcitx5-rime rime-data-luna-pinyin)" >&2
        exit 77
    fi
    root='' inside=$dir enter=()
    addons=rime
    ;;
*) echo "the engine is pinyin or rime" >&2; exit 2 ;;
esac

mkdir -p "$dir/data" "$dir/config/fcitx5" "$dir/home" "$dir/runtime" "$dir/tmp"
chmod 700 "$dir/runtime"
cat > "$dir/config/fcitx5/profile" <<PROFILE
[Groups/0]
Name=Default
Default Layout=us
DefaultIM=$kind

[Groups/0/Items/0]
Name=keyboard-us
Layout=

[Groups/0/Items/1]
Name=$kind
Layout=

[GroupOrder]
0=Default
PROFILE
# A new window starts with the input method on, so typing needs no hotkey.
printf '[Behavior]\nActiveByDefault=True\n' > "$dir/config/fcitx5/config"

# Only what typing needs: the D-Bus frontend, the input method and its helpers.
# Rime's own log files go to TMPDIR.
# shellcheck disable=SC2016
exec unshare --mount --propagation private --pid --fork --kill-child -- \
    env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 HOME="$inside/home" \
    XDG_DATA_HOME="$inside/data" XDG_CONFIG_HOME="$inside/config" \
    XDG_RUNTIME_DIR="$inside/runtime" TMPDIR="$inside/tmp" \
    DBUS_SESSION_BUS_ADDRESS="unix:path=$inside/bus" \
    bash -ec '
        root=$1 dir=$2 inside=$3 addons=$4; shift 4
        if [ -n "$root" ]; then
            mount --bind "$dir" "$root$inside"
            mount -t proc proc "$root/proc"
            mount -t tmpfs tmpfs "$root/tmp"
        fi
        "$@" dbus-daemon --session --nofork --nopidfile --address="$DBUS_SESSION_BUS_ADDRESS" &
        bus=$!
        "$@" fcitx5 --keep --disable=all \
            --enable=dbus,dbusfrontend,keyboard,notifications,$addons >"$dir/log" 2>&1 &
        # The bus outlives Fcitx 5, as a desktop session does.
        wait $bus
    ' bash "$root" "$dir" "$inside" "$addons" "${enter[@]}"
