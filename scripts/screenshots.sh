#!/usr/bin/env bash
# Builds the viewer and saves PNG screenshots of it on the bundled sample
# under xvfb-run: the main window at full view and in a street view, the
# attribute window after a pick, the attribute search dialog with the map on
# its second hit, the settings dialog's tabs and the About box.
# Usage: scripts/screenshots.sh OUTDIR [PATH]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -lt 1 ]; then
  echo "usage: scripts/screenshots.sh OUTDIR [PATH]" >&2
  exit 2
fi
out=$1
data=${2:-"$root/data/sample"}
"$root/scripts/install-deps.sh"
dir=$("$root/scripts/build.sh" Release | tail -n 1)
mkdir -p "$out"
xvfb-run -a -s "-screen 0 1280x1024x24" "$dir/tools/viewershot/orvelle-viewer-shot" "$data" "$out"
ls "$out"/*.png
