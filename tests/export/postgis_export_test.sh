#!/usr/bin/env bash
# Exports the bundled sample into a throwaway PostGIS database: a cluster in a
# temporary folder, reached only through a Unix socket in that folder, run as
# the postgres user when started by root. Checks the counts, the SRID, one
# geometry and one Japanese name with SQL; that an export failing at a later
# layer with --overwrite leaves every old table as it was; that a schema that
# does not exist fails; then stops and removes the cluster.
# Usage: postgis_export_test.sh ORVELLE_CLI SAMPLE_FOLDER
set -euo pipefail
cli=$1 sample=$2
. "$(dirname "$0")/throwaway_postgis.sh"

pg="PG:host=$tmp user=postgres dbname=gis"
"$cli" export "$sample" "$pg" > "$tmp/out.txt"
cat "$tmp/out.txt"
while read -r layer count; do
  [ "$layer" = total ] && continue
  check "rows of $layer" "$(sql "SELECT count(*) FROM $layer")" "$count"
done < "$tmp/out.txt"
check "SRID of lines" "$(sql "SELECT DISTINCT ST_SRID(wkb_geometry) FROM lines")" 2451

# One label against the same export read back from a GeoPackage by GDAL.
"$cli" export "$sample" "$tmp/s.gpkg" --layers labels > /dev/null
expected=$(ogrinfo -q "$tmp/s.gpkg" labels -fid 1 | sed -n 's/^  \(POINT\) (\(.*\))$/\1(\2)/p')
first=$(sql "SELECT ST_AsText(wkb_geometry) || '|' || name FROM labels ORDER BY ogc_fid LIMIT 1")
check "first label's point" "${first%%|*}" "$expected"
check "first label's name is Japanese" "$(sql "SELECT name ~ '[ぁ-んァ-ン一-龥]' FROM labels ORDER BY ogc_fid LIMIT 1")" t

# Exporting again without --overwrite fails; with it the tables are replaced.
if "$cli" export "$sample" "$pg" > /dev/null 2>&1; then echo "FAIL: second export without --overwrite succeeded"; fail=1; fi
"$cli" export "$sample" "$pg" --overwrite > /dev/null
check "rows of lines after --overwrite" "$(sql "SELECT count(*) FROM lines")" "$(awk '$1=="lines"{print $2}' "$tmp/out.txt")"

# One transaction: a failure at the fourth layer (a sequence holds the name
# "labels") undoes the replacement of the first three, old rows included.
counts() { sql "SELECT (SELECT count(*) FROM lines) || '/' || (SELECT count(*) FROM areas) || '/' ||
                       (SELECT count(*) FROM points) || '/' || (SELECT count(*) FROM nodes) || '/' ||
                       (SELECT count(*) FROM links)"; }
sql "DROP TABLE labels; CREATE SEQUENCE labels; UPDATE lines SET name = 'old row' WHERE ogc_fid = 1" > /dev/null
before=$(counts)
if "$cli" export "$sample" "$pg" --overwrite > /dev/null 2> "$tmp/err.txt"; then
  echo "FAIL: export over a sequence named labels succeeded"; fail=1
fi
cat "$tmp/err.txt"
check "the failure names the table" "$(grep -c '"labels"' "$tmp/err.txt")" 1
check "every old table kept after a failure at labels" "$(counts)" "$before"
check "the old row of lines kept" "$(sql "SELECT name FROM lines WHERE ogc_fid = 1")" "old row"

# A schema that does not exist fails instead of writing into public.
"$bin/createdb" -h "$tmp" -U postgres other
"$bin/psql" -h "$tmp" -U postgres -d other -qc "CREATE EXTENSION postgis; CREATE SCHEMA roads"
other() { "$bin/psql" -h "$tmp" -U postgres -d other -Atc "$1"; }
if "$cli" export "$sample" "PG:host=$tmp user=postgres dbname=other active_schema=missing" --layers points \
    > /dev/null 2> "$tmp/err.txt"; then
  echo "FAIL: export into a missing schema succeeded"; fail=1
fi
check "the missing schema is named" "$(grep -c 'schema missing does not exist' "$tmp/err.txt")" 1
check "no table written elsewhere" "$(other "SELECT count(*) FROM pg_tables WHERE tablename = 'points'")" 0
"$cli" export "$sample" "PG:host=$tmp user=postgres dbname=other active_schema=roads" --layers points > /dev/null
check "an existing schema receives the table" "$(other "SELECT count(*) FROM roads.points")" \
  "$(awk '$1=="points"{print $2}' "$tmp/out.txt")"
exit $fail
