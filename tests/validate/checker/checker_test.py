#!/usr/bin/env python3
"""The page checker on pages of known faults (checker/fake_cli.py): it fails, names each fault of
each faulty page, passes the valid pages (Shift_JIS, EUC-JP and UTF-8 ones with characters
browsers read) and leaves the pending rows out unless asked.
Usage: checker_test.py PYTHON"""

import subprocess
import sys
from pathlib import Path

HERE = Path(__file__).resolve().parent
ENCODINGS = ("shift_jis", "utf-8")
SKIP = 77  # a validator is not installed
FAULTS = {
    "nesting": ['end tag for "A" omitted', 'required attribute "ALT" not specified',
                'element "RUBY" undefined',
                'page.htm:11:3: onsgmls: end tag for element "P" which is not open (the <p> of '
                'line 9 was closed by the <div> of line 10)'],
    "bytes-euc-jp": ["page.htm:8:4: decoding: bytes 8F F4 FB are no euc-jp character",
                     "page.htm:8:8: decoding: bytes A1 are no euc-jp character"],
    "bytes-shift_jis": ["page.htm:8:4: decoding: bytes A0 are no shift_jis character",
                        "page.htm:8:6: decoding: bytes 85 are no shift_jis character"],
    "bytes-utf-8": ["decoding: bytes E3 81 are no utf-8 character"],
    "controls": ["non SGML character number 11", "non SGML character number 27",
                 "non SGML character number 127"],
    "not-a-uri": ['a href="http://例え.jp/a|b" is no URI'],
    "no-charset": ["declares no charset"],
    "faults5": ["vnu: No “p” element in scope but a “p” end tag seen.",
                "vnu: An “img” element must have an “alt” attribute"],
    "xhtml": ["declares a doctype no validator here knows"],
    "unknown-key": ["porukano-cli exited with 2"],
}


def Run(python, *extra):
    run = subprocess.run([python, str(HERE.parent / "validate_pages.py"),
                          str(HERE / "fake_cli.py"), "--settings", str(HERE / "settings.txt"),
                          "--texts", str(HERE / "texts"), *extra],
                         capture_output=True, text=True, timeout=300)
    print(run.stdout + run.stderr)
    if "validate_pages: not installed" in run.stderr:
        return SKIP, run.stdout
    return run.returncode, run.stdout


def FailingRows(report):
    rows = report.split("\nFailing rows (text, encoding, settings, messages):\n", 1)[-1]
    return {tuple(line.split("\t")[1:3]) for line in rows.splitlines() if line.count("\t") == 3}


def main():
    python = sys.argv[1]
    problems = []
    status, report = Run(python)
    if status == SKIP:
        return SKIP
    if status != 1:
        problems.append(f"exit status {status}, not 1")
    expected = {(e, name) for name in FAULTS for e in ENCODINGS}
    failing = FailingRows(report)
    for row in sorted(failing - expected):
        problems.append(f"reported although valid: {row}")
    for row in sorted(expected - failing):
        problems.append(f"not reported: {row}")
    pages = report.split("\nINVALID: ")[1:]
    for name, faults in FAULTS.items():
        for encoding in ENCODINGS:
            page = next((p for p in pages if p.startswith(f"text one ({encoding}), settings {name}\n")),
                        "")
            for fault in faults:
                if fault not in page:
                    problems.append(f"{name} ({encoding}): not reported: {fault}")
    if "pending" in report:
        problems.append("a pending row ran without --pending")

    status, report = Run(python, "--pending", "--only", "pending")
    if status != 1 or FailingRows(report) != {(e, "pending") for e in ENCODINGS}:
        problems.append("the pending row did not run with --pending")

    for p in problems:
        print("FAIL: " + p)
    return 1 if problems else 0


if __name__ == "__main__":
    sys.exit(main())
