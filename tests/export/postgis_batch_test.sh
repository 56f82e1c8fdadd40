#!/usr/bin/env bash
# A batch of synthetic towns and the bundled sample into throwaway PostGIS
# databases (--append, a connection per worker, COPY). Every database must end
# with exactly the rows and sources table of one clean run, compared by their
# values ordered by source, mesh, id and layer (not ogc_fid): the same batch
# run twice (the second skips every source), in another order, killed with
# -9 at several points and run again, and written by two processes at once
# with disjoint sources; and a batch without --append (one transaction).
# Usage: postgis_batch_test.sh ORVELLE_CLI ORVELLE_SYNTH SAMPLE_FOLDER
set -euo pipefail
cli=$1 synth=$2 sample=$3
. "$(dirname "$0")/throwaway_postgis.sh"

towns=()
for i in 0 1 2 3; do
  "$synth" --out "$tmp/big$i" --cols 2 --rows 1 --seed $((31 + i)) --blocks-per-side 24 > /dev/null
  towns+=("$tmp/big$i")
done
batch=("${towns[@]}" "$sample")
pg() { echo "PG:host=$tmp user=postgres dbname=$1"; }

# Every row of every layer without its ogc_fid, and the sources table without its times.
dump() {
  local q="" layer
  for layer in lines areas points labels nodes links; do
    q+="SELECT '$layer' AS layer, source, mesh, id, (to_jsonb(t) - 'ogc_fid')::text AS row FROM $layer t UNION ALL "
  done
  "$bin/psql" -h "$tmp" -U postgres -d "$1" -Atc "${q% UNION ALL } ORDER BY source, mesh, id, layer, row" | md5sum
  "$bin/psql" -h "$tmp" -U postgres -d "$1" -Atc "SELECT name, files, counts FROM orvelle_sources ORDER BY name"
}
count() { "$bin/psql" -h "$tmp" -U postgres -d "$1" -Atc "SELECT count(*) FROM lines"; }

newdb clean
"$cli" export "${batch[@]}" "$(pg clean)" --append --jobs 1 --quiet
clean=$(dump clean)
check "the clean run holds five sources" "$(echo "$clean" | tail -n +2 | wc -l)" 5

newdb twice
"$cli" export "${batch[@]}" "$(pg twice)" --append --jobs 2 > /dev/null
"$cli" export "${batch[@]}" "$(pg twice)" --append --jobs 2 > "$tmp/again.txt" 2> "$tmp/again.err"
check "the second run skips every source" "$(tail -1 "$tmp/again.txt")" "sources 0 written, 5 skipped, 0 failed"
check "the same batch twice" "$(dump twice)" "$clean"

newdb reversed
"$cli" export "$sample" "${towns[3]}" "${towns[2]}" "${towns[1]}" "${towns[0]}" "$(pg reversed)" --append > /dev/null
check "the batch in another order" "$(dump reversed)" "$clean"

# Killed at several points: each run resumes where the last one was killed.
newdb killed
for delay in 1.2 2.0 2.8 3.6; do
  "$cli" export "${batch[@]}" "$(pg killed)" --append --jobs 2 > /dev/null 2>&1 &
  pid=$!
  sleep "$delay"
  kill -9 "$pid" 2> /dev/null || true
  wait "$pid" 2> /dev/null || true
  echo "after kill -9 at ${delay}s: $(count killed 2> /dev/null || echo 0) lines"
done
"$cli" export "${batch[@]}" "$(pg killed)" --append --jobs 2 > /dev/null
check "killed at several points, then run again" "$(dump killed)" "$clean"

# Two processes at once, disjoint sources, both creating the tables.
newdb two
"$cli" export "${towns[0]}" "${towns[2]}" "$sample" "$(pg two)" --append --jobs 2 > /dev/null &
first=$!
"$cli" export "${towns[1]}" "${towns[3]}" "$(pg two)" --append --jobs 2 > /dev/null &
second=$!
status=0
wait "$first" || status=1
wait "$second" || status=1
check "both processes succeed" "$status" 0
check "two processes at once" "$(dump two)" "$clean"

# Without --append: one transaction, the same rows.
newdb whole
"$cli" export "${batch[@]}" "$(pg whole)" > /dev/null
check "the batch without --append" "$(dump whole)" "$clean"
"$cli" export "${towns[0]}" "$(pg whole)" --append --format PostgreSQL > /dev/null
check "appended to a database written without --append" "$(dump whole)" "$clean"
exit $fail
