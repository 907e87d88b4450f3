#!/usr/bin/env bash
# A drawing written by another program (ezdxf, Debian's python3-ezdxf) imports into
# the rooms it outlines: areas as its own shoelace gives them, names from the texts
# inside, arcs as chords; a layer without closed polylines writes nothing.
set -u
cli=$1 src=$2
dir=$(mktemp -d)
trap 'rm -rf "$dir"' EXIT
failures=0
fail() { echo "FAIL: $*"; failures=$((failures + 1)); }
# Debian's own interpreter, which has python3-ezdxf, whatever else is on PATH.
py=/usr/bin/python3
"$py" - "$dir/t.dxf" <<'PY' || { echo "FAIL: ezdxf"; exit 1; }
import sys, ezdxf
doc = ezdxf.new('R2010', setup=False)
msp = doc.modelspace()
for layer in ('ROOMS', 'WALLS', 'TEXT'):
    doc.layers.add(layer)
msp.add_lwpolyline([(0, 0), (7000, 0), (7000, 4000), (0, 4000)], close=True, dxfattribs={'layer': 'ROOMS'})
msp.add_lwpolyline([(7000, 0), (10500, 0), (10500, 4000), (7000, 4000)], close=True, dxfattribs={'layer': 'ROOMS'})
msp.add_lwpolyline([(0, 4000), (4000, 4000), (4000, 6000), (2000, 6000), (2000, 8000), (0, 8000)], close=True,
                   dxfattribs={'layer': 'ROOMS'})
msp.add_lwpolyline([(4000, 4000, 0, 0, 0), (8000, 4000, 0, 0, 0), (8000, 7000, 0, 0, 1), (4000, 7000, 0, 0, 0)],
                   format='xyseb', close=True, dxfattribs={'layer': 'ROOMS'})
msp.add_text('Nappali', dxfattribs={'layer': 'TEXT', 'insert': (3000, 2000)})
msp.add_mtext('Hálószoba', dxfattribs={'layer': 'TEXT', 'insert': (8000, 2000)})
msp.add_line((0, -500), (10500, -500), dxfattribs={'layer': 'WALLS'})
doc.saveas(sys.argv[1])
PY
"$cli" plan import-dxf "$src/examples/flat.klp" "$dir/t.dxf" --layer ROOMS --unit mm -o "$dir/out.klp" \
    2>"$dir/err" || fail "import-dxf: $(cat "$dir/err")"
"$cli" plan export "$dir/out.klp" >"$dir/plan.json" || fail "plan export"
python3 - "$dir/plan.json" <<'PY' || fail "areas and names"
import json, math, sys
rooms = {r['room']: r for f in json.load(open(sys.argv[1]))['floors'] for r in f['rooms']}
want = {'Nappali': 28.0, 'Hálószoba': 14.0, 'Helyiség 1': 12.0}
for name, area in want.items():
    assert name in rooms, (name, sorted(rooms))
    assert abs(rooms[name]['area'] - area) < 0.005, (name, rooms[name]['area'])
bay = rooms['Helyiség 2']
exact = 12 + math.pi * 2 * 2 / 2
assert 0 < exact - bay['area'] < 0.05 * 2 * math.pi, bay['area']
PY
"$cli" show "$dir/out.klp" | grep -q '^room Nappali: 28,0 m2' || fail "the room takes its area"
if "$cli" plan import-dxf "$src/examples/flat.klp" "$dir/t.dxf" --layer WALLS --unit mm -o "$dir/no.klp" 2>"$dir/err"; then
    fail "a layer without closed polylines was taken"
fi
grep -q WALLS "$dir/err" || fail "the refusal names the layer: $(cat "$dir/err")"
[ ! -e "$dir/no.klp" ] || fail "a refused import wrote a file"
# The shipped drawing of the flat: another reader opens it, and it imports into
# the outlines the flat already has.
"$py" -c "import ezdxf, sys; d = ezdxf.readfile(sys.argv[1]); assert len(d.modelspace().query('POLYLINE')) == 6" \
    "$src/examples/flat.dxf" || fail "ezdxf does not read examples/flat.dxf"
"$cli" plan import-dxf "$src/examples/flat.klp" "$src/examples/flat.dxf" --layer HELYISEGEK --unit mm \
    --floor "3. emelet" -o "$dir/flat.klp" 2>"$dir/err" || fail "flat.dxf: $(cat "$dir/err")"
"$cli" plan export "$src/examples/flat.klp" >"$dir/shipped.json"
"$cli" plan export "$dir/flat.klp" >"$dir/imported.json"
python3 - "$dir/shipped.json" "$dir/imported.json" <<'PY' || fail "flat.dxf gives other outlines than the flat's"
import json, sys
def outlines(path):
    return {r['room']: (r['area'], sorted(map(tuple, r['outline'])))
            for f in json.load(open(path))['floors'] for r in f['rooms']}
a, b = outlines(sys.argv[1]), outlines(sys.argv[2])
assert a == b, (a, b)
PY
echo "$failures failure(s)"
[ "$failures" -eq 0 ]
