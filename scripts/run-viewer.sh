#!/usr/bin/env bash
# Installs what is missing, builds Orvelle and starts the viewer on PATH
# (a mesh description file, a municipality .lzh archive or a folder of meshes),
# or on the bundled sample data when no path is given.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
dir=$("$root/scripts/build.sh" Release | tail -n 1)
if [ $# -eq 0 ]; then
  set -- "$root/data/sample"
fi
exec "$dir/app/orvelle" "$@"
