#!/usr/bin/env bash
# The .deb on a clean Debian 12: a minimal bookworm made by debootstrap, the package installed
# there by apt (which must find every dependency itself), then the program started from it in
# a fresh folder on a private X server. It must map its window, save an empty book when asked
# to end (SIGTERM) and list that book afterwards.
# Usage: tools/deb_check.sh [build folder]. Needs root, debootstrap and a Debian mirror.
set -euo pipefail
# A mount namespace of its own, so the chroot's mounts never outlive the check.
if [ -z "${QUILLON_DEB_CHECK_NS:-}" ]; then
    exec unshare --mount --propagation private env QUILLON_DEB_CHECK_NS=1 bash "$0" "$@"
fi
src=$(cd "$(dirname "$0")/.." && pwd)
build=$(realpath -m "${1:-$src/build}")
mirror=${QUILLON_DEBIAN_MIRROR:-$(sed -n 's/^URIs: *//p' /etc/apt/sources.list.d/debian.sources 2>/dev/null | head -n 1)}
mirror=${mirror:-http://deb.debian.org/debian}

work=$(mktemp -d)
root=$work/root
mounted=()
xvfb=""
cleanup() {
    [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null
    for ((i = ${#mounted[@]} - 1; i >= 0; i--)); do umount -l "${mounted[i]}" 2>/dev/null || true; done
    # Never delete through a mount that is still there.
    if grep -qF " $root/" /proc/self/mounts; then
        echo "left $work in place: still mounted" >&2
    else
        rm -rf --one-file-system "$work"
    fi
}
trap cleanup EXIT

cpack --config "$build/CPackConfig.cmake" -G DEB -B "$work/deb" >"$work/cpack.log" 2>&1 || { cat "$work/cpack.log"; exit 1; }
deb=$(ls "$work"/deb/quillon_*.deb)

echo "debootstrap bookworm from $mirror"
debootstrap --variant=minbase bookworm "$root" "$mirror" >"$work/debootstrap.log" 2>&1 ||
    { tail -n 20 "$work/debootstrap.log"; exit 1; }
# The X server is reached through its abstract socket, which a chroot shares.
# The same archive as the host's, so the chroot resolves the same versions.
[ -f /etc/apt/sources.list.d/debian.sources ] && cp /etc/apt/sources.list.d/debian.sources "$root/etc/apt/sources.list.d/"
mount -t proc proc "$root/proc" && mounted+=("$root/proc")
mount --bind /dev "$root/dev" && mounted+=("$root/dev")
cp "$deb" "$root/tmp/"

echo "apt-get install $(basename "$deb")"
chroot "$root" env DEBIAN_FRONTEND=noninteractive bash -c \
    "apt-get update -qq && apt-get install -y -qq --no-install-recommends /tmp/$(basename "$deb")" \
    >"$work/install.log" 2>&1 || { tail -n 30 "$work/install.log"; exit 1; }

fail=0
check() { if eval "$2"; then echo "ok: $1"; else echo "FAIL: $1"; fail=1; fi; }
inroot() { chroot "$root" env -i PATH=/usr/bin:/bin HOME=/home/user "$@"; }

check "quillon --version" '[ "$(inroot quillon --version)" = "quillon 1.0.0.1" ]'
check "the desktop entry is installed" '[ -f "$root/usr/share/applications/org.example.Quillon.desktop" ]'

Xvfb -displayfd 3 -screen 0 1024x768x24 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
for _ in $(seq 100); do [ -s "$work/display" ] && break; sleep 0.1; done
display=":$(cat "$work/display")"
mkdir -p "$root/home/user/fresh"
# A private runtime folder, as a session's own is: Qt refuses a shared one such as /tmp.
install -d -m 700 "$root/home/user/runtime"
chroot "$root" env -i PATH=/usr/bin:/bin HOME=/home/user DISPLAY="$display" XDG_RUNTIME_DIR=/home/user/runtime \
    bash -c 'cd /home/user/fresh && exec quillon' >"$work/quillon.log" 2>&1 &
pid=$!
mapped=0
for _ in $(seq 150); do
    DISPLAY=$display xwininfo -root -tree 2>/dev/null | grep -q '"Quillon - Untitled"' && { mapped=1; break; }
    sleep 0.1
done
check "the window appears" '[ $mapped = 1 ]'
kill -TERM "$pid" 2>/dev/null || true
status=0
wait "$pid" || status=$?
check "SIGTERM ends it cleanly (status $status)" '[ $status = 0 ]'
check "an empty book is saved" '[ "$(od -An -tx1 "$root/home/user/fresh/date.info" 2>/dev/null | tr -d " ")" = 00000000 ]'
check "the book lists" 'inroot bash -c "cd /home/user/fresh && quillon --list" >/dev/null'
[ $fail = 0 ] || { echo "quillon said:"; cat "$work/quillon.log"; exit 1; }
echo "$(basename "$deb") installs and runs on a clean Debian 12"
