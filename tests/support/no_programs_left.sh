#!/bin/sh
# The suite's last check: no program the tests started from this build (BUILD_DIR/bin) or from a
# package test's scratch root (/tmp/qj-package.*) is still running. Lists those that are and fails.
#   no_programs_left.sh BUILD_DIR
bin=$(cd "$1/bin" 2>/dev/null && pwd -P) || bin=$1/bin
left=
for exe in /proc/[0-9]*/exe; do
    target=$(readlink "$exe" 2>/dev/null) || continue
    case $target in
    "$bin"/* | /tmp/qj-package.*)
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
