#!/usr/bin/env bash
# Regenerates the bundled sample data set in data/sample with orvelle-synth:
# two meshes side by side (2 km x 1.5 km each, zone IX, JGD2000).
# The files are Shift-JIS with CR LF line ends; git keeps them byte for byte.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$("$root/scripts/build.sh" Release | tail -n 1)
rm -rf "$root/data/sample"
"$dir/tools/synth/orvelle-synth" --out "$root/data/sample" --cols 2 --rows 1 --seed 1 --blocks-per-side 16
