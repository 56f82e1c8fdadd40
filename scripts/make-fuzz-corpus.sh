#!/usr/bin/env bash
# Regenerates the seed corpora in fuzz/corpus/<target> from the project's own
# writers (orvelle-synth) and from jlha. Inputs that once found something are
# kept beside the seeds under names starting with "regression-"; they are
# left alone here. See fuzz/*.cpp for each target's input format.
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
dir=$("$root/scripts/build.sh" Release | tail -n 1)
synth="$dir/tools/synth/orvelle-synth"
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT
corpus="$root/fuzz/corpus"
mkdir -p "$corpus/map_fuzz" "$corpus/regex_fuzz" "$corpus/lzh_fuzz"
find "$corpus" -type f ! -name 'regression-*' -delete

# map_fuzz: every file of a folder of meshes as "PATH\nBYTES", joined by "\n%%\n".
pack() {
    local first=1 f
    while IFS= read -r f; do
        [ -n "$first" ] || printf '\n%%%%\n'
        first=
        printf '%s\n' "$f"
        cat "$1/$f"
    done < <(cd "$1" && find . -type f -printf '%P\n' | LC_ALL=C sort)
}
"$synth" --out "$work/small" --cols 2 --rows 1 --seed 3 --blocks-per-side 2 >/dev/null
"$synth" --out "$work/rich" --cols 1 --rows 2 --seed 5 --blocks-per-side 4 >/dev/null
pack "$work/small" >"$corpus/map_fuzz/synth-2x1-k2"
pack "$work/rich" >"$corpus/map_fuzz/synth-1x2-k4"

# regex_fuzz: PATTERN NUL SUBJECT (Shift-JIS), subjects from the synthetic attribute files.
sjis() { iconv -f UTF-8 -t CP932; }
seed() { { printf '%s' "$2" | sjis; printf '\0'; cat; } >"$corpus/regex_fuzz/$1"; }
atr="$work/rich/$(cd "$work/rich" && find . -name '*.ATR' -printf '%P\n' | LC_ALL=C sort | head -n 1)"
head -n 3 "$atr" | seed digits '[0-9]+'
head -n 3 "$atr" | seed anchored '^[A-Z][0-9]+,[^,]*$'
head -n 6 "$atr" | seed chome '丁目|番地?'
printf 'ｶﾞｯｺｳ がっこう 学校' | sjis | seed fuzzy 'ガッコウ'
printf 'a\\tb,c\\x41\\101\\n' | seed escapes '\x41\t[^,]+'
printf 'abbaab' | seed alternation '(a|b)*a(a|b)(a|b)'
printf 'line one\r\nline two\nend' | seed lines '^line|two$'
printf 'ＡＢＣ１２３ｱｲｳ' | sjis | seed ranges '[Ａ-Ｚ]+[０-９]*[ｱ-ﾝ]?'

# lzh_fuzz: one mesh archived by jlha with every header level and method.
"$synth" --out "$work/one" --cols 1 --rows 1 --seed 2 --blocks-per-side 2 >/dev/null
for options in 0 1 2 2z 2o6 2o7; do
    (cd "$work/one" && LC_ALL=C.UTF-8 jlha "a$options" "$corpus/lzh_fuzz/jlha-$options.lzh" . >/dev/null 2>&1)
done
ls -l "$corpus"/*
