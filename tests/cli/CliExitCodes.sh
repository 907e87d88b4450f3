#!/usr/bin/env bash
# Exit codes of the lzw and lang commands: 0 success, 1 failed operation, 2 usage.
# Usage: CliExitCodes.sh PATH/TO/kalorina-cli
set -u
cli=$1
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0 passes=0

expect() {
    local want=$1; shift
    "$cli" "$@" >"$dir/out" 2>"$dir/err"
    local got=$?
    if [ "$got" -ne "$want" ]; then
        echo "FAIL: kalorina-cli $* exited $got, expected $want"; cat "$dir/err"
        failures=$((failures + 1))
    elif [ "$want" -ne 0 ] && [ ! -s "$dir/err" ]; then
        echo "FAIL: kalorina-cli $* exited $got without a message"
        failures=$((failures + 1))
    else
        passes=$((passes + 1))
    fi
}

printf 'A' >"$dir/a"
expect 0 lzw encode "$dir/a" "$dir/a.lzw"
[ "$(od -An -tx1 "$dir/a.lzw" | tr -d ' \n')" = 80106020 ] || { echo "FAIL: wrong encoding of A"; failures=$((failures + 1)); }
expect 0 lzw decode "$dir/a.lzw" "$dir/a.back"
expect 0 lzw decode --strict "$dir/a.lzw" "$dir/a.back"
cmp -s "$dir/a" "$dir/a.back" || { echo "FAIL: round trip"; failures=$((failures + 1)); }

expect 2 lzw
expect 2 lzw squeeze "$dir/a" "$dir/x"
expect 2 lzw encode "$dir/a"
expect 2 lzw decode "$dir/a" "$dir/x" extra
expect 1 lzw encode "$dir/missing" "$dir/x"
expect 1 lzw decode "$dir/a" "$dir/a.bad"
[ -e "$dir/a.bad" ] && { echo "FAIL: output written for a malformed stream"; failures=$((failures + 1)); }
expect 1 lzw encode "$dir/a" "$dir/no/such/dir/x"

printf '<language id="Test" UserInterface="yes"></language>\n' >"$dir/t.xml"
expect 0 lang pack "$dir/t.xml" "$dir/t.xmz"
expect 0 lzw decode --strict "$dir/t.xmz" "$dir/t.back"
cmp -s "$dir/t.xml" "$dir/t.back" || { echo "FAIL: packed language does not decode"; failures=$((failures + 1)); }
expect 0 lang --help
expect 2 lang
expect 2 lang nosuch
expect 2 lang pack "$dir/t.xml"
expect 1 lang pack "$dir/missing.xml" "$dir/t.xmz"
expect 1 lang pack "$dir/t.xml" "$dir/no/such/dir/t.xmz"

# Project commands: a project written by recalc reads back with show.
expect 2 show
expect 2 show "$dir/a" extra
expect 2 recalc
expect 2 recalc "$dir/p.klp" -o
expect 1 show "$dir/missing.klp"
expect 1 recalc "$dir/a"
printf '\021\000Kalorina_Project\000\000\001\377\177' >"$dir/empty.klp"
expect 0 show "$dir/empty.klp" --json
expect 0 --data "$dir" recalc "$dir/empty.klp" --apply -o "$dir/out.klp"
expect 0 show "$dir/out.klp"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
