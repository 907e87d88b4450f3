#!/usr/bin/env bash
# The report and bom commands' pages through the real executable: the five reports
# of every example project as PDF files, read back with pdftotext, and the manifold
# schedule as a CSV file, with a manifold not yet designed saying so; a 60-room project
# over several pages with the column header on each; every row of the examples'
# bills; the usage and failure exit codes; and the first page of each report as a
# picture for review.
# Usage: CliReport.sh PATH/TO/kalorina-cli SOURCE_DIR PICTURE_DIR
set -u
cli=$1 src=$2 pictures=$3
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
command -v pdftotext >/dev/null || { echo "FAIL: pdftotext is missing (poppler-utils)"; exit 1; }

has() {  # has FILE.txt TEXT WHAT
    grep -qF -- "$2" "$1" || fail "$3: '$2' not in $(basename "$1")"
}
# The same, blanks left out on both sides: pdftotext's layout may close up a
# quantity and its unit when the column is narrow.
has_closed_up() {  # has_closed_up FILE.txt TEXT WHAT
    tr -d ' ' <"$1" | grep -qF -- "${2// /}" || fail "$3: '$2' not in $(basename "$1")"
}

for project in "$src"/examples/*.klp; do
    name=$(basename "$project" .klp)
    "$cli" show "$project" >"$dir/$name.show" || { fail "show $name"; continue; }
    for kind in rooms fields circuits detailed manifolds; do
        pdf="$dir/$name-$kind.pdf"
        "$cli" report "$project" --kind "$kind" --pdf "$pdf" >/dev/null 2>"$dir/err" \
            || { fail "report $name $kind: $(cat "$dir/err")"; continue; }
        pdftotext -layout "$pdf" "$dir/$name-$kind.txt" || fail "pdftotext $name $kind"
    done
    # Every room in the rooms summary and the fields report, every circuit in both
    # circuit reports and in the manifold schedule, and once in its CSV file.
    "$cli" report "$project" --kind manifolds --csv "$dir/$name.csv" >/dev/null 2>"$dir/err" \
        || fail "report $name manifolds --csv: $(cat "$dir/err")"
    head -c 3 "$dir/$name.csv" | od -An -tx1 | grep -q "ef bb bf" || fail "$name.csv has no byte order mark"
    sed -n 1p "$dir/$name.csv" | grep -qF "Kimenet;Kör;Helyiségek" || fail "$name.csv has no header row"
    while IFS= read -r room; do
        has "$dir/$name-rooms.txt" "$room" "$name rooms"
        has "$dir/$name-fields.txt" "${room:0:8}" "$name fields"
    done < <(sed -n 's/^room \(.*\): [0-9,]* m2,.*/\1/p' "$dir/$name.show")
    while IFS= read -r circuit; do
        has "$dir/$name-circuits.txt" "$circuit" "$name circuits"
        has "$dir/$name-detailed.txt" "$circuit" "$name detailed"
        has "$dir/$name-manifolds.txt" "$circuit" "$name manifolds"
        n=$(awk -F';' -v c="$circuit" '$10 == c' "$dir/$name.csv" | wc -l)
        [ "$n" -eq 1 ] || fail "$name.csv: circuit '$circuit' in $n rows"
    done < <(sed -n 's/^circuit \(.*\): [0-9]* W,.*/\1/p' "$dir/$name.show")
    # The totals close both room reports, with the decimal comma of Hungarian.
    loss=$(sed -n 's/^totals: heat loss \([0-9]*,[0-9]*\) kW.*/\1/p' "$dir/$name.show")
    power=$(sed -n 's/^totals: .*floor heating \([0-9]*,[0-9]*\) kW on.*/\1/p' "$dir/$name.show")
    [ -n "$loss" ] && [ -n "$power" ] || fail "$name: show gave no totals with a decimal comma"
    grep -q "^room .*: [0-9]*,[0-9] m2," "$dir/$name.show" || fail "$name: show lists no room with its area"
    for kind in rooms fields; do
        has "$dir/$name-$kind.txt" "$loss kW" "$name $kind heat loss total"
        has "$dir/$name-$kind.txt" "$power kW" "$name $kind output total"
    done
done

# 60 rooms: several pages, each with the column header and its page number.
"$cli" report "$src/tests/cli/sixty-rooms.klp" --kind rooms --pdf "$dir/sixty.pdf" >/dev/null 2>&1 \
    || fail "report of 60 rooms"
pages=$(pdfinfo "$dir/sixty.pdf" 2>/dev/null | sed -n 's/^Pages: *//p')
[ "${pages:-0}" -ge 2 ] || fail "60 rooms gave ${pages:-no} page(s)"
for ((p = 1; p <= ${pages:-0}; p++)); do
    pdftotext -layout -f $p -l $p "$dir/sixty.pdf" "$dir/page.txt"
    grep -qF "Megnevezés" "$dir/page.txt" || fail "page $p of 60 rooms has no column header"
done
pdftotext "$dir/sixty.pdf" "$dir/sixty.txt"
for r in 1 30 60; do has "$dir/sixty.txt" "Szoba $r" "60 rooms"; done

# English reports from the same project, and the chosen items only.
"$cli" report "$src/examples/house.klp" --kind rooms --language English --only "Konyha" --pdf "$dir/en.pdf" >/dev/null 2>&1 \
    || fail "English report"
pdftotext "$dir/en.pdf" "$dir/en.txt"
has "$dir/en.txt" "Konyha" "English report"
grep -qF "Hálószoba" "$dir/en.txt" && fail "an item that was not chosen was printed"
grep -qiF "total" "$dir/en.txt" || fail "English totals"

# One date form per language on a page: the project's date (entered in Hungarian)
# and the footer's date of today, in Hungarian, then in English.
date=$("$cli" show "$src/examples/flat.klp" --json | python3 -c 'import json, sys; print(json.load(sys.stdin)["project"]["projectDate"])')
[ "$date" = "2026. 12. 09." ] || fail "flat.klp's date is '$date'"
for language in Magyar English; do
    "$cli" report "$src/examples/flat.klp" --kind rooms --language "$language" --pdf "$dir/date.pdf" >/dev/null 2>&1 \
        || fail "$language report of flat"
    pdftotext -f 1 -l 1 "$dir/date.pdf" "$dir/date.txt"
    if [ "$language" = Magyar ]; then
        project_date="2026. 12. 09." today=$(date "+%Y. %m. %d.") other="2026-12-09"
    else
        project_date="2026-12-09" today=$(date +%Y-%m-%d) other="2026. 12. 09."
    fi
    has "$dir/date.txt" "$project_date" "$language report: the project date"
    has "$dir/date.txt" "$today" "$language report: today in the footer"
    grep -qF "$other" "$dir/date.txt" && fail "$language report: the other language's date form '$other'"
done

# The manifold schedule's header block in English.
"$cli" report "$src/examples/house.klp" --kind manifolds --language English --pdf "$dir/en-m.pdf" >/dev/null 2>&1 \
    || fail "English manifold schedule"
pdftotext -layout "$dir/en-m.pdf" "$dir/en-m.txt"
for text in "Supply temperature" "Design spread" "Mixed return" "Total output" "kW" "Total mass flow" "kg/h" "l/h" \
    "l/min" "Pump head" "kPa" "In metres of water" "circuits only" "Index circuit" "Out-"; do
    has "$dir/en-m.txt" "$text" "English manifold schedule"
done

# A manifold the design has not set says so; once designed (and saved) it does not.
has "$dir/villa-manifolds.txt" "nem tervezte meg" "villa as shipped, not designed"
"$cli" design "$src/examples/villa.klp" --apply -o "$dir/villa-designed.klp" >/dev/null 2>&1 || fail "design villa"
"$cli" report "$dir/villa-designed.klp" --kind manifolds --pdf "$dir/vd.pdf" >/dev/null 2>&1 || fail "designed villa schedule"
pdftotext -layout "$dir/vd.pdf" "$dir/vd.txt"
grep -qF "nem tervezte meg" "$dir/vd.txt" && fail "a designed manifold is said not to be designed"
"$cli" show "$dir/villa-designed.klp" --json | grep -qF '"designed":true' || fail "show --json has no designed manifold"

# The RTF document and the pages as pictures.
"$cli" report "$src/examples/house.klp" --kind detailed --rtf "$dir/d.rtf" >/dev/null 2>&1 || fail "rtf"
head -c 6 "$dir/d.rtf" | grep -qF '{\rtf1' || fail "the RTF document has no prologue"
# The schedule as the installer gets it: of the designed house.
"$cli" design "$src/examples/house.klp" --apply -o "$dir/house-designed.klp" >/dev/null 2>&1 || fail "design house"
for kind in rooms fields circuits detailed manifolds; do
    project="$src/examples/house.klp"
    [ "$kind" = manifolds ] && project="$dir/house-designed.klp"
    "$cli" report "$project" --kind "$kind" --png "$dir/png-$kind" >/dev/null 2>&1 \
        || fail "png $kind"
    cp "$dir/png-$kind/page-001.png" "$pictures/report-$kind.png" 2>/dev/null || fail "no first page of $kind"
done

# The pictures show the pages of the PDF file: the same page breaks.
for kind in fields detailed; do
    a=$("$cli" report "$src/tests/cli/sixty-rooms.klp" --kind "$kind" --pdf "$dir/same.pdf" 2>/dev/null | sed -n 's/.*: \([0-9]*\) page(s)/\1/p')
    b=$("$cli" report "$src/tests/cli/sixty-rooms.klp" --kind "$kind" --png "$dir/same" 2>/dev/null | sed -n 's/.*: \([0-9]*\) page(s)/\1/p')
    [ -n "$a" ] && [ "$a" = "$b" ] || fail "$kind: the PDF has ${a:-?} pages, the pictures ${b:-?}"
done

# The bill of materials as its printing dialog prints it: every row's name, code and
# quantity with its unit (as the quantity column formats it) in the PDF file.
for project in "$src"/examples/*.klp; do
    name=$(basename "$project" .klp)
    "$cli" bom "$project" --json >"$dir/$name-bom.json" 2>/dev/null || { fail "bom --json $name"; continue; }
    "$cli" bom "$project" --pdf "$dir/$name-bom.pdf" >/dev/null 2>"$dir/err" \
        || { fail "bom --pdf $name: $(cat "$dir/err")"; continue; }
    pdftotext -layout "$dir/$name-bom.pdf" "$dir/$name-bom.txt" || fail "pdftotext bom $name"
    has "$dir/$name-bom.txt" "Anyagkigyűjtés" "$name bill title"
    rows=0
    while IFS=$'\t' read -r rowName code quantity; do
        rows=$((rows + 1))
        has "$dir/$name-bom.txt" "$rowName" "$name bill name"
        has "$dir/$name-bom.txt" "$code" "$name bill code"
        has_closed_up "$dir/$name-bom.txt" "$quantity" "$name bill quantity of $rowName"
    done < <(python3 -c '
import json, sys
for r in json.load(open(sys.argv[1]))["rows"]:
    print(r["name"], r["estimateCode"], ("%.5g %s" % (r["quantity"], r["unit"])).replace(".", ","), sep="\t")
' "$dir/$name-bom.json")
    [ "$rows" -gt 0 ] || fail "$name: the bill has no rows"
done
# A manifold the kits do not fit is named in the bill's warnings and under its table:
# the house laid for twelve outlets, with a thirteenth circuit.
"$cli" bom "$src/tests/cli/thirteen-circuits.klp" --json >"$dir/house-bom.json" 2>/dev/null \
    || fail "bom of the thirteen circuits"
"$cli" bom "$src/tests/cli/thirteen-circuits.klp" --pdf "$dir/house-bom.pdf" >/dev/null 2>&1 \
    && pdftotext -layout "$dir/house-bom.pdf" "$dir/house-bom.txt"
python3 -c '
import json, sys
w = json.load(open(sys.argv[1]))["warnings"]
sys.exit(0 if w and all("\u201e" in t for t in w) else 1)
' "$dir/house-bom.json" || fail "house bom --json: no warning naming its manifold"
has "$dir/house-bom.txt" "Megjegyzések" "house bill warnings"
"$cli" --language English bom "$src/examples/house.klp" --png "$dir/bom-png" >/dev/null 2>&1 || fail "bom --png"
[ -s "$dir/bom-png/page-001.png" ] || fail "bom --png wrote no page"
"$cli" bom "$src/examples/house.klp" --title "Rendelés" --pdf "$dir/t.pdf" >/dev/null 2>&1 || fail "bom --title"
pdftotext "$dir/t.pdf" - | grep -qF "Rendelés" || fail "bom --title not on the page"

# Exit codes: usage 2, failed operation 1.
expect() {
    local want=$1; shift
    "$cli" "$@" >/dev/null 2>"$dir/err"; local got=$?
    [ "$got" -eq "$want" ] || fail "kalorina-cli $* exited $got, expected $want"
    [ "$want" -eq 0 ] || [ -s "$dir/err" ] || fail "kalorina-cli $* gave no message"
}
expect 2 report
expect 2 report "$src/examples/house.klp"
expect 2 report "$src/examples/house.klp" --kind rooms
expect 2 report "$src/examples/house.klp" --kind walls --pdf "$dir/x.pdf"
expect 2 report "$src/examples/house.klp" --kind rooms --pdf "$dir/x.pdf" --margins 1,2,3
expect 1 report "$dir/missing.klp" --kind rooms --pdf "$dir/x.pdf"
expect 1 report "$src/examples/house.klp" --kind rooms --pdf "$dir/no/such/x.pdf"
expect 1 report "$src/examples/house.klp" --kind rooms --language Klingon --pdf "$dir/x.pdf"
expect 0 report "$src/examples/house.klp" --kind rooms --margins 10,10,10,10 --pdf "$dir/x.pdf"
expect 0 report "$src/examples/house.klp" --kind detailed --landscape --pdf "$dir/l.pdf"
expect 2 report "$src/examples/house.klp" --kind rooms --csv "$dir/x.csv"
expect 1 report "$src/examples/house.klp" --kind manifolds --csv "$dir/no/such/x.csv"
expect 2 bom "$src/examples/house.klp" --pdf
expect 1 bom "$src/examples/house.klp" --pdf "$dir/no/such/bom.pdf"
pdfinfo "$dir/l.pdf" | grep -q "842 x 595" || fail "--landscape did not turn the sheet"

if [ "$failures" -ne 0 ]; then
    echo "$failures failure(s)"
    exit 1
fi
echo "report command: all checks passed"
