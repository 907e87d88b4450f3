#!/usr/bin/env python3
"""The manifold schedule's CSV file as LibreOffice Calc reads it: the examples' files
of `report --kind manifolds --csv` are opened headless and written back, and every
cell must come back as the program wrote it (texts alike, numbers equal), with the
header row first and one row per circuit, and the flow meters' columns in l/min.
Read as a Hungarian Calc reads it, every number of the Hungarian file is a number
(decimal commas, ';' between cells), and so is every number of the English file
(decimal points, ',' between cells) to an English Calc.  Skips (exit 77) only when
soffice is not installed.

Usage: ManifoldCsvLibreOffice.py KALORINA_CLI EXAMPLES_DIR
"""
import os
import subprocess
import sys

from libreoffice import (ENGLISH_CSV, HUNGARIAN_CSV, check_numbers, csv_rows, number_pattern, read_cells, run,
                         soffice)

COLUMNS = 29
NUMBER_COLUMNS = {2, 3, 4, 5, 6, 8, 11, 12, 13, 15, 16, 17, 18, 23, 24, 25, 26, 27}
# The flow meters' columns: an outlet's flow and the manifold's total, in l/min.
PER_MINUTE_COLUMNS = (15, 26)



def same_cell(column, written, read):
    # A presetting is a number where the valve has one ("2,5"), else a text ("N").
    if written and (column in NUMBER_COLUMNS or number_pattern(",").match(written)):
        try:
            return abs(float(written.replace(",", ".")) - float(read.replace(",", "."))) < 1e-9
        except ValueError:
            return False
    return written == read


def main():
    cli, examples = sys.argv[1], sys.argv[2]

    def check(work, profile, failures):
        for project in ("flat", "house"):
            path = os.path.join(work, project + ".csv")
            subprocess.run([cli, "report", os.path.join(examples, project + ".klp"), "--kind", "manifolds",
                            "--csv", path], check=True, capture_output=True)
            show = subprocess.run([cli, "show", os.path.join(examples, project + ".klp")], check=True,
                                  capture_output=True, text=True).stdout
            circuits = [line[len("circuit "):line.rindex(":", 0, line.index(" W,"))]
                        for line in show.splitlines() if line.startswith("circuit ") and " W," in line]
            with open(path, encoding="utf-8-sig") as f:
                written = csv_rows(f.read())
            read = csv_rows(soffice(profile, os.path.join(work, project + "-lo"),
                                    "csv:Text - txt - csv (StarCalc):59,34,76", path, HUNGARIAN_CSV))
            check_numbers(project + " in Hungarian", written,
                          read_cells(profile, os.path.join(work, project + "-hu"), path, HUNGARIAN_CSV), ",", failures)
            english = os.path.join(work, project + "-en.csv")
            subprocess.run([cli, "--language", "English", "report", os.path.join(examples, project + ".klp"),
                            "--kind", "manifolds", "--csv", english], check=True, capture_output=True)
            with open(english, encoding="utf-8-sig") as f:
                check_numbers(project + " in English", csv_rows(f.read(), ","),
                              read_cells(profile, os.path.join(work, project + "-en"), english, ENGLISH_CSV), ".",
                              failures)
            if not written or len(written[0]) != COLUMNS or written[0][8] != "Kimenet":
                failures.append(f"{project}: no header row of {COLUMNS} columns: {written[:1]}")
                continue
            for c in PER_MINUTE_COLUMNS:
                if "l/min" not in written[0][c]:
                    failures.append(f"{project}: column {c + 1} '{written[0][c]}' does not say l/min")
            for r in written[1:]:
                # l/min is l/h over 60, one decimal more than the l/h column shows.
                if abs(float(r[15].replace(",", ".")) - float(r[12].replace(",", ".")) / 60) > 0.0051:
                    failures.append(f"{project}: {r[9]}: {r[15]} l/min for {r[12]} l/h")
            if sorted(r[9] for r in written[1:]) != sorted(circuits):
                failures.append(f"{project}: circuits {[r[9] for r in written[1:]]}, expected {circuits}")
            if len(read) != len(written):
                failures.append(f"{project}: LibreOffice read {len(read)} rows of {len(written)}")
                continue
            for n, (w, r) in enumerate(zip(written, read)):
                r = (r + [""] * COLUMNS)[:COLUMNS]
                for c in range(COLUMNS):
                    if not same_cell(c if n else -1, w[c], r[c]):
                        failures.append(f"{project} row {n + 1} column {c + 1}: wrote '{w[c]}', read '{r[c]}'")
            print(f"{project}: {len(written) - 1} outlet rows read back alike")

    return run("the schedule's CSV was", check)


if __name__ == "__main__":
    sys.exit(main())
