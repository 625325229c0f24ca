#!/usr/bin/env bash
# Installs the built package on a minimal Debian 12 that never saw jlex, with
# apt-get, so its declared dependencies are all it gets (recommendations are
# left out: the package must work without them), and runs every program there:
# jlex --version, export, an Install into a temporary store, and each windowed
# program until its main window is up on a virtual screen.
#   install_in_chroot.sh PACKAGE_DIR HOST_JLEX WINDOW_PROGRAM...
# The clean system is made once with debootstrap and kept, with the packages
# apt fetched, in /var/cache/jlex-tests; each run works on an overlay of it
# that is thrown away afterwards, so no run sees another's changes.
set -euo pipefail
package_dir=$(realpath "$1") host_jlex=$(realpath "$2")
shift 2
programs=("$@")
cache=${JLEX_TEST_CACHE:-/var/cache/jlex-tests}
mirror=${JLEX_DEBIAN_MIRROR:-http://deb.debian.org/debian}
security=${JLEX_DEBIAN_SECURITY:-http://deb.debian.org/debian-security}
pristine=$cache/bookworm-minbase
archives=$cache/bookworm-archives
skip() {
    echo "SKIP: $*"
    exit 77
}
step() { echo "== $* ($SECONDS s)"; }

# Outside: check what is needed, make the clean system, then go on in a mount
# namespace of our own, so no mount outlives the test however it ends.
if [ -z "${JLEX_CHROOT_RUN:-}" ]; then
    [ "$(id -u)" -eq 0 ] || skip "making a chroot needs root"
    for tool in debootstrap unshare chroot Xvfb xwininfo wget; do
        command -v $tool >/dev/null || skip "$tool is not installed"
    done
    unshare --mount true 2>/dev/null || skip "no mount namespace can be made here"
    grep -qw overlay /proc/filesystems || modprobe overlay 2>/dev/null ||
        skip "the kernel has no overlay file system"
    wget -q -T 20 -t 1 -O /dev/null "$mirror/dists/bookworm/InRelease" ||
        skip "the Debian archive $mirror cannot be reached"
    mkdir -p "$cache" "$archives"
    exec 9>"$cache/bookworm-minbase.lock"
    flock 9
    if [ ! -d "$pristine" ]; then
        step "making a minimal Debian 12 in $pristine, once"
        rm -rf "$pristine.part"
        if ! debootstrap --variant=minbase bookworm "$pristine.part" "$mirror" >"$cache/debootstrap.log" 2>&1; then
            tail -20 "$cache/debootstrap.log"
            exit 1
        fi
        printf 'deb %s bookworm main\ndeb %s bookworm-updates main\ndeb %s bookworm-security main\n' \
            "$mirror" "$mirror" "$security" >"$pristine.part/etc/apt/sources.list"
        cp /etc/resolv.conf "$pristine.part/etc/resolv.conf"
        unshare --mount --propagation private sh -c \
            'mount -t proc proc "$1/proc" && chroot "$1" apt-get update -qq' _ "$pristine.part"
        mv "$pristine.part" "$pristine" # only a finished system ever has this name
    fi
    exec 9>&-
    run=$(mktemp -d)
    trap 'rm -rf "$run"' EXIT
    status=0
    JLEX_CHROOT_RUN=$run JLEX_CHROOT_SECONDS=$SECONDS unshare --mount --propagation private bash "$0" "$package_dir" "$host_jlex" \
        "${programs[@]}" || status=$?
    exit $status
fi

run=$JLEX_CHROOT_RUN
SECONDS=$JLEX_CHROOT_SECONDS
root=$run/root
# Nothing started here outlives the test, the virtual screen included.
trap 'kill $(jobs -p) 2>/dev/null || true' EXIT
mkdir -p "$run/upper" "$run/work" "$root"
mount -t overlay overlay -o "lowerdir=$pristine,upperdir=$run/upper,workdir=$run/work" "$root"
mount -t proc proc "$root/proc"
mount --rbind /dev "$root/dev"
cp /etc/resolv.conf "$root/etc/resolv.conf"
# Nothing of this machine's environment goes in but what is set here.
in_root() { chroot "$root" env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin HOME=/root LC_ALL=C.UTF-8 "$@"; }
fail() {
    echo "FAILED: $*"
    exit 1
}

step "installing the package with apt-get"
deb=$(cd "$package_dir" && ls jlex_*.deb)
cp "$package_dir/$deb" "$root/tmp/"
cp "$archives"/*.deb "$root/var/cache/apt/archives/" 2>/dev/null || true
in_root apt-get update -qq
in_root env DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends \
    "/tmp/$deb" >"$run/apt.log" 2>&1 || { cat "$run/apt.log"; fail "apt-get could not install $deb"; }
# The next run fetches only what changed.
exec 9>"$cache/bookworm-minbase.lock"
flock 9
rm -f "$archives"/*.deb
cp "$root/var/cache/apt/archives/"*.deb "$archives/" 2>/dev/null || true
exec 9>&-

step "running the command line"
[ "$(in_root jlex --version)" = "$("$host_jlex" --version)" ] || fail "jlex --version differs"
in_root jlex export --ime fcitx5 >"$run/export" || fail "jlex export --ime fcitx5 failed"
"$host_jlex" export --ime fcitx5 | cmp -s - "$run/export" || fail "jlex export --ime fcitx5 gives other bytes"

# Each input method's files as it leaves them, with a phrase of the user's
# own: what the programs work on.
store=/tmp/store
account="$store/drive_c/Documents and Settings/alice/Application Data"
mkdir -p "$root$account/KavroPY.users/00000001" "$root$account/KavroPY" "$root/tmp/data/fcitx5/pinyin" \
    "$root/tmp/home"
for dir in "$account/KavroPY.users/00000001" "$account/KavroPY"; do
    printf 'nihao,1=\xc4\xe3\xba\xc3\r\n' >"$root$dir/phrases.ini" # 你好 in GBK
done
printf 'nihao,1=\xe4\xbd\xa0\xe5\xa5\xbd\n' >"$root/tmp/data/fcitx5/pinyin/customphrase"
user=(USERNAME=alice WINEPREFIX=$store XDG_DATA_HOME=/tmp/data HOME=/tmp/home)
in_root env "${user[@]}" jlex --ime kavro-login install || fail "jlex install failed"
phrases="$root$account/KavroPY.users/00000001/phrases.ini"
"$host_jlex" --ime kavro-login export >"$run/tables"
cmp -s -n "$(stat -c %s "$run/tables")" "$run/tables" "$phrases" || fail "the installed phrase file does not start with the tables"
status=$(in_root env "${user[@]}" jlex --ime kavro-login status) || fail "jlex status failed"
grep -q "^initial-backup	present	" <<<"$status" || fail "no initial backup after install"

# Each windowed program on a virtual screen of this machine: the chroot shares
# the network namespace, so its programs reach the server's abstract socket.
step "starting the windowed programs"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1280x1024x24 3>"$run/display" 2>"$run/xvfb.log" &
xvfb=$!
for _ in $(seq 100); do
    [ -s "$run/display" ] && break
    sleep 0.1
done
export DISPLAY=:$(cat "$run/display")
for program in "${programs[@]}"; do
    in_root env "${user[@]}" DISPLAY="$DISPLAY" "$program" >"$run/$program.log" 2>&1 &
    pid=$!
    window=
    for _ in $(seq 300); do
        # A main window's title ends in 日本語入力(非专业); a message box's does not.
        window=$(xwininfo -root -tree 2>/dev/null |
            sed -n "s/^ *\(0x[0-9a-f]*\) \".*日本語入力(非专业)\": (\"$program\" .*/\1/p") || true
        window=${window%%$'\n'*}
        if [ -n "$window" ] && [[ $(xwininfo -id "$window") == *'Map State: IsViewable'* ]]; then
            break
        fi
        window=
        kill -0 $pid 2>/dev/null || break
        sleep 0.1
    done
    kill $pid 2>/dev/null || true
    wait $pid 2>/dev/null || true
    [ -n "$window" ] || { cat "$run/$program.log"; fail "$program showed no main window"; }
    echo "$program: main window $window is up"
done
kill $xvfb
step "the package installs and every program runs"
