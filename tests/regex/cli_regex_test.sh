#!/usr/bin/env bash
# Black-box checks of "orvelle-cli regex": output, error text and exit status.
# Usage: cli_regex_test.sh PATH/TO/orvelle-cli
set -u
cli=$1
failures=0

# expect STATUS EXPECTED_OUTPUT ARGS...: stdout and stderr together.
expect() {
  local status=$1 want=$2
  shift 2
  local got rc
  got=$("$cli" regex "$@" 2>&1)
  rc=$?
  if [ "$rc" != "$status" ] || [ "$got" != "$want" ]; then
    echo "FAIL: regex $*"
    echo "  want ($status): $want"
    echo "  got  ($rc): $got"
    failures=$((failures + 1))
  fi
}

expect 0 $'2 2\n0 0\n1 2' 'bc' 'abcabc' 'xyz' 'bc'
expect 0 $'1 0\n1 0' 'b*' 'abc' ''
expect 0 '3 2' '表' '代表'
expect 0 '0 0' '\\' '表'
expect 0 '3 1' '^b' $'a\nb'
expect 0 $'0 0' 'a$' $'a\nb'
expect 0 $'1 1' --lf 'a$' $'a\nb'
expect 0 '5 3' --fuzzy 'ガス' '東京ｶﾞｽ'
expect 0 '0 0' 'ガス' '東京ｶﾞｽ'
expect 0 '1 2' -- '--' '--x'
expect 1 'error: 右(閉じ)括弧が必要です (position 3)' '(a' 'x'
expect 1 'error: 右ブラケット"]"が必要です (position 3)' '[a' 'x'
expect 0 '(が|ガ|ｶﾞ|か゛|カ゛)(す|ス|ｽ)' --preprocess --fuzzy 'ｶﾞｽ'
expect 0 '(ー|～|ｰ|)' --preprocess --fuzzy 'ー'
expect 0 '[a' --preprocess '[a'
expect 1 'error: 右ブラケット"]"が必要です (position 3)' --preprocess --fuzzy '[a'
expect 0 '61 09 62' --expand 'a\tb'
expect 0 '95 5C 41' --expand '表\x41'
expect 0 '' --expand ''
expect 1 'error: "\"の次には文字が必要です。 (position 4)' --expand 'C:\'
expect 1 'error: 不正な１６進数コード表記です。 (position 3)' --expand '\xZ'

# Bad arguments exit 2.
for args in "" "onlypattern" "--expand" "--expand a b" "--preprocess --lf a" "--bogus a b" \
            "--expand --preprocess a"; do
  # shellcheck disable=SC2086
  "$cli" regex $args >/dev/null 2>&1
  rc=$?
  if [ "$rc" != 2 ]; then echo "FAIL: regex $args exited $rc, want 2"; failures=$((failures + 1)); fi
done
"$cli" regex 'a' $'x\xF0\x9F\x98\x80' >/dev/null 2>&1
rc=$?
if [ "$rc" != 2 ]; then echo "FAIL: a text without Shift-JIS form exited $rc, want 2"; failures=$((failures + 1)); fi

[ "$failures" -eq 0 ] && echo "all orvelle-cli regex checks passed"
exit $((failures > 0))
