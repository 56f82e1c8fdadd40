#!/usr/bin/env bash
# Installs the Debian packages Orvelle needs to build, test and run.
# Idempotent: packages already present are not touched; needs root (or sudo) only
# when something is missing.
set -euo pipefail

packages=(
  g++ cmake ninja-build pkg-config
  libgtest-dev libgmock-dev libbenchmark-dev
  qt6-base-dev qt6-svg-dev qt6-translations-l10n
  libproj-dev proj-data
  liblhasa-dev
  libjpeg-dev
  libboost-graph-dev
  fonts-noto-cjk
  jlha-utils
  xvfb xauth
  poppler-utils
  libgdal-dev gdal-bin
  postgresql-15 postgresql-15-postgis-3
  clang libclang-rt-14-dev
  python3
  libssl-dev
  dpkg-dev file lintian appstream desktop-file-utils help2man man-db bash-completion
)

missing=()
for p in "${packages[@]}"; do
  if ! dpkg-query -W -f='${Status}' "$p" 2>/dev/null | grep -q 'install ok installed'; then
    missing+=("$p")
  fi
done

if [ ${#missing[@]} -eq 0 ]; then
  exit 0
fi

echo "Installing: ${missing[*]}"
sudo=""
if [ "$(id -u)" -ne 0 ]; then sudo="sudo"; fi
export DEBIAN_FRONTEND=noninteractive
$sudo apt-get update -qq
$sudo apt-get install -y -qq --no-install-recommends "${missing[@]}"
