#!/bin/sh
# Kills the built program KILLS times (200 unless given) at random instants while it is typed into,
# in SHARDS runs side by side (1 unless given), and prints each kill and the worst loss of typed
# text. Run from the build folder:
#   ../tools/recovery-kills.sh [KILLS] [SHARDS]
kills="${1:-200}"
shards="${2:-1}"
out=$(mktemp -d)
i=0
while [ "$i" -lt "$shards" ]; do
    QJ_RECOVERY_KILLS=$((kills / shards)) QT_QPA_PLATFORM=offscreen \
        ./tests/bin/test_e2e_recovery --gtest_filter='RecoveryKill.*' >"$out/$i" 2>&1 &
    i=$((i + 1))
done
wait
cat "$out"/* | grep -E '^kill|FAILED|Failure' || true
echo "kills: $(cat "$out"/* | grep -c '^kill'), failures: $(cat "$out"/* | grep -c 'Failure')"
echo "worst loss: $(cat "$out"/* | sed -n 's/^kill .* loss \([0-9]*\) ms$/\1/p' | sort -n | tail -1) ms"
rm -rf "$out"
