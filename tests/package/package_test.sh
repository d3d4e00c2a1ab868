#!/bin/sh
# The Debian package as a user gets it: made with CPack from the build, unpacked into a scratch root
# with dpkg -x, checked with the desktop's own validators and lintian, then the installed qingjian
# started offscreen as a user who is not root, with a fresh home. It must make and fill that user's
# data folder (帮助 with the guide), which the installed qingjian-cli then reads. Everything made here
# is removed at the end.
#   package_test.sh BUILD_DIR SOURCE_DIR [hardened|checking]
# A checking build (sanitizers, fuzzing) instruments its code its own way and lacks Debian's
# hardening on purpose: its package is checked for everything else.
set -eu
build=$1
source=$2
build_kind=${3:-hardened}
id=io.github.qingjian.Qingjian

# Inside the build folder: the suite's last check finds anything started from here still running.
scratch=$(mktemp -d "$build/package-test.XXXXXX")
pid=
# Ends the started program by its id: asked first, killed when it lingers past the deadline.
stop_program() {
    [ -n "$pid" ] || return 0
    kill "$pid" 2>/dev/null || true
    for _ in $(seq 1 50); do
        kill -0 "$pid" 2>/dev/null || break
        sleep 0.1
    done
    kill -9 "$pid" 2>/dev/null || true
    wait "$pid" 2>/dev/null || true
    pid=
}
cleanup() {
    stop_program
    rm -rf "$scratch"
}
trap cleanup EXIT INT TERM
chmod 755 "$scratch"
fail() {
    echo "package test: $*" >&2
    exit 1
}

# The package.
cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1 ||
    { cat "$scratch/cpack.log" >&2; fail "cpack failed"; }
deb=$(ls "$scratch"/out/*.deb)
echo "package: $(basename "$deb"), $(stat -c %s "$deb") bytes"
echo "Depends: $(dpkg-deb -f "$deb" Depends)"
dpkg-deb -f "$deb" Depends | grep -q 'libqt6widgets6' || fail "Depends lacks the Qt libraries"
dpkg-deb -f "$deb" Depends | grep -q 'libsqlite3-0' || fail "Depends lacks SQLite"
dpkg-deb -f "$deb" Depends | grep -q 'fonts-wqy-microhei | fonts-noto-cjk' || fail "Depends lacks a Chinese font"

# What it installs.
root=$scratch/root
dpkg -x "$deb" "$root"
for f in usr/bin/qingjian usr/bin/qingjian-cli \
    usr/share/qingjian/dataly.dat usr/share/qingjian/readme.txt usr/share/qingjian/Alerting.wav \
    usr/share/qingjian/holidays.txt \
    usr/share/applications/$id.desktop usr/share/metainfo/$id.metainfo.xml \
    usr/share/icons/hicolor/scalable/apps/$id.svg \
    usr/share/doc/qingjian/copyright usr/share/doc/qingjian/changelog.gz \
    usr/share/man/man1/qingjian.1.gz usr/share/man/man1/qingjian-cli.1.gz; do
    [ -s "$root/$f" ] || fail "the package lacks $f"
done
for size in 16 22 24 32 48 64 128 256; do
    png=$root/usr/share/icons/hicolor/${size}x$size/apps/$id.png
    [ -s "$png" ] || fail "the package lacks the ${size}px icon"
    file "$png" | grep -q "$size x $size" || fail "the ${size}px icon is $(file -b "$png")"
done
[ -x "$root/usr/bin/qingjian" ] || fail "qingjian is not executable"
for program in qingjian qingjian-cli; do
    readelf -S "$root/usr/bin/$program" | grep -Eq '\.comment|\.note ' && fail "$program keeps its .comment section"
    [ "$build_kind" = checking ] ||
        readelf -d "$root/usr/bin/$program" | grep -q 'BIND_NOW' || fail "$program is not bound at start (bindnow)"
done
[ "$build_kind" = checking ] && echo "hardening: not checked (a sanitizer or fuzzing build)"
[ -s "$root/usr/share/doc/qingjian/copyright" ] && head -1 "$root/usr/share/doc/qingjian/copyright" |
    grep -q '^Format: https://www.debian.org/doc/packaging-manuals/copyright-format/1.0/' ||
    fail "the copyright file is not machine-readable"
desktop-file-validate "$root/usr/share/applications/$id.desktop" || fail "desktop-file-validate"
appstreamcli validate --pedantic --no-net "$root/usr/share/metainfo/$id.metainfo.xml" >"$scratch/as.log" 2>&1 ||
    { cat "$scratch/as.log" >&2; fail "appstreamcli validate"; }
if command -v lintian >/dev/null 2>&1; then
    lintian -I --pedantic --fail-on error --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1 ||
        { cat "$scratch/lintian.log" >&2; fail "lintian reports errors"; }
    [ "$build_kind" = checking ] ||
        ! grep -E 'hardening-|binary-has-unneeded-section' "$scratch/lintian.log" >&2 ||
        fail "lintian finds binaries without Debian's hardening"
    echo "lintian:"
    sed 's/^/  /' "$scratch/lintian.log"
else
    echo "lintian: not installed, not run"
fi

# The installed program, started by a user who is not root (root can write anywhere, which would
# hide a program that writes into /usr).
home=$scratch/home
runtime=$scratch/runtime
mkdir -p "$home" "$runtime"
chmod 700 "$runtime"
switch=
if [ "$(id -u)" -eq 0 ]; then
    chown nobody "$home" "$runtime"
    switch="setpriv --reuid=nobody --regid=nogroup --clear-groups --"
fi
# A command as that user, with a clean environment: offscreen, the fresh home, start-up reported.
run_user() {
    $switch env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$runtime" LANG=C.UTF-8 \
        QT_QPA_PLATFORM=offscreen QJ_REPORT_SHOWN=1 "$@"
}
# Started directly, not through the function: $! is then the program itself (setpriv and env run
# it in their own place), not a shell that would be killed in its stead.
$switch env -i PATH=/usr/bin:/bin HOME="$home" XDG_RUNTIME_DIR="$runtime" LANG=C.UTF-8 \
    QT_QPA_PLATFORM=offscreen QJ_REPORT_SHOWN=1 "$root/usr/bin/qingjian" >"$scratch/run.out" 2>"$scratch/run.err" &
pid=$!
shown=
for _ in $(seq 1 300); do
    grep -q '^shown$' "$scratch/run.out" 2>/dev/null && { shown=1; break; }
    kill -0 "$pid" 2>/dev/null || break
    sleep 0.1
done
[ -n "$shown" ] || { cat "$scratch/run.err" >&2; fail "the installed qingjian did not show its window"; }

data=$home/.local/share/qingjian
[ -s "$data/dataly.dat" ] || fail "no data file in $data"
[ -f "$data/Jotterly.ini" ] || fail "no settings file in $data"
cli=$root/usr/bin/qingjian-cli
where=$(run_user "$cli" notes where)
echo "notes where: $where"
echo "$where" | grep -q "\"mode\":\"installed\"" || fail "the CLI does not see the installed mode"
echo "$where" | grep -q "\"folder\":\"$data\"" || fail "the CLI names another data folder"
tree=$(run_user "$cli" notes tree "$data/dataly.dat" 帮助) || fail "notes tree failed"
[ "$tree" = '{"id":0,"parent":null,"name":"帮助","depth":0}' ] || fail "帮助's tree is: $tree"
run_user "$cli" notes export "$data/dataly.dat" 帮助 0 --txt >"$scratch/guide.txt"
# The export writes GBK with CR LF line breaks; the text is the guide's.
[ "$(iconv -f GB18030 -t UTF-8 "$scratch/guide.txt" | tr -d '\r')" = "$(tr -d '\r' <"$source/resources/readme.txt")" ] ||
    fail "帮助's note is not the guide"
# Nothing was written into the installed files.
[ -z "$(find "$root" -newer "$deb" -type f)" ] || fail "the program wrote into the installed files: $(find "$root" -newer "$deb" -type f)"

program=$pid
stop_program
# Nothing the test started outlives it.
[ ! -e "/proc/$program" ] || fail "the installed qingjian (process $program) is still running"
echo "package test: passed"
