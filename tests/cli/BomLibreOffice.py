#!/usr/bin/env python3
"""The bill of the example projects as LibreOffice reads it: the .xls, .rtf and .csv
files of `bom` are converted headless and every name, code, quantity and unit is
compared with `bom --json`.  Skips (exit 77) only when soffice is not installed.

Usage: BomLibreOffice.py KALORINA_CLI EXAMPLES_DIR
"""
import json
import os
import shutil
import subprocess
import sys
import tempfile

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


def csv_rows(text):
    import csv
    import io
    return [row for row in csv.reader(io.StringIO(text), delimiter=";") if row]


def same_quantity(text, value, digits):
    got = float(text.replace(",", "."))
    return abs(got - value) <= abs(value) * 10 ** (1 - digits) + 1e-12


def compare(label, rows, expected, digits, failures):
    if len(rows) != len(expected):
        failures.append(f"{label}: {len(rows)} rows, expected {len(expected)}")
        return
    before = len(failures)
    for got, want in zip(rows, expected):
        name, code, quantity, unit = (got + ["", "", "", ""])[:4]
        if name != want["name"] or code != want["estimateCode"] or unit != want["unit"]:
            failures.append(f"{label}: {got} differs from {want}")
        elif not same_quantity(quantity, want["quantity"], digits):
            failures.append(f"{label}: quantity {quantity} of {name} differs from {want['quantity']}")
    if len(failures) == before:
        print(f"{label}: all {len(rows)} rows match")


def main():
    cli, examples = sys.argv[1], sys.argv[2]
    if shutil.which("soffice") is None:
        print("SKIPPED: soffice (LibreOffice) is not installed; the bill's files were not opened")
        return SKIP
    failures = []
    work = tempfile.mkdtemp(prefix="kalorina-bom-lo-")
    try:
        profile = os.path.join(work, "profile")
        for project in ("flat", "house"):
            out = os.path.join(work, project)
            os.makedirs(out)
            files = {ext: os.path.join(out, project + "." + ext) for ext in ("xls", "rtf", "csv")}
            result = subprocess.run([cli, "bom", os.path.join(examples, project + ".klp"), "--json",
                                     "--xls", files["xls"], "--rtf", files["rtf"], "--csv", files["csv"]],
                                    check=True, capture_output=True, text=True)
            bill = json.loads(result.stdout)
            expected = bill["rows"]
            if bill["error"] is not None or not expected:
                failures.append(f"{project}: no bill ({bill['error']})")
                continue
            converted = os.path.join(out, "lo")
            # Calc: the worksheet and the text table, both written back as UTF-8 text.
            xls = csv_rows(soffice(profile, converted, "csv:Text - txt - csv (StarCalc):59,34,76", files["xls"]))
            # The worksheet holds the quantity as shown: the single's shortest decimal.
            compare(project + ".xls", xls[1:], expected, 7, failures)
            csv_back = soffice(profile, os.path.join(converted, "csv"),
                               "csv:Text - txt - csv (StarCalc):59,34,76", files["csv"], "CSV:59,34,76,1")
            compare(project + ".csv", csv_rows(csv_back)[1:], expected, 7, failures)
            # Writer: every table cell becomes a line of its own after the title and the heading.
            lines = soffice(profile, converted, "txt:Text (encoded):UTF8", files["rtf"]).splitlines()
            body = lines[5:5 + 4 * len(expected)]
            rtf = [body[i:i + 4] for i in range(0, len(body), 4)]
            compare(project + ".rtf", rtf, expected, 6, failures)
    finally:
        shutil.rmtree(work, ignore_errors=True)
    for f in failures:
        print("FAIL:", f)
    print(f"{len(failures)} failures")
    return 1 if failures else 0


if __name__ == "__main__":
    sys.exit(main())
