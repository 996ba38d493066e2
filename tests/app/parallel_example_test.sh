#!/usr/bin/env bash
# The GNU parallel example of the README, run here with 4 parts: the merged
# counts must equal the counts of the same seeded run played whole, byte for
# byte. Arguments: the orvix binary, the example script.
set -euo pipefail
orvix=$1 script=$2
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
# 30000 deals make 8 blocks, the last one short: every part gets two.
printf 'seed 2718\nhands 30000\ngo\ncounts\n' | "$orvix" /q | sed -n '/^HAND  *DIST/,$p' > "$work/whole.txt"
"$script" "$orvix" 2718 30000 4 "$work/parts" | sed -n '/^HAND  *DIST/,$p' > "$work/merged.txt"
test "$(wc -l < "$work/whole.txt")" -eq 24 || { echo "no counts table from the whole run"; exit 1; }
for part in 1 2 3 4; do test -s "$work/parts/part$part.json" || { echo "part $part not saved"; exit 1; }; done
cmp "$work/whole.txt" "$work/merged.txt"
