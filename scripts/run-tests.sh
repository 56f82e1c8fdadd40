#!/usr/bin/env bash
# Installs what is missing, builds everything, runs every test with ctest and
# replays the fuzz seeds through the fuzz targets.
# Usage: scripts/run-tests.sh [Release|Debug|Sanitize]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
"$root/scripts/install-deps.sh"
# Warnings in the project's own code fail the build here.
dir=$("$root/scripts/build.sh" "${1:-Release}" -DORVELLE_WERROR=ON | tail -n 1)
export QT_QPA_PLATFORM=offscreen
ctest --test-dir "$dir" -j2 --output-on-failure --timeout 300
# The fuzz targets replay their seed corpora (seconds, after a clang build).
"$root/scripts/fuzz.sh" --replay
