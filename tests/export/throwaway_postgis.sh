# Sourced by the PostGIS tests: starts a throwaway PostgreSQL cluster in a
# temporary folder ($tmp), reached only through a Unix socket there, run as
# the postgres user when started by root, and stops and removes it on exit.
# Defines sql (psql on database gis), newdb NAME (a database with PostGIS)
# and check NAME GOT EXPECTED (sets fail=1 on a difference). Exits 77 when
# PostgreSQL 15 or PostGIS is missing.
bin=/usr/lib/postgresql/15/bin
if [ ! -x "$bin/initdb" ] || [ ! -f /usr/share/postgresql/15/extension/postgis.control ]; then
  echo "SKIP: postgresql-15 and postgresql-15-postgis-3 are not installed (scripts/install-deps.sh installs them)"
  exit 77
fi
as_db_user=()
if [ "$(id -u)" -eq 0 ]; then as_db_user=(runuser -u postgres --); fi

tmp=$(mktemp -d)
chmod 755 "$tmp"
[ ${#as_db_user[@]} -eq 0 ] || chown postgres "$tmp"
stop() {
  "${as_db_user[@]}" "$bin/pg_ctl" -D "$tmp/data" -m immediate stop >/dev/null 2>&1 || true
  rm -rf "$tmp"
}
trap stop EXIT

"${as_db_user[@]}" "$bin/initdb" -D "$tmp/data" -A trust -U postgres >/dev/null
"${as_db_user[@]}" "$bin/pg_ctl" -D "$tmp/data" -w -l "$tmp/server.log" \
  -o "-c listen_addresses='' -k $tmp" start >/dev/null
sql() { "$bin/psql" -h "$tmp" -U postgres -d gis -Atc "$1"; }
newdb() {
  "$bin/createdb" -h "$tmp" -U postgres "$1"
  "$bin/psql" -h "$tmp" -U postgres -d "$1" -qc "CREATE EXTENSION postgis"
}
newdb gis

fail=0
check() { if [ "$2" != "$3" ]; then echo "FAIL: $1: got '$2', expected '$3'"; fail=1; else echo "ok: $1"; fi; }
