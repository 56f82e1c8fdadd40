#!/usr/bin/env bash
# Builds the fuzz targets of fuzz/ with clang (libFuzzer, AddressSanitizer and
# UndefinedBehaviorSanitizer) into build/fuzz and runs each for SECONDS
# (default 60), one after another. An input that crashes a target is saved to
# fuzz/findings/; new inputs go to build/fuzz/corpus/<target>, the seeds in
# fuzz/corpus/<target> are only read.
# Usage: scripts/fuzz.sh [SECONDS]
#        scripts/fuzz.sh --replay   runs every seed once (CI); skipped when
#                                   clang cannot link libFuzzer
set -euo pipefail
root=$(cd "$(dirname "$0")/.." && pwd)
targets=(map_fuzz regex_fuzz lzh_fuzz)
replay=false
seconds=60
case "${1:-}" in
  --replay) replay=true ;;
  "") ;;
  *[!0-9]*) seconds=0 ;;
  *) seconds=$((10#$1)) ;;
esac
if [ "$seconds" -lt 1 ] || [ $# -gt 1 ]; then
  echo "usage: scripts/fuzz.sh [SECONDS] | --replay" >&2
  exit 2
fi

"$root/scripts/install-deps.sh"

have_libfuzzer() {
  command -v clang++ >/dev/null || return 1
  local tmp ok=1
  tmp=$(mktemp -d)
  echo 'extern "C" int LLVMFuzzerTestOneInput(const unsigned char*, unsigned long) { return 0; }' >"$tmp/t.cpp"
  if clang++ -fsanitize=fuzzer,address,undefined "$tmp/t.cpp" -o "$tmp/t" >/dev/null 2>&1; then ok=0; fi
  rm -rf "$tmp"
  return $ok
}
if ! have_libfuzzer; then
  if $replay; then
    echo "fuzz replay skipped: clang with libFuzzer is not installed"
    exit 0
  fi
  echo "scripts/fuzz.sh needs clang with libFuzzer (packages clang and libclang-rt-14-dev)" >&2
  exit 1
fi

dir="$root/build/fuzz"
cmake -S "$root" -B "$dir" -G Ninja -DCMAKE_CXX_COMPILER=clang++ -DCMAKE_BUILD_TYPE=RelWithDebInfo \
  -DORVELLE_FUZZ=ON -DORVELLE_BUILD_TESTS=OFF -DORVELLE_BUILD_BENCH=OFF -DORVELLE_WERROR=ON >&2
cmake --build "$dir" -j2 --target "${targets[@]}" >&2

failed=()
for t in "${targets[@]}"; do
  seeds="$root/fuzz/corpus/$t"
  if $replay; then
    log="$dir/replay-$t.log"
    if "$dir/fuzz/$t" "$seeds"/* >"$log" 2>&1; then
      echo "$t: $(find "$seeds" -type f | wc -l) seeds replayed"
    else
      cat "$log" >&2
      failed+=("$t")
    fi
    continue
  fi
  mkdir -p "$dir/corpus/$t" "$root/fuzz/findings"
  echo "== $t for $seconds s"
  if ! "$dir/fuzz/$t" -max_total_time="$seconds" -timeout=20 -rss_limit_mb=2048 -print_final_stats=1 \
      -dict="$root/fuzz/$t.dict" -artifact_prefix="$root/fuzz/findings/$t-" "$dir/corpus/$t" "$seeds"; then
    failed+=("$t")
  fi
done
if [ ${#failed[@]} -gt 0 ]; then
  echo "Failed: ${failed[*]}$($replay || echo " (inputs in fuzz/findings/)")" >&2
  exit 1
fi
