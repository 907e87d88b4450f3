#!/usr/bin/env python3
"""Writes examples/flat.dxf from examples/flat.plan.json: the flat's rooms as closed
POLYLINEs on the layer HELYISEGEK (millimetres), their names as TEXTs on FELIRATOK
and the walls as LINEs on FALAK, in the R12 form every DXF reader reads, in the
code page 1250 it declares."""
import json
import os

here = os.path.dirname(os.path.abspath(__file__))
examples = os.path.join(here, '..', 'examples')
plan = json.load(open(os.path.join(examples, 'flat.plan.json'), encoding='utf-8'))
rooms = plan['floors'][0]['rooms']


def mm(v):
    return '%.1f' % (v * 1000)


out = ['0', 'SECTION', '2', 'HEADER', '9', '$ACADVER', '1', 'AC1009', '9', '$DWGCODEPAGE', '3', 'ANSI_1250',
       '9', '$INSUNITS', '70', '4', '0', 'ENDSEC', '0', 'SECTION', '2', 'TABLES', '0', 'TABLE', '2', 'LAYER', '70', '3']
for name, colour in (('HELYISEGEK', 1), ('FELIRATOK', 3), ('FALAK', 8)):
    out += ['0', 'LAYER', '2', name, '70', '0', '62', str(colour), '6', 'CONTINUOUS']
out += ['0', 'ENDTAB', '0', 'ENDSEC', '0', 'SECTION', '2', 'ENTITIES']
for r in rooms:
    pts = r['outline']
    out += ['0', 'POLYLINE', '8', 'HELYISEGEK', '66', '1', '10', '0.0', '20', '0.0', '30', '0.0', '70', '1']
    for x, y in pts:
        out += ['0', 'VERTEX', '8', 'HELYISEGEK', '10', mm(x), '20', mm(y), '30', '0.0']
    out += ['0', 'SEQEND', '8', 'HELYISEGEK']
    cx = sum(p[0] for p in pts) / len(pts)
    cy = sum(p[1] for p in pts) / len(pts)
    out += ['0', 'TEXT', '8', 'FELIRATOK', '10', mm(cx), '20', mm(cy), '30', '0.0', '40', '200.0', '1', r['room']]
for r in rooms:
    pts = r['outline']
    for i, a in enumerate(pts):
        b = pts[(i + 1) % len(pts)]
        out += ['0', 'LINE', '8', 'FALAK', '10', mm(a[0]), '20', mm(a[1]), '30', '0.0',
                '11', mm(b[0]), '21', mm(b[1]), '31', '0.0']
out += ['0', 'ENDSEC', '0', 'EOF']
with open(os.path.join(examples, 'flat.dxf'), 'w', encoding='cp1250', newline='\r\n') as f:
    f.write('\n'.join(out) + '\n')
