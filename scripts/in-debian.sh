#!/usr/bin/env bash
# Runs a command from this checkout inside a minimal Debian system of another release, made with
# debootstrap from the mirror that this machine's own apt sources name: how the tests and the
# package are checked on a newer Debian than the machine's. Needs root.
#   scripts/in-debian.sh [--copy FILE]... SUITE [COMMAND [ARG...]]
# The system stays in build-debian/SUITE and later runs reuse it. Every run copies the files git
# tracks or would add (and each --copy FILE) afresh to /root/orvena inside, so no build folder
# of the host comes along and the command's own build folder stays inside; the command (default
# ./test.sh) runs there as root, with CI passed on.
set -euo pipefail
cd "$(dirname "$0")/.."

die() {
    echo "in-debian: $*" >&2
    exit 1
}

copies=()
while [ "${1:-}" = --copy ]; do
    [ -f "${2:-}" ] || die "--copy needs a file"
    copies+=("$(realpath "$2")")
    shift 2
done
[ $# -ge 1 ] || die "usage: $0 [--copy FILE]... SUITE [COMMAND [ARG...]]"
suite=$1
shift
[ $# -gt 0 ] || set -- ./test.sh
[[ $suite =~ ^[a-z]+$ ]] || die "not a Debian code name: $suite"
[ "$(id -u)" -eq 0 ] || die "needs root (debootstrap, mount, chroot)"
source scripts/setup.sh
source scripts/host-mirror.sh
ensure_packages debootstrap

# The real path, as findmnt and /proc/PID/root give it, even where the checkout's path has a
# symbolic link in it: the checks before unmounting and removing compare with it.
mkdir -p build-debian
base=$(cd -P build-debian && pwd)
root=$base/$suite
# Written only once debootstrap has succeeded, so a system without it is an interrupted one.
ready=$root/.orvena-ready
src=/root/orvena
# findmnt escapes blanks, and the path is matched against its output.
[[ $root != *[[:space:]]* ]] || die "the checkout's path has blanks in it: $root"

# One run at a time per system: a second one waits rather than mounting over the first.
exec 9>"$base/$suite.lock"
if ! flock -n 9; then
    echo "in-debian: waiting for another run in $root" >&2
    flock 9
fi

# Every mount at or below a folder, deepest first.
mounts_below() {
    findmnt -rn -o TARGET | awk -v dir="$1" '$0 == dir || index($0, dir "/") == 1' | sort -r
}

unmount_all() {
    local target
    for target in $(mounts_below "$root"); do
        umount "$target" 2>/dev/null || umount --lazy "$target"
    done
    [ -z "$(mounts_below "$root")" ]
}

# Never removes a folder with anything mounted below it (the host's /dev or /sys, bound into the
# system); --one-file-system keeps rm out of any mount all the same.
remove_tree() {
    [ -z "$(mounts_below "$1")" ] || die "not removing $1: something is mounted below it"
    rm -rf --one-file-system -- "$1"
}

mount_once() {
    local target=$root$1
    shift
    mountpoint -q "$target" && return 0
    mount "$@" "$target"
    # Mounts made below it later (dev/pts in dev) must not show up on the host's side.
    mount --make-rslave "$target"
}

# Processes whose root is the system (an Xvfb or a test left behind by an interrupted run) keep
# its mounts busy.
kill_inside() {
    local signal link found
    for signal in TERM KILL; do
        found=
        for link in /proc/[0-9]*/root; do
            [ "$(readlink "$link" 2>/dev/null)" = "$root" ] || continue
            link=${link#/proc/}
            kill -"$signal" "${link%/root}" 2>/dev/null && found=1
        done
        [ -n "$found" ] || return 0
        sleep 2
    done
}

# The long steps run in a session of their own, in the background: the traps then run at once
# on Ctrl-C or kill, and end the whole step, however many processes it has started. They do not
# hold the lock, so that what a run killed outright leaves running cannot keep the next one out.
# The step's session is noted in a file, for the next run to end it should this one be killed
# outright (debootstrap itself runs outside the system).
child=
step_file=$base/$suite.step
run_step() {
    setsid --wait "$@" 9>&- &
    child=$!
    echo "$child" >"$step_file"
    local status=0
    wait "$child" || status=$?
    child=
    rm -f "$step_file"
    return "$status"
}

stop_step() {
    [ -n "$child" ] || return 0
    kill -TERM -- "-$child" 2>/dev/null || kill -TERM "$child" 2>/dev/null || true
    local _
    for _ in 1 2 3 4 5 6 7 8 9 10; do
        kill -0 -- "-$child" 2>/dev/null || break
        sleep 1
    done
    kill -KILL -- "-$child" 2>/dev/null || true
    wait "$child" 2>/dev/null || true
    child=
    rm -f "$step_file"
}

cleanup() {
    local status=$?
    # All of it runs, whatever fails on the way and however often Ctrl-C is pressed meanwhile.
    trap - EXIT
    trap '' INT TERM
    set +e
    stop_step
    [ -d "$root" ] && kill_inside
    [ "$status" -lt 128 ] || echo "in-debian: interrupted (status $status)" >&2
    if ! unmount_all; then
        echo "in-debian: still mounted below $root: $(mounts_below "$root" | tr '\n' ' ')" >&2
        status=1
    fi
    exit "$status"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

# Left over by a run that was killed outright: its step, if that still leads its own session,
# what runs inside, and the mounts.
if [ -s "$step_file" ]; then
    child=$(cat "$step_file")
    # The fourth field after the command's name in /proc/PID/stat is the session.
    session=$(sed 's/.*) //' "/proc/$child/stat" 2>/dev/null | cut -d ' ' -f 4) || true
    [ "$session" = "$child" ] || child=
    stop_step
    rm -f "$step_file"
fi
[ -d "$root" ] && kill_inside
unmount_all || die "cannot unmount what is mounted below $root"

if [ ! -e "$ready" ]; then
    if [ -e "$root" ]; then
        echo "in-debian: $root was not finished; making it again" >&2
        remove_tree "$root"
    fi
    mirror=$(host_mirror)
    [ -n "$mirror" ] || die "no Debian mirror in the apt sources of this machine"
    echo "in-debian: making Debian $suite from $mirror" >&2
    start=$SECONDS
    run_step debootstrap --variant=minbase "$suite" "$root" "$mirror" >"$base/$suite.log" 2>&1 ||
        die "debootstrap failed; the end of $base/$suite.log: $(tail -n 5 "$base/$suite.log")"
    # No services start inside when packages are installed.
    printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
    chmod 755 "$root/usr/sbin/policy-rc.d"
    touch "$ready"
    echo "in-debian: Debian $suite made in $((SECONDS - start)) s" >&2
fi

mount_once /proc -t proc proc
mount_once /sys --bind /sys
mount_once /dev --bind /dev
mount_once /dev/pts --bind /dev/pts
mount_once /dev/shm --bind /dev/shm
# A copy, never a link into the host's /etc, so nothing inside can write the host's file.
rm -f "$root/etc/resolv.conf"
cp -L /etc/resolv.conf "$root/etc/resolv.conf"

remove_tree "$root$src"
mkdir -p "$root$src"
git ls-files -z --cached --others --exclude-standard |
    tar --null --files-from=- --ignore-failed-read -cf - | tar -xf - -C "$root$src"
[ ${#copies[@]} -eq 0 ] || cp "${copies[@]}" "$root$src/"

echo "in-debian: running $* in Debian $suite" >&2
start=$SECONDS
status=0
run_step chroot "$root" /usr/bin/env -i HOME=/root LANG=C.UTF-8 TERM="${TERM:-dumb}" \
    PATH=/usr/local/sbin:/usr/local/bin:/usr/sbin:/usr/bin:/sbin:/bin CI="${CI:-}" \
    sh -c 'cd "$0" && exec "$@"' "$src" "$@" || status=$?
echo "in-debian: $1 in Debian $suite took $((SECONDS - start)) s, status $status" >&2
exit "$status"
