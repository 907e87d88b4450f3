"""What the LibreOffice checks share: converting a file headless, reading a CSV
table, reading the cells' types as Calc reads them in a language, checking that
numbers come out as numbers, and running a check in a scratch folder with one
LibreOffice profile, skipping (exit 77) only when soffice is not installed."""
import csv
import io
import os
import re
import shutil
import subprocess
import tempfile
import xml.etree.ElementTree as ET

SKIP = 77


def soffice(profile, outdir, target, source, infilter=None):
    cmd = ["soffice", "-env:UserInstallation=file://" + profile, "--headless"]
    if infilter:
        cmd.append("--infilter=" + infilter)
    cmd += ["--convert-to", target, "--outdir", outdir, source]
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
    base = os.path.splitext(os.path.basename(source))[0]
    ext = target.split(":")[0]
    with open(os.path.join(outdir, base + "." + ext), encoding="utf-8-sig") as f:
        return f.read()


def csv_rows(text, delimiter=";"):
    return [row for row in csv.reader(io.StringIO(text), delimiter=delimiter) if row]


# The machine may have no Hungarian locale to run LibreOffice under (LC_ALL=hu_HU
# needs it generated), so the CSV filter is told the language instead: its sixth
# option is the language the cells are read in, 1038 being Hungarian, which makes
# ',' the decimal sign and "12.5" no number; 1033 is US English.  The options before
# it: the cell separator (59 ';', 44 ','), the text quote (34 '"'), UTF-8 (76) and
# the first line to read.
HUNGARIAN_CSV = "CSV:59,34,76,1,,1038"
ENGLISH_CSV = "CSV:44,34,76,1,,1033"

_NS = {"table": "urn:oasis:names:tc:opendocument:xmlns:table:1.0",
       "office": "urn:oasis:names:tc:opendocument:xmlns:office:1.0",
       "text": "urn:oasis:names:tc:opendocument:xmlns:text:1.0"}


def _attr(element, ns, name):
    return element.get("{" + _NS[ns] + "}" + name)


def read_cells(profile, outdir, source, infilter):
    """The first sheet of `source` as LibreOffice Calc reads it with `infilter`: rows of
    (type, value) pairs, the type being Calc's ("float", "string", "date", ...; "" for an
    empty cell) and the value its number for floats, else the cell's text."""
    os.makedirs(outdir, exist_ok=True)
    cmd = ["soffice", "-env:UserInstallation=file://" + profile, "--headless", "--infilter=" + infilter,
           "--convert-to", "fods", "--outdir", outdir, source]
    subprocess.run(cmd, check=True, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL, timeout=120)
    base = os.path.splitext(os.path.basename(source))[0]
    root = ET.parse(os.path.join(outdir, base + ".fods")).getroot()
    table = root.find(".//table:table", _NS)
    rows = []
    for row in table.iter("{" + _NS["table"] + "}table-row"):
        cells = []
        for cell in row:
            if not cell.tag.endswith("table-cell"):
                continue
            kind = _attr(cell, "office", "value-type") or ""
            text = "\n".join("".join(p.itertext()) for p in cell.findall("text:p", _NS))
            value = float(_attr(cell, "office", "value")) if kind == "float" else text
            repeat = int(_attr(cell, "table", "number-columns-repeated") or 1)
            cells += [(kind, value)] * min(repeat, 64)
        while cells and cells[-1] == ("", ""):
            cells.pop()
        if cells:
            rows.append(cells)
    return rows


def number_pattern(sign):
    return re.compile(r"^-?[0-9]+(" + re.escape(sign) + r"[0-9]+)?$")


def check_numbers(label, written, read, sign, failures):
    """Every cell the program wrote as a number with the decimal `sign` ("12,5", "840")
    must be a number to Calc, and the same number; other cells must stay texts (not
    dates, as "12.5" is to a Hungarian Calc)."""
    number = number_pattern(sign)
    count = 0
    if len(read) != len(written):
        failures.append(f"{label}: Calc read {len(read)} rows of {len(written)}")
        return
    for n, (w, r) in enumerate(zip(written, read)):
        r = r + [("", "")] * (len(w) - len(r))
        for c, cell in enumerate(w):
            kind, value = r[c]
            if number.match(cell):
                count += 1
                if kind != "float":
                    failures.append(f"{label} row {n + 1} column {c + 1}: '{cell}' read as {kind or 'nothing'} "
                                    f"'{value}', not as a number")
                elif abs(value - float(cell.replace(sign, "."))) > 1e-9:
                    failures.append(f"{label} row {n + 1} column {c + 1}: '{cell}' read as {value}")
            elif cell and kind != "string":
                failures.append(f"{label} row {n + 1} column {c + 1}: text '{cell}' read as {kind} {value}")
    if count == 0:
        failures.append(f"{label}: no numbers written")
    print(f"{label}: {count} numbers read as numbers")


def run(what, check):
    """Runs check(work, profile, failures) in a scratch folder and reports."""
    if shutil.which("soffice") is None:
        print(f"SKIPPED: soffice (LibreOffice) is not installed; {what} not opened")
        return SKIP
    failures = []
    work = tempfile.mkdtemp(prefix="kalorina-lo-")
    try:
        check(work, os.path.join(work, "profile"), failures)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for f in failures:
        print("FAIL:", f)
    print(f"{len(failures)} failures")
    return 1 if failures else 0
