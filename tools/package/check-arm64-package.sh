#!/usr/bin/env bash
# The arm64 package as a user of an arm64 Debian 12 gets it, checked on this amd64 machine: a
# Debian 12 arm64 root made by debootstrap and run through qemu-user (binfmt_misc), the package
# installed there by apt-get (with its recommends, then in a fresh root without them), and as a
# user who is not root: qingjian-cli's JSON compared byte for byte with this machine's build of
# the same sources, and qingjian started offscreen, which must make that user's data folder and
# fill it.
#   tools/package/check-arm64-package.sh [DEB]
# DEB defaults to build-arm64/qingjian_*_arm64.deb (./dev package --arch arm64). Run as root.
# The root is kept in QJ_ARM64_CACHE (default /var/cache/qingjian-check/bookworm-arm64) with the
# packages it downloads, so that a second run neither debootstraps nor downloads again; every
# install goes to a throwaway overlay over it. Each step prints PASS or FAIL; any FAIL makes the
# exit status non-zero. Not part of the test suite: it downloads from Debian's archive.
set -uo pipefail
source_dir=$(cd "$(dirname "$0")/../.." && pwd)
cache=${QJ_ARM64_CACHE:-/var/cache/qingjian-check/bookworm-arm64}
mirror=${QJ_DEBIAN_MIRROR:-http://deb.debian.org/debian}
native_build=${QJ_BUILD_DIR:-$source_dir/build}
user=qjcheck

failures=0
pass() { echo "PASS  $*"; }
fail() {
    echo "FAIL  $*"
    failures=$((failures + 1))
}
# A failure after which no later step means anything.
give_up() {
    fail "$*"
    echo "check-arm64-package: stopped after a failure that later steps depend on" >&2
    exit 1
}
seconds_since() { echo $(($(date +%s) - $1)); }

[ "$(id -u)" -eq 0 ] || { echo "check-arm64-package: run as root (debootstrap, chroot, mounts)" >&2; exit 2; }

deb=${1:-$(ls -t "$source_dir"/build-arm64/qingjian_*_arm64.deb 2>/dev/null | head -1)}
[ -f "$deb" ] || give_up "package: none given and none in build-arm64/ (./dev package --arch arm64)"
deb=$(realpath "$deb")
arch=$(dpkg-deb -f "$deb" Architecture 2>/dev/null)
[ "$arch" = arm64 ] || give_up "package: $deb is for '$arch', not arm64"
pass "package: $(basename "$deb")"

# --- This machine: what the check needs, and arm64 programs running through qemu.
missing=()
for p in qemu-user-static binfmt-support debootstrap; do
    dpkg-query -W -f='${db:Status-Abbrev}' "$p" 2>/dev/null | grep -q '^ii' || missing+=("$p")
done
if [ ${#missing[@]} -gt 0 ]; then
    echo "check-arm64-package: installing ${missing[*]}" >&2
    apt-get update -qq >&2
    DEBIAN_FRONTEND=noninteractive apt-get install -y -qq --no-install-recommends --no-remove "${missing[@]}" >&2 ||
        give_up "host tools: could not install ${missing[*]}"
fi
binfmt=/proc/sys/fs/binfmt_misc
[ -e $binfmt/status ] || mount -t binfmt_misc binfmt_misc $binfmt 2>/dev/null
grep -qx enabled $binfmt/qemu-aarch64 2>/dev/null || update-binfmts --enable qemu-aarch64 >/dev/null 2>&1
# F: the kernel holds qemu open itself, so it runs inside a root that lacks it.
if grep -qx enabled $binfmt/qemu-aarch64 2>/dev/null && grep -q '^flags: .*F' $binfmt/qemu-aarch64; then
    pass "arm64 programs run here through qemu ($(sed -n 's/^interpreter //p' $binfmt/qemu-aarch64))"
else
    give_up "arm64 programs cannot run here: binfmt_misc has no enabled qemu-aarch64 with the F flag"
fi

# --- The cached arm64 root: made once (root.made), its package lists fetched anew when older
# than a week (root.ok).
root=$cache/root
if [ ! -f "$cache/root.made" ]; then
    rm -rf "$root" "$cache/root.new" "$cache/archives" "$cache/root.ok"
    mkdir -p "$cache"
    start=$(date +%s)
    if debootstrap --arch=arm64 --variant=minbase bookworm "$cache/root.new" "$mirror" >"$cache/debootstrap.log" 2>&1; then
        mv "$cache/root.new" "$root"
        # The suites of an up-to-date Debian 12, and no services started inside the root.
        printf '%s\n' "deb $mirror bookworm main" "deb $mirror bookworm-updates main" \
            "deb ${mirror%/debian}/debian-security bookworm-security main" >"$root/etc/apt/sources.list"
        printf '#!/bin/sh\nexit 101\n' >"$root/usr/sbin/policy-rc.d"
        chmod 755 "$root/usr/sbin/policy-rc.d"
        # The packages the installs download are kept here, outside the throwaway overlays.
        cp -a "$root/var/cache/apt/archives" "$cache/archives"
        touch "$cache/root.made"
        pass "debootstrap: arm64 Debian 12 root made in $(seconds_since "$start") s ($root)"
    else
        tail -20 "$cache/debootstrap.log" >&2
        give_up "debootstrap: see $cache/debootstrap.log"
    fi
else
    pass "debootstrap: arm64 Debian 12 root kept from an earlier run ($root)"
fi

# --- The installs, each in an overlay of its own over the cached root.
work=$(mktemp -d "$cache/run.XXXXXX")
chmod 755 "$work"
mounts=()
pid=
# Ends what this run started inside the root, by process id: the program first, then anything
# still running with the overlay as its root.
stop_inside() {
    local r=$1 p
    if [ -n "$pid" ]; then
        kill "$pid" 2>/dev/null
        for _ in $(seq 1 50); do kill -0 "$pid" 2>/dev/null || break; sleep 0.1; done
        kill -9 "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null
        pid=
    fi
    for p in /proc/[0-9]*; do
        [ "$(readlink "$p/root" 2>/dev/null)" = "$r" ] && kill -9 "${p#/proc/}" 2>/dev/null
    done
}
unmount_all() {
    local i
    for ((i = ${#mounts[@]} - 1; i >= 0; i--)); do
        umount "${mounts[i]}" 2>/dev/null || umount -l "${mounts[i]}" 2>/dev/null
    done
    mounts=()
}
cleanup() {
    [ -d "$work/root" ] && stop_inside "$work/root"
    unmount_all
    rm -rf "$work"
}
trap cleanup EXIT
trap 'exit 130' INT TERM
mount_in() { # mount_in TARGET mount-arguments...
    local target=$1
    shift
    mount "$@" "$target" && mounts+=("$target")
}
in_root() { chroot "$work/root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin LANG=C.UTF-8 "$@"; }
# A command as the user, in a clean environment: the same one this machine's build runs with.
user_env=("HOME=/home/$user" "XDG_RUNTIME_DIR=/run/user/$user" LANG=C.UTF-8 TZ=UTC PATH=/usr/bin:/bin)
as_user() { chroot "$work/root" /usr/bin/setpriv --reuid=$user --regid=$user --clear-groups -- /usr/bin/env -i "${user_env[@]}" "$@"; }

if [ -z "$(find "$cache/root.ok" -mtime -7 2>/dev/null)" ]; then
    mount_in "$root/proc" -t proc proc
    cp /etc/resolv.conf "$root/etc/resolv.conf"
    start=$(date +%s)
    if chroot "$root" /usr/bin/env -i PATH=/usr/sbin:/usr/bin:/sbin:/bin apt-get update -qq >"$cache/update.log" 2>&1; then
        touch "$cache/root.ok"
        pass "apt-get update in the root ($(seconds_since "$start") s)"
    else
        cat "$cache/update.log" >&2
        unmount_all
        give_up "apt-get update in the root"
    fi
    unmount_all
fi

# This machine's qingjian-cli, brought up to date with the sources the package was built from.
start=$(date +%s)
if [ -f "$native_build/build.ninja" ] && cmake --build "$native_build" -j "$(nproc)" --target qingjian-cli >"$work/native-build.log" 2>&1; then
    pass "amd64 qingjian-cli up to date in $native_build ($(seconds_since "$start") s)"
else
    tail -20 "$work/native-build.log" >&2 2>/dev/null
    give_up "amd64 qingjian-cli: no build in $native_build (./dev build), or it failed"
fi
native_cli=$native_build/bin/qingjian-cli

# The calendar and chart commands the JSON is compared on: one day, today's chart, and every day
# of the calendar's range (its solar terms are computed in floating point).
cli_commands=("day 2006-05-01" "chart --upper 1 --lower 8 --moving 3" "days 1901-01-01 2050-12-31")
# A chart's report starts with the moment it was written, to the second, from the clock: that one
# value is blanked in both answers before they are compared (and must be there, once).
reading_time='"断卦时间: [0-9]{4}-[0-9]{2}-[0-9]{2} [0-9]{2}:[0-9]{2}:[0-9]{2}"'
blank_reading_time() { # FILE: exits non-zero unless the file held the moment exactly once
    [ "$(grep -Eo "$reading_time" "$1" | wc -l)" -eq 1 ] || return 1
    sed -Ei "s/$reading_time/\"断卦时间: (blanked)\"/" "$1"
}

check_install() { # check_install LABEL apt-get-options...
    local label=$1
    shift
    local r=$work/root upper=$work/upper-$label lower_work=$work/work-$label
    echo "== $label"
    mkdir -p "$r" "$upper" "$lower_work"
    if ! mount_in "$r" -t overlay overlay -o "lowerdir=$root,upperdir=$upper,workdir=$lower_work"; then
        fail "$label: cannot mount an overlay over the root"
        return
    fi
    mount_in "$r/proc" -t proc proc
    mount_in "$r/dev" --bind /dev
    mount_in "$r/var/cache/apt/archives" --bind "$cache/archives"
    cp /etc/resolv.conf "$r/etc/resolv.conf"
    cp "$deb" "$r/tmp/"
    local start
    start=$(date +%s)
    if in_root DEBIAN_FRONTEND=noninteractive apt-get install -y -q "$@" "/tmp/$(basename "$deb")" >"$work/install-$label.log" 2>&1 &&
        in_root dpkg-query -W -f='${db:Status-Abbrev}' qingjian | grep -q '^ii'; then
        pass "$label: apt-get install $* ./$(basename "$deb") ($(seconds_since "$start") s;" \
            "fonts: $(in_root dpkg-query -W -f='${db:Status-Abbrev} ${binary:Package}\n' 'fonts-*' 2>/dev/null | awk '$1 == "ii" { printf " %s", $2 }'))"
    else
        tail -30 "$work/install-$label.log"
        fail "$label: apt-get install $*"
        stop_inside "$r"
        unmount_all
        return
    fi

    in_root useradd --create-home --shell /bin/sh $user
    in_root install -d -m 700 -o $user -g $user /run/user/$user
    # The same commands on both machines, each compared byte for byte with its exit status.
    local c i=0
    for c in "${cli_commands[@]}"; do
        i=$((i + 1))
        # shellcheck disable=SC2086 # the commands are words
        env -i "${user_env[@]/#HOME=*/HOME=$work}" "$native_cli" $c >"$work/amd64-$i.json" 2>"$work/amd64-$i.err"
        local native_status=$?
        # shellcheck disable=SC2086
        as_user qingjian-cli $c >"$work/arm64-$i.json" 2>"$work/arm64-$i.err"
        local arm_status=$?
        local blanked=
        if [ "${c%% *}" = chart ]; then
            blanked=" (the reading time blanked)"
            blank_reading_time "$work/amd64-$i.json" && blank_reading_time "$work/arm64-$i.json" ||
                blanked=" (NO single reading time found to blank)"
        fi
        if [ $native_status -ne 0 ] || [ $arm_status -ne 0 ] || [ ! -s "$work/amd64-$i.json" ]; then
            fail "$label: qingjian-cli $c: exit status amd64 $native_status, arm64 $arm_status"
            head -c 300 "$work/amd64-$i.err" "$work/arm64-$i.err"
        elif cmp -s "$work/amd64-$i.json" "$work/arm64-$i.json"; then
            pass "$label: qingjian-cli $c: the same $(stat -c %s "$work/arm64-$i.json") bytes as amd64$blanked"
        else
            fail "$label: qingjian-cli $c differs from amd64$blanked: $(cmp "$work/amd64-$i.json" "$work/arm64-$i.json")"
            diff <(tr ',' '\n' <"$work/amd64-$i.json") <(tr ',' '\n' <"$work/arm64-$i.json") | head -10
        fi
    done

    # The program itself, offscreen, until it reports its window shown, then a few seconds more.
    chroot "$r" /usr/bin/setpriv --reuid=$user --regid=$user --clear-groups -- /usr/bin/env -i "${user_env[@]}" \
        QT_QPA_PLATFORM=offscreen QJ_REPORT_SHOWN=1 qingjian >"$work/run-$label.out" 2>"$work/run-$label.err" &
    pid=$!
    start=$(date +%s)
    local shown=
    for _ in $(seq 1 600); do
        grep -qx shown "$work/run-$label.out" 2>/dev/null && { shown=1; break; }
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    if [ -n "$shown" ]; then
        sleep 3
        if kill -0 "$pid" 2>/dev/null; then
            pass "$label: qingjian showed its window after $(seconds_since "$start") s and still runs 3 s later"
        else
            wait "$pid"
            fail "$label: qingjian ended by itself (status $?) after showing its window"
            pid=
        fi
    else
        fail "$label: qingjian did not show its window within 60 s"
        head -20 "$work/run-$label.err"
    fi
    stop_inside "$r"

    local data=/home/$user/.local/share/qingjian uid
    uid=$(in_root id -u $user)
    if [ -s "$r$data/dataly.dat" ] && [ -f "$r$data/Jotterly.ini" ] &&
        [ "$(stat -c '%a %u' "$r$data")" = "700 $uid" ] && [ "$(stat -c %u "$r$data/dataly.dat")" = "$uid" ]; then
        pass "$label: the data folder $data was made, the user's alone, with dataly.dat and Jotterly.ini"
    else
        fail "$label: the data folder $data: $(ls -la "$r$data" 2>&1 | tr '\n' ' ')"
    fi
    local where tree
    where=$(as_user qingjian-cli notes where 2>&1)
    if echo "$where" | grep -q '"mode":"installed"' && echo "$where" | grep -q "\"folder\":\"$data\""; then
        pass "$label: qingjian-cli notes where: $where"
    else
        fail "$label: qingjian-cli notes where: $where"
    fi
    tree=$(as_user qingjian-cli notes tree "$data/dataly.dat" 帮助 2>&1)
    if [ "$tree" = '{"id":0,"parent":null,"name":"帮助","depth":0}' ] &&
        as_user qingjian-cli notes export "$data/dataly.dat" 帮助 0 --txt >"$work/guide-$label.txt" 2>&1 &&
        [ "$(iconv -f GB18030 -t UTF-8 "$work/guide-$label.txt" | tr -d '\r')" = "$(tr -d '\r' <"$r/usr/share/qingjian/readme.txt")" ]; then
        pass "$label: 帮助 holds the guide"
    else
        fail "$label: 帮助 in the new data file: $tree"
    fi
    unmount_all
}

run_start=$(date +%s)
check_install with-recommends
rm -rf "$work/root" "$work"/upper-* "$work"/work-*
check_install without-recommends --no-install-recommends
echo "check-arm64-package: $(seconds_since "$run_start") s for the installs and checks"

if [ $failures -eq 0 ]; then
    echo "check-arm64-package: every step passed"
else
    echo "check-arm64-package: $failures step(s) failed"
    exit 1
fi
