#!/usr/bin/env bash
# Exit codes of the commands: 0 success, 1 failed operation, 2 usage.
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

# lang list / lang text on a folder of our own, and on the languages beside the program.
mkdir "$dir/langs"
cp "$dir/t.xmz" "$dir/langs/t.xmz"
printf '<?xml version="1.0" encoding="UTF-8"?><language id="Példa" UserInterface="yes"><strings><item id="K" value="ő"></item></strings></language>\n' >"$dir/langs/p.xml"
expect 0 --languages "$dir/langs" lang list
printf 'Példa\tprint\t%s\nTest\tui\t%s\n' "$dir/langs/p.xml" "$dir/langs/t.xmz" | cmp -s - "$dir/out" \
    || { echo "FAIL: lang list printed:"; cat "$dir/out"; failures=$((failures + 1)); }
expect 0 --languages "$dir/langs" --language "Példa" lang text K
[ "$(cat "$dir/out")" = "ő" ] || { echo "FAIL: lang text K"; failures=$((failures + 1)); }
expect 1 --languages "$dir/langs" --language Test lang text K
expect 1 --languages "$dir/langs" --language Nosuch lang text K
expect 1 --languages "$dir/none" lang list
expect 2 lang list extra
expect 2 lang text
expect 2 lang text A B
expect 0 lang list
grep -q "^Magyar	ui	" "$dir/out" && grep -q "^English	ui	" "$dir/out" \
    || { echo "FAIL: the shipped languages are not listed as user-interface languages"; failures=$((failures + 1)); }
expect 0 --language English lang text IDS_PROGRAMTITLE
[ "$(cat "$dir/out")" = "Kalorina Floor Heating Designer" ] || { echo "FAIL: English title"; failures=$((failures + 1)); }
expect 0 lang text IDS_PROGRAMTITLE
[ "$(cat "$dir/out")" = "Kalorina Padlófűtés méretező" ] || { echo "FAIL: Hungarian title"; failures=$((failures + 1)); }
# Project commands: a project written by recalc reads back with show.
expect 2 show
expect 2 show "$dir/a" extra
expect 2 recalc
expect 2 recalc "$dir/p.klp" -o
expect 1 show "$dir/missing.klp"
expect 1 recalc "$dir/a"
printf '\021\000Kalorina_Project\000\000\001\377\177' >"$dir/empty.klp"
expect 0 show "$dir/empty.klp" --json
expect 0 recalc "$dir/empty.klp" --apply -o "$dir/out.klp"
expect 0 show "$dir/out.klp"
# A recalculation in which items fail (a sound catalogue without the project's
# floor heating system) says so and exits 3, and still writes the file it was asked for.
mkdir "$dir/nocat"
printf '<?xml version="1.0"?><C><TervaldDBMedium><ItemHeader><Year>2024</Year><Month>3</Month><Day>1</Day><ItemPath>M</ItemPath><ItemName>W</ItemName></ItemHeader></TervaldDBMedium></C>' >"$dir/nocat/a.xml"
flat="$(dirname "$0")/../../examples/flat.klp"
expect 3 --data "$dir/nocat" recalc "$flat" --apply -o "$dir/failed.klp"
[ -s "$dir/failed.klp" ] || { echo "FAIL: recalc with failed items wrote no file"; failures=$((failures + 1)); }
expect 0 recalc "$flat"
# A catalogue that did not load whole (missing, empty, cut short) computes nothing:
# recalc, design and bom exit 1 with the reason, and no file is written.
mkdir "$dir/emptycat" "$dir/cutcat"
cp -r "$(dirname "$0")/../../data/." "$dir/cutcat/"
head -c 2000 "$(dirname "$0")/../../data/include/floorheating.xml" >"$dir/cutcat/include/floorheating.xml"
for data in "$dir/nosuchfolder" "$dir/emptycat" "$dir/cutcat"; do
    rm -f "$dir/blank.klp" "$dir/designed.klp"
    expect 1 --language English --data "$data" recalc "$flat" --apply -o "$dir/blank.klp"
    [ -e "$dir/blank.klp" ] && { echo "FAIL: recalc wrote a file with the catalogue $data"; failures=$((failures + 1)); }
    grep -q "catalogue" "$dir/err" || { echo "FAIL: recalc names no reason: $(cat "$dir/err")"; failures=$((failures + 1)); }
    expect 1 --data "$data" design "$flat" --apply -o "$dir/designed.klp"
    [ -e "$dir/designed.klp" ] && { echo "FAIL: design wrote a file with the catalogue $data"; failures=$((failures + 1)); }
    expect 1 --data "$data" bom "$flat" --json
    expect 1 --language English --data "$data" catalogue --json
    grep -q '"failed":true' "$dir/out" || { echo "FAIL: catalogue $data is not reported as failed"; failures=$((failures + 1)); }
done
grep -q "floorheating.xml' is damaged at line" "$dir/err" "$dir/out" \
    || { echo "FAIL: the cut file is not named with its line: $(cat "$dir/out")"; failures=$((failures + 1)); }
# Messages speak the language chosen, for every command alike; a file cut short
# is damaged, not foreign.
head -c 300 "$flat" >"$dir/cut.klp"
for cmd in show recalc bom check design; do
    expect 1 --language English $cmd "$dir/cut.klp"
    grep -q "damaged or truncated" "$dir/err" "$dir/out" || { echo "FAIL: $cmd: $(cat "$dir/err")"; failures=$((failures + 1)); }
    expect 1 $cmd "$dir/a"
    grep -q "nem Kalorina projektf" "$dir/err" "$dir/out" || { echo "FAIL: $cmd in Hungarian: $(cat "$dir/err")"; failures=$((failures + 1)); }
done

# The design check: the shipped example is sound; a copy with two circuits of one
# name has an error, which only --strict turns into the exit code.
expect 2 check
expect 2 check "$flat" --bogus
expect 0 check "$flat" --json --strict
grep -q '^{"problems": \[.*\], "error": null}$' "$dir/out" || { echo "FAIL: check --json"; cat "$dir/out"; failures=$((failures + 1)); }
grep -q '"severity":"error"' "$dir/out" && { echo "FAIL: the flat example has a design error"; cat "$dir/out"; failures=$((failures + 1)); }
LC_ALL=C sed 's/K\xF6r 2/K\xF6r 1/' "$flat" >"$dir/dup.klp"
expect 0 check "$dir/dup.klp" --json
grep -q '"severity":"error","kind":"duplicateName","room":"","circuit":"Kör 1"' "$dir/out" || { echo "FAIL: check names no duplicate"; cat "$dir/out"; failures=$((failures + 1)); }
expect 3 check "$dir/dup.klp" --strict
expect 0 check "$dir/dup.klp"
grep -q "^error duplicateName \[Kör 1\]" "$dir/out" || { echo "FAIL: check text"; cat "$dir/out"; failures=$((failures + 1)); }
expect 1 check "$dir/missing.klp" --json
grep -q '"problems": \[\], "error": "' "$dir/out" || { echo "FAIL: check --json without the error"; cat "$dir/out"; failures=$((failures + 1)); }

# Catalogue commands on the shipped catalogue, and on one that does not load.
expect 0 catalogue
grep -q "Vexalon FH-W16" "$dir/out" || { echo "FAIL: catalogue listing"; failures=$((failures + 1)); }
expect 0 catalogue --json
grep -q '"failed":false' "$dir/out" || { echo "FAIL: catalogue --json"; failures=$((failures + 1)); }
expect 0 seccodes
[ -s "$dir/out" ] && { echo "FAIL: a shipped valve fails its security check"; failures=$((failures + 1)); }
mkdir "$dir/badcat"
printf '<?xml version="1.0"?><C><TervaldDBTube><ItemHeader><ItemPath>x</ItemPath></ItemHeader></TervaldDBTube></C>' >"$dir/badcat/a.xml"
expect 1 --data "$dir/badcat" catalogue --json
grep -q '"failed":true' "$dir/out" || { echo "FAIL: a failed load is not reported as such"; failures=$((failures + 1)); }
size=(size --system "Vexalon FH-W16" --resistance 0.1 --forward 40 --return 35 --inside 20 --power 800 --area 12)
expect 0 "${size[@]}" --json
grep -q '"optimum":{"spacing1":100' "$dir/out" || { echo "FAIL: size optimum"; cat "$dir/out"; failures=$((failures + 1)); }
expect 1 size --system Nope --resistance 0.1 --forward 40 --return 35 --inside 20 --power 800 --area 12
expect 1 size --system "Vexalon FH-W16" --resistance 0.1 --forward 30 --return 35 --inside 20 --power 800 --area 12
expect 2 size --system "Vexalon FH-W16"
expect 2 catalogue --bogus

# The bill of materials.
expect 2 bom
expect 2 bom "$dir/empty.klp" --xls
expect 2 bom "$dir/empty.klp" --bogus
expect 2 bom "$dir/empty.klp" "$dir/empty.klp"
expect 0 bom "$dir/empty.klp" --json
[ "$(cat "$dir/out")" = '{"rows": [], "warnings": [], "error": null}' ] || { echo "FAIL: bom of an empty project"; cat "$dir/out"; failures=$((failures + 1)); }
expect 1 bom "$dir/missing.klp" --json
grep -q '"error": "' "$dir/out" || { echo "FAIL: bom --json without the error"; failures=$((failures + 1)); }
expect 1 bom "$dir/empty.klp" --xls "$dir/no/such/dir/x.xls"
expect 0 --language English bom "$dir/empty.klp" --csv "$dir/e.csv" --html "$dir/e.html" --rtf "$dir/e.rtf"

# xml: one JSON object per part, texts as UTF-8 whatever the document's encoding,
# attributes in the scanner's (name) order.
printf '<?xml version="1.0" encoding="windows-1250"?>\n<a z="1" b="\xf5"><!--c--><b/>  F\xfbt\xe9s &amp; x </a>' >"$dir/x.xml"
expect 0 xml "$dir/x.xml"
want='{"type": "ptXmlProlog", "name": "", "content": "", "attributes": [["encoding", "windows-1250"], ["version", "1.0"]]}
{"type": "ptStartTag", "name": "a", "content": "", "attributes": [["b", "ő"], ["z", "1"]]}
{"type": "ptComment", "name": "", "content": "c", "attributes": []}
{"type": "ptEmptyTag", "name": "b", "content": "", "attributes": []}
{"type": "ptContent", "name": "", "content": "Fűtés & x", "attributes": []}
{"type": "ptEndTag", "name": "a", "content": "", "attributes": []}'
[ "$(cat "$dir/out")" = "$want" ] || { echo "FAIL: xml parts"; cat "$dir/out"; failures=$((failures + 1)); }
for f in "$(dirname "$0")"/../../data/*.xml "$(dirname "$0")"/../../data/include/*.xml; do
    expect 0 xml "$f"
    [ "$(grep -c '^{"type": "pt' "$dir/out")" -eq "$(wc -l <"$dir/out")" ] || { echo "FAIL: xml $f"; failures=$((failures + 1)); }
done
expect 1 xml "$dir/missing.xml"
expect 1 xml "$dir"
expect 2 xml
expect 2 xml "$dir/x.xml" "$dir/x.xml"

# The printing commands run in the companion program; without it they fail with
# a message instead of printing nothing.  kalorina-cli itself loads no GUI library.
ldd "$cli" | grep -q 'libQt6' && { echo "FAIL: kalorina-cli loads Qt"; failures=$((failures + 1)); }
mkdir "$dir/alone"
cp "$cli" "$dir/alone/kalorina-cli"
real_cli=$cli
cli=$dir/alone/kalorina-cli
if [ ! -e /usr/libexec/kalorina/kalorina-cli-pages ] && [ ! -e /usr/local/libexec/kalorina/kalorina-cli-pages ]; then
    expect 1 report "$dir/none.klp" --kind rooms --pdf "$dir/none.pdf"
    grep -q 'kalorina-cli-pages' "$dir/err" || { echo "FAIL: no word of the missing companion"; failures=$((failures + 1)); }
fi
cli=$real_cli
expect 2 report
expect 1 bom "$dir/missing.klp" --json

# The design: prints, writes only with --apply and only to OUT, names an unknown manifold.
house=$(dirname "$0")/../../examples/house.klp
expect 2 design
expect 2 design "$house" --apply
expect 2 design "$house" -o "$dir/designed.klp"
[ -e "$dir/designed.klp" ] && { echo "FAIL: design wrote without --apply"; failures=$((failures + 1)); }
expect 0 design "$house" --json
grep -q '^{"manifolds": \[{"name":"Osztó","supplyTemperature":[0-9.]*,"spread":5,"availablePressure":[0-9]*,"totalMassFlow":[0-9.]*,"indexCircuit":"Kör [0-9]*","designRoom":"[^"]*","uncoveredRooms":\[\],"supplementaryHeat":\[\],"circuits":\[{"roundName":"Kör 1","forward":' "$dir/out" \
    || { echo "FAIL: design --json"; cat "$dir/out"; failures=$((failures + 1)); }
cp "$house" "$dir/house.klp"
expect 0 design "$dir/house.klp" --apply -o "$dir/designed.klp"
cmp -s "$house" "$dir/house.klp" || { echo "FAIL: design changed its input"; failures=$((failures + 1)); }
grep -q "index circuit" "$dir/out" || { echo "FAIL: design table"; cat "$dir/out"; failures=$((failures + 1)); }
expect 0 check "$dir/designed.klp" --strict
expect 0 design "$dir/designed.klp" --manifold "Osztó"
expect 1 --language English design "$house" --manifold "Nincs ilyen"
grep -q "no manifold 'Nincs ilyen'; the project has: Osztó" "$dir/err" || { echo "FAIL: design unknown manifold: $(cat "$dir/err")"; failures=$((failures + 1)); }

# Numbers: the text output writes the language's decimal sign, the JSON a point;
# both write what was stored as it was typed (a field of 12.6 m2, a bill row of
# 54.5 m2 summed from singles), not the float's last digits.
flat=$(dirname "$0")/../../examples/flat.klp
numbers() {  # numbers WHAT PATTERN: the output of the last command must match
    grep -Eq -- "$2" "$dir/out" || { echo "FAIL: $1: no match for '$2' in:"; head -5 "$dir/out"; failures=$((failures + 1)); }
}
no_noise() {  # no_noise WHAT: no typed decimal with a float's last digits (24.7000008, 15.799999)
    grep -Eq '[0-9][.,][0-9]*(0000|9999)[0-9]' "$dir/out" \
        && { echo "FAIL: $1 has float noise:"; grep -Eo '[0-9]+[.,][0-9]*(0000|9999)[0-9]+' "$dir/out" | head -3; failures=$((failures + 1)); }
}
expect 0 show "$flat"
numbers "show in Hungarian" '^room Nappali: 28,0 m2, 20,0 °C, .* on 25,20 m2, free 0,00 m2$'
numbers "show in Hungarian" '^  field 1 .*, 12,60 m2, 50,6 W/m2, '
expect 0 --language English show "$flat"
numbers "show in English" '^room Nappali: 28.0 m2, 20.0 °C, .* on 25.20 m2, free 0.00 m2$'
expect 0 show "$flat" --json
numbers "show --json" '"area":12.6,'
grep -Eq '"[A-Za-z]+":-?[0-9]+,[0-9]' "$dir/out" && { echo "FAIL: show --json writes a decimal comma"; failures=$((failures + 1)); }
no_noise "show --json"
expect 0 bom "$flat"
numbers "bom in Hungarian" $'\t54,5\tm2$'
no_noise "bom"
expect 0 bom "$flat" --language English
numbers "bom in English" $'\t54.5\tm2$'
expect 0 bom "$flat" --json
numbers "bom --json" '"quantity": 54.5, "unit": "m2"'
no_noise "bom --json"

echo "$passes passed, $failures failed"
[ "$failures" -eq 0 ]
