#!/usr/bin/env bash
# Configures and builds Orvelle into build/<type> (default Release).
# Usage: scripts/build.sh [Release|Debug|Sanitize|Thread] [CMAKE_OPTION...]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
type=${1:-Release}
shift || true
extra=()
case "$type" in
  Sanitize) extra=(-DCMAKE_BUILD_TYPE=Debug -DORVELLE_SANITIZE=ON) ;;
  Thread) extra=(-DCMAKE_BUILD_TYPE=RelWithDebInfo -DORVELLE_SANITIZE_THREAD=ON -DORVELLE_BUILD_BENCH=OFF) ;;
  *) extra=(-DCMAKE_BUILD_TYPE="$type") ;;
esac
dir="$root/build/$(echo "$type" | tr '[:upper:]' '[:lower:]')"
# Progress and errors go to stderr; stdout carries only the build folder.
cmake -S "$root" -B "$dir" -G Ninja "${extra[@]}" "$@" >&2
cmake --build "$dir" -j2 >&2
echo "$dir"
