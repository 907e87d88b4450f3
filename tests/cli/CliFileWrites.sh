#!/usr/bin/env bash
# Every file kalorina-cli writes replaces an old one only once it is whole: a write
# that runs out of room (a file size limit stands in for a full disk) leaves the old
# file as it was.  A save through a symbolic link changes the file it points to and
# keeps the link; a write-protected file is refused with the reason; a file name as
# long as a folder takes can be written.
# Usage: CliFileWrites.sh PATH/TO/kalorina-cli SOURCE_DIR
set -u
cli=$1
src=$2
flat="$src/examples/flat.klp"
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }

# The old files, written whole.
head -c 200000 /dev/urandom >"$dir/big"
"$cli" lzw encode "$dir/big" "$dir/old.lzw" >/dev/null || fail "lzw encode"
"$cli" report "$flat" --kind detailed --rtf "$dir/old.rtf" >/dev/null || fail "report --rtf"
"$cli" report "$flat" --kind detailed --pdf "$dir/old.pdf" >/dev/null || fail "report --pdf"
"$cli" bom "$flat" --xls "$dir/old.xls" >/dev/null || fail "bom --xls"
"$cli" lang pack "$src/languages/magyar.xml" "$dir/old.xmz" >/dev/null || fail "lang pack"
for f in old.lzw old.rtf old.pdf old.xls old.xmz; do cp "$dir/$f" "$dir/$f.before"; done

# The same writes with room for a KiB only: each fails, and the old file stays.
small() {  # small TARGET COMMAND...: runs the command under a 1 KiB file size limit
    local target=$1; shift
    (ulimit -f 1; trap '' XFSZ; exec "$cli" "$@") >"$dir/out" 2>"$dir/err"
    local code=$?
    [ "$code" -ne 0 ] || fail "$* succeeded in 1 KiB"
    cmp -s "$dir/$target" "$dir/$target.before" || fail "$*: the old $target was changed"
    ls -a "$dir" | grep -q "^\.$target\." && fail "$*: a temporary file was left behind"
}
small old.lzw lzw encode "$dir/big" "$dir/old.lzw"
small old.rtf report "$flat" --kind detailed --rtf "$dir/old.rtf"
small old.pdf report "$flat" --kind detailed --pdf "$dir/old.pdf"
small old.xls bom "$flat" --xls "$dir/old.xls"
small old.xmz lang pack "$src/languages/magyar.xml" "$dir/old.xmz"
cp "$flat" "$dir/old.klp" && cp "$flat" "$dir/old.klp.before"
small old.klp recalc "$flat" --apply -o "$dir/old.klp"

# Through a symbolic link: the link stays, the project it names is the one written.
mkdir "$dir/projects"
printf 'x' >"$dir/projects/real.klp"
ln -s projects/real.klp "$dir/link.klp"
"$cli" recalc "$flat" --apply -o "$dir/link.klp" >/dev/null 2>&1 || fail "recalc -o through a link"
[ -L "$dir/link.klp" ] || fail "the link was replaced by a file"
"$cli" show "$dir/projects/real.klp" >/dev/null 2>&1 || fail "the linked project was not written"

# A write-protected project is not overwritten, and the message says why.
cp "$flat" "$dir/protected.klp"
chmod 0444 "$dir/protected.klp"
printf 'old' >"$dir/protected.klp.before"
chmod u+w "$dir/protected.klp" && printf 'old' >"$dir/protected.klp" && chmod 0444 "$dir/protected.klp"
"$cli" --language English recalc "$flat" --apply -o "$dir/protected.klp" >"$dir/out" 2>"$dir/err"
[ $? -eq 1 ] || fail "a write-protected file was written"
[ "$(cat "$dir/protected.klp")" = old ] || fail "the write-protected file changed"
grep -q "write-protected" "$dir/err" || fail "no reason for the refusal: $(cat "$dir/err")"
[ "$(stat -c %a "$dir/protected.klp")" = 444 ] || fail "the protection was lifted"

# The longest name a folder takes (255 bytes) is written like any other.
long=$(printf 'p%.0s' $(seq 1 251)).klp
"$cli" recalc "$flat" --apply -o "$dir/$long" >/dev/null 2>"$dir/err" || fail "a 255-byte name: $(cat "$dir/err")"
"$cli" show "$dir/$long" >/dev/null 2>&1 || fail "the 255-byte name does not read back"

echo "$failures failed"
[ "$failures" -eq 0 ]
