#!/usr/bin/env bash
# Writes src/store/HanReadingsTable.inc: the Mandarin readings of every Han character, without
# tones, from the source tools/han/unihan-mandarin.txt.bz2 (the fields kMandarin, kTGHZ2013,
# kXHC1983 and kHanyuPinyin of Unihan_Readings.txt, Unicode 15.0, as Debian's package unicode-data
# ships it). The modern dictionaries' readings (kMandarin, kTGHZ2013, kXHC1983) are taken; a
# character none of them lists takes kHanyuPinyin's. ü is written both as v and as u.
#   tools/han/make-han-readings.sh --source   refreshes the source extract from unicode-data first
set -euo pipefail
cd "$(dirname "$0")/../.."
source=tools/han/unihan-mandarin.txt.bz2
if [ "${1:-}" = --source ]; then
    bzcat /usr/share/unicode/Unihan_Readings.txt.bz2 |
        grep -E '^U\+[0-9A-F]+	(kMandarin|kTGHZ2013|kXHC1983|kHanyuPinyin)	' | bzip2 -9 > "$source"
fi
bzcat "$source" | python3 tools/han/make-han-readings.py > src/store/HanReadingsTable.inc
