#!/usr/bin/env python3
"""The bill of the example projects as LibreOffice reads it: the .xls, .rtf and .csv
files of `bom` are converted headless and every name, code, quantity and unit is
compared with `bom --json`, and the bill's warnings must stand under the table.
Every quantity of the CSV file is a number to Calc: read in Hungarian for the
Hungarian bill (decimal commas, ';' between cells), in English for the English one
(decimal points, ',' between cells).  Skips (exit 77) only when soffice is not
installed.

Usage: BomLibreOffice.py KALORINA_CLI EXAMPLES_DIR
"""
import json
import os
import subprocess
import sys

from libreoffice import ENGLISH_CSV, HUNGARIAN_CSV, check_numbers, csv_rows, read_cells, run, soffice


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


def notes_match(label, rows, count, warnings, failures):
    """The bill's warnings under its table, one a row of one cell, after an empty row."""
    notes = [r[0] for r in rows[count:] if r and r[0]]
    if notes != warnings:
        failures.append(f"{label}: notes {notes} under the table, expected {warnings}")


def main():
    cli, examples = sys.argv[1], sys.argv[2]

    def check(work, profile, failures):
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
            compare(project + ".xls", xls[1:1 + len(expected)], expected, 7, failures)
            notes_match(project + ".xls", xls[1:], len(expected), bill["warnings"], failures)
            csv_back = soffice(profile, os.path.join(converted, "csv"),
                               "csv:Text - txt - csv (StarCalc):59,34,76", files["csv"], HUNGARIAN_CSV)
            with open(files["csv"], encoding="utf-8-sig") as f:
                check_numbers(project + ".csv in Hungarian", csv_rows(f.read()),
                              read_cells(profile, os.path.join(converted, "hu"), files["csv"], HUNGARIAN_CSV), ",",
                              failures)
            english = os.path.join(out, project + "-en.csv")
            subprocess.run([cli, "bom", os.path.join(examples, project + ".klp"), "--language", "English",
                            "--csv", english], check=True, capture_output=True)
            with open(english, encoding="utf-8-sig") as f:
                check_numbers(project + ".csv in English", csv_rows(f.read(), ","),
                              read_cells(profile, os.path.join(converted, "en"), english, ENGLISH_CSV), ".", failures)
            csv_back = csv_rows(csv_back)
            compare(project + ".csv", csv_back[1:1 + len(expected)], expected, 7, failures)
            notes_match(project + ".csv", csv_back[1:], len(expected), bill["warnings"], failures)
            # Writer: every table cell becomes a line of its own after the title and the heading.
            lines = soffice(profile, converted, "txt:Text (encoded):UTF8", files["rtf"]).splitlines()
            body = lines[5:5 + 4 * len(expected)]
            rtf = [body[i:i + 4] for i in range(0, len(body), 4)]
            compare(project + ".rtf", rtf, expected, 6, failures)
            for warning in bill["warnings"]:
                if warning not in lines[5 + 4 * len(expected):]:
                    failures.append(f"{project}.rtf: the note '{warning}' is not under the table")

    return run("the bill's files were", check)


if __name__ == "__main__":
    sys.exit(main())
