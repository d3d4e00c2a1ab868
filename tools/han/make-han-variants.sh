#!/usr/bin/env bash
# Writes src/store/HanVariantsTable.inc: every traditional character that OpenCC's character table
# (Debian package libopencc-data, TSCharacters) turns into one simplified character, with that
# character. Needs the packages opencc (opencc_dict) and libopencc-data.
set -euo pipefail
cd "$(dirname "$0")/../.."
tmp=$(mktemp)
trap 'rm -f "$tmp"' EXIT
opencc_dict -i /usr/share/opencc/TSCharacters.ocd2 -o "$tmp" -f ocd2 -t text
python3 tools/han/make-han-variants.py "$tmp" > src/store/HanVariantsTable.inc
