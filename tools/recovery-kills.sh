#!/bin/sh
# Kills the built program 200 times (or $1) at random instants while it is typed into, and prints
# each kill and the worst loss of typed text. Run from the build folder:
#   ../tools/recovery-kills.sh [KILLS]
set -e
QJ_RECOVERY_KILLS="${1:-200}" QT_QPA_PLATFORM=offscreen \
    ./tests/e2e/test_e2e_recovery --gtest_filter='RecoveryKill.*' | grep -E '^(kill|worst)|FAILED|PASSED'
