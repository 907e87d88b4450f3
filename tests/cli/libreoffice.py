"""What the LibreOffice checks share: converting a file headless, reading a CSV
table, and running a check in a scratch folder with one LibreOffice profile,
skipping (exit 77) only when soffice is not installed."""
import csv
import io
import os
import shutil
import subprocess
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
    return [row for row in csv.reader(io.StringIO(text), delimiter=";") if row]


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
