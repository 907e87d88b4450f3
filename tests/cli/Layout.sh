#!/usr/bin/env bash
# kalorina-cli layout on the villa: every circuit laid, the JSON's polylines measured
# again here (lengths, pipes ending at the manifold, loops inside their regions),
# --apply putting the laid lengths into the circuits (and check --strict content),
# --dxf opened by another DXF reader (ezdxf, Debian's python3-ezdxf); refusals write
# nothing.
set -u
cli=$1 src=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
py=/usr/bin/python3

"$cli" layout "$src/examples/villa.klp" --json >"$dir/layout.json" 2>"$dir/err"
code=$?
[ $code -eq 0 ] || fail "layout --json exit $code: $(cat "$dir/err")"
"$py" - "$dir/layout.json" "$src/examples/villa.plan.json" <<'PY' || fail "the layout's JSON"
import json, math, sys
answer = json.load(open(sys.argv[1]))
plan = json.load(open(sys.argv[2]))
assert answer['error'] is None, answer['error']
assert answer['warnings'] == [], answer['warnings']
places = {m['manifold']: tuple(m['position']) for f in plan['floors'] for m in f['manifolds']}
def length(line):
    return sum(math.dist(a, b) for a, b in zip(line, line[1:]))
circuits = answer['circuits']
assert len(circuits) == 13, len(circuits)
for c in circuits:
    name = c['circuit']
    assert c['pattern'] == 'spiral', c
    assert c['spacing'] > 0 and abs(c['edgeDistance'] - 0.10) < 1e-9, c
    at = places[c['manifold']]
    assert math.dist(c['supplyRoute'][0], at) < 1e-6, (name, 'supply from the manifold')
    assert math.dist(c['returnRoute'][-1], at) < 1e-6, (name, 'return to the manifold')
    parts = c['parts']
    assert parts and len(c['joins']) == len(parts) - 1, name
    assert math.dist(c['supplyRoute'][-1], parts[0]['loop'][0]) < 1e-6, name
    assert math.dist(c['returnRoute'][0], parts[-1]['loop'][-1]) < 1e-6, name
    loops = sum(length(p['loop']) for p in parts)
    routes = length(c['supplyRoute']) + length(c['returnRoute']) + sum(length(j) for j in c['joins']) \
        + 2 * c['riserLength']
    assert abs(loops - c['loopLength']) < 1e-4, (name, loops, c['loopLength'])
    assert abs(routes - c['routeLength']) < 1e-4, (name, routes, c['routeLength'])
    assert abs(c['length'] - c['loopLength'] - c['routeLength']) < 1e-5, name
    assert abs(c['tubeLength'] - round(c['length'], 2)) < 0.006, (name, c['tubeLength'], c['length'])
PY

# --apply writes the laid lengths into the circuits; the result is a clean design.
"$cli" layout "$src/examples/villa.klp" --apply -o "$dir/laid.klp" >/dev/null 2>"$dir/err" \
    || fail "layout --apply: $(cat "$dir/err")"
"$cli" show "$dir/laid.klp" --json >"$dir/show.json" || fail "show"
"$py" - "$dir/show.json" "$dir/layout.json" <<'PY' || fail "laid lengths in the circuits"
import json, sys
shown = {r['roundName']: r for r in json.load(open(sys.argv[1]))['rounds']}
for c in json.load(open(sys.argv[2]))['circuits']:
    got = shown[c['circuit']]['hydraulic']['tubeLength']
    assert abs(got - round(c['length'], 2)) < 0.006, (c['circuit'], got, c['length'])
PY
"$cli" check "$dir/laid.klp" --strict >"$dir/check" 2>&1 || fail "check --strict on the laid villa: $(cat "$dir/check")"
# Laid again, nothing changes.
"$cli" layout "$dir/laid.klp" --apply -o "$dir/again.klp" >"$dir/again.txt" || fail "layout again"
cmp -s "$dir/laid.klp" "$dir/again.klp" || fail "laying an unchanged project again changed it"
grep -q "unchanged" "$dir/again.txt" || fail "laying again does not say the circuits stayed"

# The drawing: a layer per circuit, its tube as long as the JSON says.
"$cli" layout "$src/examples/villa.klp" --dxf "$dir/villa.dxf" >/dev/null || fail "layout --dxf"
"$py" - "$dir/villa.dxf" "$dir/layout.json" <<'PY' || fail "the DXF as ezdxf reads it"
import json, math, sys, ezdxf
doc = ezdxf.readfile(sys.argv[1])
circuits = json.load(open(sys.argv[2]))['circuits']
layers = [l.dxf.name for l in doc.layers]
tubes = {}
for e in doc.modelspace():
    if e.dxftype() == 'LWPOLYLINE' and e.dxf.layer.startswith('Kor_'):
        pts = [(p[0], p[1]) for p in e.get_points()]
        tubes[e.dxf.layer] = sum(math.dist(a, b) for a, b in zip(pts, pts[1:]))
assert len(tubes) == len(circuits), (len(tubes), len(circuits), layers)
assert 'Helyisegek' in layers, layers
for c in circuits:
    layer = 'Kor_' + ''.join(ch if ch.isalnum() and ord(ch) < 128 else '_' for ch in c['circuit'])
    assert layer in tubes, (layer, sorted(tubes))
    assert abs(tubes[layer] - c['length']) < 0.01, (layer, tubes[layer], c['length'])
PY

# One circuit, as a meander.
"$cli" layout "$src/examples/villa.klp" --circuit "Fsz. 4" --pattern meander --json >"$dir/one.json" \
    || fail "layout --circuit"
"$py" -c "
import json, sys
a = json.load(open('$dir/one.json'))
assert [c['circuit'] for c in a['circuits']] == ['Fsz. 4'], a['circuits']
assert a['circuits'][0]['pattern'] == 'meander'
" || fail "one circuit as a meander"

# Refusals: a circuit the project lacks, a project without a plan; nothing written.
"$cli" layout "$src/examples/villa.klp" --circuit "Nincs ilyen" --json --apply -o "$dir/no.klp" >"$dir/no.json" 2>"$dir/err"
[ $? -eq 1 ] || fail "an unknown circuit is refused with exit 1"
grep -q "Nincs ilyen" "$dir/err" || fail "the refusal names the circuit"
[ ! -e "$dir/no.klp" ] || fail "a refused layout wrote its file"
"$py" -c "import json; assert json.load(open('$dir/no.json'))['error']" || fail "the JSON carries the refusal"
"$cli" plan export "$src/examples/villa.klp" >/dev/null
printf '{"floors": []}' >"$dir/empty.json"
"$cli" plan import "$src/examples/villa.klp" "$dir/empty.json" -o "$dir/noplan.klp" 2>/dev/null
if [ -e "$dir/noplan.klp" ]; then
    "$cli" layout "$dir/noplan.klp" 2>"$dir/err" >/dev/null
    [ $? -eq 1 ] || fail "a project without a plan is refused"
fi
"$cli" layout "$src/examples/villa.klp" --dxf "$dir/no/such/dir/t.dxf" >/dev/null 2>"$dir/err"
[ $? -eq 1 ] || fail "a drawing that cannot be written is a failure"
grep -q "no/such/dir/t.dxf" "$dir/err" || fail "the write failure names the file: $(cat "$dir/err")"
"$cli" layout "$src/examples/villa.klp" --pattern zigzag 2>/dev/null
[ $? -eq 2 ] || fail "an unknown pattern is a usage error"

[ $failures -eq 0 ] && echo "all layout checks passed"
exit $failures
