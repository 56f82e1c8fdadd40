#!/usr/bin/env bash
# A batch of synthetic towns appended into a throwaway PostGIS database by one
# worker and by two (a connection each, COPY), in the same run: features per
# second of wall time and the processes' CPU time (user + sys) of each.
# Usage: postgis_batch_bench.sh ORVELLE_CLI ORVELLE_SYNTH [TOWNS=4] [VERTICES=1000000]
set -euo pipefail
cli=$1 synth=$2 count=${3:-4} vertices=${4:-1000000}
. "$(dirname "$0")/../tests/export/throwaway_postgis.sh"

towns=()
for ((i = 0; i < count; i++)); do
  "$synth" --out "$tmp/town$i" --cols 2 --rows 2 --seed $((201 + i)) --target-vertices "$vertices" > /dev/null
  towns+=("$tmp/town$i")
done
TIMEFORMAT="%R %U %S"
for jobs in 1 2; do
  newdb "jobs$jobs"
  times=$({ time "$cli" export "${towns[@]}" "PG:host=$tmp user=postgres dbname=jobs$jobs" --append --jobs "$jobs" \
            > "$tmp/out$jobs.txt"; } 2>&1)
  read -r wall user sys <<< "$times"
  total=$(awk '$1 == "total" { print $2 }' "$tmp/out$jobs.txt")
  echo "jobs $jobs: $total features, wall ${wall} s, cpu $(echo "$user + $sys" | bc) s," \
       "$(echo "$total / $wall" | bc) features/s"
done
