#!/usr/bin/env bash
# Runs every fuzz target on a copy of its seed corpus, two at a time.
#   tests/fuzz/run_all.sh <folder of the fuzz targets> <seconds> [work folder]
# Exits non-zero when any target found a crash, a sanitizer report, a
# timeout or a leak; the inputs are left as crash-*, timeout-*, leak-* files
# in the work folder.
set -uo pipefail
if [ $# -lt 2 ]; then
  echo "usage: $0 FUZZ_TARGET_FOLDER SECONDS [WORK_FOLDER]" >&2
  exit 2
fi
here="$(cd "$(dirname "$0")" && pwd)"
bin="$1"
seconds="$2"
work="${3:-$(mktemp -d)}"
mkdir -p "$work"
work="$(cd "$work" && pwd)"

# target:max_len
targets="switches:512 session:4096 card_list:2048 save:16384 hand_lines:4096 evaluate:64"

run_one() {
  local name="${1%%:*}" max_len="${1##*:}"
  rm -rf "$work/$name"
  mkdir -p "$work/$name/corpus"
  cp "$here/corpus/$name/"* "$work/$name/corpus/"
  "$bin/fuzz_$name" "$work/$name/corpus" -dict="$here/orvix.dict" \
    -max_total_time="$seconds" -timeout=10 -rss_limit_mb=2048 -max_len="$max_len" \
    -print_final_stats=1 -artifact_prefix="$work/$name/" >"$work/$name/log" 2>&1
  local status=$?
  echo "fuzz_$name: exit $status, $(grep -E '^#[0-9]+.*DONE' "$work/$name/log" | tail -1)"
  return $status
}
export -f run_one
export bin seconds work here

failed=0
set -- $targets
while [ $# -gt 0 ]; do
  run_one "$1" & first=$!
  second=
  if [ $# -gt 1 ]; then run_one "$2" & second=$!; fi
  wait $first || failed=1
  if [ -n "$second" ]; then wait $second || failed=1; fi
  shift; [ $# -gt 0 ] && shift
done
if [ $failed -ne 0 ]; then
  echo "fuzzing found a fault; logs and inputs in $work"
  for log in "$work"/*/log; do
    if grep -qE 'ERROR|fuzz check failed|SUMMARY' "$log"; then echo "== $log"; tail -40 "$log"; fi
  done
fi
exit $failed
