#!/bin/sh
# The suite's last check: no program the tests started from this build (BUILD_DIR/bin) or from a
# package test's scratch root in it (BUILD_DIR/package-test.*) is still running. Lists those that
# are and fails. (Other builds' programs are not this suite's.)
#   no_programs_left.sh BUILD_DIR
build=$(cd "$1" && pwd -P) || build=$1
left=
for exe in /proc/[0-9]*/exe; do
    target=$(readlink "$exe" 2>/dev/null) || continue
    case $target in
    "$build"/bin/* | "$build"/package-test.*)
        process=${exe#/proc/}
        left="$left ${process%/exe}:$target"
        ;;
    esac
done
if [ -n "$left" ]; then
    echo "programs started by the tests are still running:$left" >&2
    exit 1
fi
echo "no program of the suite is left running"
