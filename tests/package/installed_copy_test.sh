#!/usr/bin/env bash
# The Debian package as a user gets it. Builds orvelle_<version>_<arch>.deb
# from the build folder with CPack, checks its control data and files, runs
# lintian (no errors allowed; the warnings are printed), validates the
# .desktop file and the AppStream metainfo, unpacks it with dpkg -x into a
# scratch root and runs the programs from there in a mount namespace where
# the source and build trees are hidden, so that a file found only in the
# build tree fails: --version, info and render on the bundled sample, the
# datum grids, the manual pages, the bash completion, and the viewer (and its
# screenshot tool, copied beside it) under Xvfb.
# Usage: installed_copy_test.sh BUILD_DIR SOURCE_DIR VERSION VIEWER_SHOT
set -euo pipefail

build=$(realpath "$1")
source=$(realpath "$2")
version=$3
viewershot=$4

fail() {
  echo "FAIL: $*" >&2
  exit 1
}

scratch=$(mktemp -d "${TMPDIR:-/tmp}/orvelle-package-test.XXXXXX")
trap 'rm -rf "$scratch"' EXIT
started=$SECONDS

# --- The package -------------------------------------------------------------
if ! cpack --config "$build/CPackConfig.cmake" -B "$scratch/out" >"$scratch/cpack.log" 2>&1; then
  cat "$scratch/cpack.log" >&2
  fail "cpack could not build the package"
fi
arch=$(dpkg --print-architecture)
deb="$scratch/out/orvelle_${version}_${arch}.deb"
[ -f "$deb" ] || fail "no $(basename "$deb") in: $(ls "$scratch/out")"
echo "package: $(basename "$deb"), $(du -k "$deb" | cut -f1) KiB, installed size $(dpkg-deb -f "$deb" Installed-Size) KiB"
echo "cpack: $((SECONDS - started)) s"

[ "$(dpkg-deb -f "$deb" Package)" = orvelle ] || fail "the package is not named orvelle"
[ "$(dpkg-deb -f "$deb" Version)" = "$version" ] || fail "the package's version is not $version"
depends=$(dpkg-deb -f "$deb" Depends)
echo "Depends: $depends"
# From dpkg-shlibdeps (libraries with versions), and the run-time data.
for wanted in 'libqt6widgets6 (>=' 'libqt6svg6' 'libgdal' 'libproj' 'liblhasa0' 'libc6 (>=' \
              'proj-data' 'fonts-noto-cjk' 'qt6-translations-l10n'; do
  [[ $depends == *"$wanted"* ]] || fail "Depends lacks $wanted"
done

# --- lintian -------------------------------------------------------------------
step=$SECONDS
lintian --fail-on error --display-info --tag-display-limit 0 "$deb" >"$scratch/lintian.log" 2>&1 || {
  cat "$scratch/lintian.log" >&2
  fail "lintian reports errors"
}
echo "lintian ($((SECONDS - step)) s), warnings and notes:"
grep -E '^[WIP]: ' "$scratch/lintian.log" | sort -u | sed 's/^/  /' || echo "  none"

# --- The files -----------------------------------------------------------------
root="$scratch/root"
dpkg -x "$deb" "$root"
for file in usr/bin/orvelle usr/bin/orvelle-cli usr/bin/orvelle-synth \
            usr/share/applications/orvelle.desktop \
            usr/share/icons/hicolor/scalable/apps/orvelle.svg \
            usr/share/metainfo/io.github.orvelle.orvelle.metainfo.xml \
            usr/share/man/man1/orvelle.1.gz usr/share/man/man1/orvelle-cli.1.gz usr/share/man/man1/orvelle-synth.1.gz \
            usr/share/bash-completion/completions/orvelle-cli \
            usr/share/doc/orvelle/copyright usr/share/doc/orvelle/changelog.gz \
            usr/share/orvelle/engine.lst \
            usr/share/orvelle/grids/TKY2JGD.tif usr/share/orvelle/grids/touhokutaiheiyouoki2011.tif \
            usr/share/orvelle/sample/53394506/53394506.TXT usr/share/orvelle/sample/53394508/53394508.TXT; do
  [ -f "$root/$file" ] || fail "the package has no /$file"
done
# The grids' attribution, as GSI's terms ask.
grep -q '出典：国土地理院 TKY2JGD.par (Ver.2.1.2)、touhokutaiheiyouoki2011.par' "$root/usr/share/doc/orvelle/copyright" ||
  fail "the copyright file lacks GSI's attribution of the grids"
cmp -s "$root/usr/share/orvelle/grids/TKY2JGD.tif" "$source/data/grids/TKY2JGD.tif" || fail "TKY2JGD.tif differs"
# The desktop file claims the archives it opens, never every text file.
desktop-file-validate "$root/usr/share/applications/orvelle.desktop" || fail "desktop-file-validate"
grep -q '^MimeType=.*application/x-lha;' "$root/usr/share/applications/orvelle.desktop" || fail "no LZH MIME type"
! grep -q '^MimeType=.*text/plain' "$root/usr/share/applications/orvelle.desktop" || fail "the viewer claims text/plain"
appstreamcli validate --no-net "$root/usr/share/metainfo/io.github.orvelle.orvelle.metainfo.xml" ||
  fail "appstreamcli validate"
grep -q "<release version=\"$version\"" "$root/usr/share/metainfo/io.github.orvelle.orvelle.metainfo.xml" ||
  fail "the metainfo's release is not $version"

# The viewer's screenshot tool is no part of the package; beside the installed
# programs it finds what they find.
cp "$viewershot" "$root/usr/bin/orvelle-viewer-shot"
# A mark in the installed engine list shows that the viewer copies this very
# file at first start, not one from the source tree or another installation.
printf '"Orvelle package test",https://example.org/search,q=,UTF8\r\n' >>"$root/usr/share/orvelle/engine.lst"

# --- Run from the scratch root, the trees hidden --------------------------------
cat >"$scratch/run.sh" <<'EOF'
set -euo pipefail
root=$1 scratch=$2 version=$3
shift 3
fail() {
  echo "FAIL: $*" >&2
  exit 1
}
# Hide the trees (the build tree may lie inside the source tree).
for tree in "$@"; do
  if [ -d "$tree" ]; then mount -t tmpfs -o ro,size=4k orvelle-hidden "$tree"; fi
done
for tree in "$@"; do
  [ -z "$(ls -A "$tree" 2>/dev/null)" ] || fail "$tree is still visible"
done

bin=$root/usr/bin
sample=$root/usr/share/orvelle/sample
export HOME=$scratch/home ORVELLE_HOME=$scratch/home/orvelle
export XDG_RUNTIME_DIR=$scratch/runtime
unset ORVELLE_GRIDS QT_QPA_PLATFORM
mkdir -p "$ORVELLE_HOME"
mkdir -m 700 "$XDG_RUNTIME_DIR"

for program in orvelle orvelle-cli orvelle-synth; do
  line=$(env -u DISPLAY "$bin/$program" --version)
  [[ $line == "$program $version"* ]] || fail "$program --version says '$line'"
done
echo "versions: $line"

info=$("$bin/orvelle-cli" info "$sample")
[[ $info == *53394506* && $info == *53394508* ]] || fail "info does not name both meshes: $info"

"$bin/orvelle-cli" render "$sample" -o "$scratch/map.png" --size 640x480
file "$scratch/map.png" | grep -q 'PNG image data, 640 x 480' || fail "render wrote no 640x480 PNG"
[ "$(stat -c %s "$scratch/map.png")" -gt 20000 ] || fail "the rendered map is nearly empty"

# The datum grids come from share/orvelle/grids of the installation.
"$bin/orvelle-cli" coords --datum-shift grid --from EPSG:4301 --to EPSG:4612 140.091149167 36.100578889 \
  >"$scratch/coords.txt" || fail "coords with the grid"
grep -Eq '^140\.0878[0-9]* 36\.1037[0-9]*$' "$scratch/coords.txt" || fail "TKY2JGD gave $(cat "$scratch/coords.txt")"

# The manual pages: man shows each without a warning.
for page in orvelle orvelle-cli orvelle-synth; do
  shown=$(LC_ALL=C.UTF-8 MANWIDTH=80 man --warnings -E UTF-8 -l "$root/usr/share/man/man1/$page.1.gz" 2>"$scratch/man.err")
  [ ! -s "$scratch/man.err" ] || fail "man $page: $(cat "$scratch/man.err")"
  [[ $shown == *"$version"* && $shown == *--version* ]] || fail "$page(1) lacks the version or --version"
done
for page in orvelle orvelle-cli orvelle-synth; do
  shown=$(LC_ALL=C.UTF-8 man -l "$root/usr/share/man/man1/$page.1.gz")
  for heading in SYNOPSIS DESCRIPTION OPTIONS "EXIT STATUS" EXAMPLES; do
    grep -q "^$heading\$" <<<"$shown" || fail "$page(1) has no $heading"
  done
done

# The bash completion, loaded as bash-completion loads it.
bash --norc --noprofile -c '
  set -u
  fail() { echo "FAIL: completion: $*" >&2; exit 1; }
  . /usr/share/bash-completion/bash_completion
  . "$1/usr/share/bash-completion/completions/orvelle-cli"
  cd "$1/usr/share/orvelle"
  # What bash would offer for LINE, the cursor at its end.
  complete_line() {
    COMP_LINE=$1 COMP_POINT=${#1}
    read -r -a COMP_WORDS <<<"$1"
    [[ $1 == *" " ]] && COMP_WORDS+=("")
    COMP_CWORD=$((${#COMP_WORDS[@]} - 1))
    COMPREPLY=()
    _orvelle_cli orvelle-cli "${COMP_WORDS[COMP_CWORD]}" "${COMP_WORDS[COMP_CWORD - 1]}" 2>/dev/null
    printf "%s\n" "${COMPREPLY[@]}" | sort | tr "\n" " "
  }
  expect() {
    local got
    got=$(complete_line "$1")
    [[ " $got" == *" $2 "* ]] || fail "\"$1\" offers \"$got\", not $2"
  }
  refuse() {
    local got
    got=$(complete_line "$1")
    [[ " $got" != *" $2 "* ]] || fail "\"$1\" offers $2"
  }
  expect "orvelle-cli ren" render
  expect "orvelle-cli help ex" export
  expect "orvelle-cli render --m" --mode
  refuse "orvelle-cli info --m" --mode
  expect "orvelle-cli render x --mode " gaiku
  expect "orvelle-cli coords --from cfProjectedJGD0" cfProjectedJGD09
  expect "orvelle-cli coords --to cfGeodetic" cfGeodeticWGS
  expect "orvelle-cli export x y --format GPK" GPKG
  expect "orvelle-cli export x y --layers lines,ar" lines,areas
  expect "orvelle-cli export x y --datum-shift " grid
  expect "orvelle-cli info sam" sample
  expect "orvelle-cli render -o map.png --size 10x10 sam" sample
  expect "orvelle-cli extract x gr" grids
  refuse "orvelle-cli coords --from cfProjectedJGD09 --to 3 sam" sample
' completion "$root" || exit 1

# The viewer under Xvfb: the screenshot tool opens the sample and saves its
# windows; the viewer itself starts on the sample, installs the engine list at
# first start and keeps running until it is closed.
xvfb-run -a -s "-screen 0 1280x1024x24" bash -c '
  set -euo pipefail
  root=$1 scratch=$2 sample=$3
  mkdir -p "$scratch/tmp"
  TMPDIR=$scratch/tmp "$root/usr/bin/orvelle-viewer-shot" "$sample" "$scratch/shots" >/dev/null
  grep -q "Orvelle package test" "$scratch/tmp/orvelle-viewer-shot/engine.lst"
  "$root/usr/bin/orvelle" "$sample" &
  viewer=$!
  for _ in $(seq 100); do
    [ -f "$ORVELLE_HOME/engine.lst" ] && break
    sleep 0.1
  done
  sleep 3
  kill -0 "$viewer"
  kill "$viewer"
  wait "$viewer" || true
' viewer "$root" "$scratch" "$sample" || fail "the viewer under Xvfb"
for shot in main-full main-street about settings-1 print-preview; do
  [ -s "$scratch/shots/$shot.png" ] || fail "the screenshot tool saved no $shot.png"
done
grep -q "Orvelle package test" "$ORVELLE_HOME/engine.lst" || fail "the viewer did not install the shipped engine list"
echo "ran from the scratch root with the trees hidden"
EOF

hide=("$source" "$build")
step=$SECONDS
if [ "$(id -u)" -eq 0 ] && unshare --mount true 2>/dev/null; then
  unshare --mount bash "$scratch/run.sh" "$root" "$scratch" "$version" "${hide[@]}"
elif unshare --mount --map-root-user true 2>/dev/null; then
  unshare --mount --map-root-user bash "$scratch/run.sh" "$root" "$scratch" "$version" "${hide[@]}"
else
  echo "SKIP: no mount namespace here (unshare --mount) to hide the source and build trees" >&2
  exit 77
fi
echo "installed copy: $((SECONDS - step)) s; whole test: $((SECONDS - started)) s"
