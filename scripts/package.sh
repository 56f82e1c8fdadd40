#!/usr/bin/env bash
# Builds the Debian package orvelle_<version>_<arch>.deb with CPack in a
# Release build folder of its own (build/package unless BUILD_DIR is given;
# installing into /usr, without tests or benchmarks) and prints the package's
# path on the last line. Install it with: sudo apt install ./build/package/orvelle_*.deb
# Usage: scripts/package.sh [BUILD_DIR]
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
if [ $# -gt 1 ]; then
  echo "usage: scripts/package.sh [BUILD_DIR]" >&2
  exit 2
fi
dir=$(realpath -m "${1:-$root/build/package}")
"$root/scripts/install-deps.sh"
# Progress goes to stderr; stdout carries only the package's path.
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_BUILD_TYPE=Release -DCMAKE_INSTALL_PREFIX=/usr \
  -DORVELLE_BUILD_TESTS=OFF -DORVELLE_BUILD_BENCH=OFF >&2
cmake --build "$dir" -j2 >&2
rm -f "$dir"/orvelle_*.deb
(cd "$dir" && cpack -G DEB -B "$dir" >&2)
rm -rf "$dir/_CPack_Packages"
ls "$dir"/orvelle_*.deb
