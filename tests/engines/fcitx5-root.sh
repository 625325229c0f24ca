#!/usr/bin/env bash
# Makes, once, a Debian 13 root holding Fcitx 5 and its Pinyin (Debian 12's
# Pinyin predates custom phrases) and prints its path. The root is cached
# outside the source tree, so clean clones share it.
#   fcitx5-root.sh [CACHE]        CACHE defaults to /var/cache/jlex-tests
# Exit status: 0 ready, 77 it cannot be made here (not root, no archive),
# anything else it failed.
set -euo pipefail

cache=${1:-/var/cache/jlex-tests}
mirror=http://deb.debian.org/debian
packages=(fcitx5 fcitx5-chinese-addons dbus)
root=$cache/fcitx5-trixie
# Written last, and naming what the root holds: a root without it, or made for
# another package list, is never used.
stamp="trixie minbase ${packages[*]}"

ready() { [ "$(cat "$root/.jlex-ready" 2>/dev/null)" = "$stamp" ]; }
found() { echo "$root"; exit 0; }

ready && found
[ "$(id -u)" -eq 0 ] || { echo "making the Debian 13 root for Fcitx 5 needs root" >&2; exit 77; }
mkdir -p "$cache"
exec 9>"$cache/fcitx5-trixie.lock"
flock 9 # another test run may be making it right now
ready && found
wget -q -T 20 -t 1 -O /dev/null "$mirror/dists/trixie/Release" ||
    { echo "the Debian archive ($mirror) is not reachable" >&2; exit 77; }

# Whatever is here is the remains of a run that was stopped; its mounts died
# with that run's namespace.
part=$root.part
rm -rf --one-file-system "$part" "$root"
echo "== making $root (a few minutes, once)" >&2
debootstrap --variant=minbase trixie "$part" "$mirror" >&2
# Packages must not start services on this machine.
printf '#!/bin/sh\nexit 101\n' > "$part/usr/sbin/policy-rc.d"
chmod +x "$part/usr/sbin/policy-rc.d"
# Its own mount namespace: /proc goes away with it, however the run ends.
install="apt-get update -q && apt-get install -y -q --no-install-recommends ${packages[*]}"
# shellcheck disable=SC2016
unshare --mount --propagation private -- sh -ec '
    mount -t proc proc "$1/proc"
    DEBIAN_FRONTEND=noninteractive chroot "$1" sh -ec "$2 && apt-get clean"
' sh "$part" "$install" >&2
echo "$stamp" > "$part/.jlex-ready"
mv -T "$part" "$root"
found
