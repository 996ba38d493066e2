#!/bin/bash
# One seeded run spread over a Slurm job array: array task i plays part i of
# the run and saves its counters. Submit with
#   sbatch --array=1-16 examples/slurm_run.sh      (from the repository root)
# then merge the parts (after the array has finished) with
#   { for f in results/part*.json; do echo "load $f"; done; echo counts; } | build/orvix /q
#SBATCH --job-name=orvix-run
#SBATCH --cpus-per-task=8
#SBATCH --output=orvix-%A_%a.log
set -euo pipefail
if [ -z "${SLURM_ARRAY_TASK_ID:-}" ] || [ $# -gt 0 ]; then
  echo "usage: sbatch --array=1-N $0   (settings from SEED, HANDS, OUT and ORVIX)" >&2
  exit 2
fi

seed=${SEED:-12345}              # the same seed in every task: one run
hands=${HANDS:-2000000000}       # deals of the whole run (at most 2147483647)
part=${SLURM_ARRAY_TASK_ID}      # this task's part, 1..parts
parts=${SLURM_ARRAY_TASK_COUNT}  # one part per array task
out=${OUT:-results}
orvix=${ORVIX:-build/orvix}    # from the folder sbatch was called in

mkdir -p "$out"
printf 'seed %s\nhands %s\nshard %s %s\ngo\nsave %s/part%s.json\n' \
  "$seed" "$hands" "$part" "$parts" "$out" "$part" | "$orvix" /q
