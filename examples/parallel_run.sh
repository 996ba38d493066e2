#!/usr/bin/env bash
# One seeded run spread over PARTS jobs with GNU parallel, then merged.
#
#   examples/parallel_run.sh ORVIX SEED HANDS PARTS OUTDIR [parallel options]
#
# Every job plays part i of PARTS of the same run (same seed, same "hands")
# and saves its counters as OUTDIR/part<i>.json; one orvix then loads all the
# parts and prints the merged counts, which equal the whole run's exactly.
# Extra options go to parallel, e.g. "--sshlogin host1,host2" to run the jobs
# over ssh (orvix must then be at the same path on every host, and OUTDIR on a
# shared file system, or add --return/--transferfile).
set -euo pipefail
if [ $# -lt 5 ]; then
  echo "usage: $0 ORVIX SEED HANDS PARTS OUTDIR [parallel options]" >&2
  echo "  e.g. $0 build/orvix 2718 20000000 4 out" >&2
  exit 2
fi
orvix=$1 seed=$2 hands=$3 parts=$4 out=$5
shift 5
mkdir -p "$out"

# {} is the part number parallel hands each job.
seq 1 "$parts" | parallel --will-cite "$@" \
  "printf 'seed $seed\nhands $hands\nshard {} $parts\ngo\nsave $out/part{}.json\n' | $orvix /q > $out/part{}.log"

# Merge: load every part, then print and save the combined counters.
{
  for part in $(seq 1 "$parts"); do echo "load $out/part$part.json"; done
  echo "counts"
  echo "save $out/merged.json"
} | "$orvix" /q
