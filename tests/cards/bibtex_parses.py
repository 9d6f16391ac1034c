# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""The classic BibTeX and the biblatex export of the sample bibliography and of hostile
cards, read by python3-bibtexparser: every exported card an entry, keys unique, titles as
written (a Greek title in classic BibTeX in braces of its own, which keep its capitals).

usage: bibtex_parses.py VELMORA_CARDS BOOKS_CSV"""

import csv
import os
import re
import subprocess
import sys
import tempfile

try:
    import bibtexparser
    from bibtexparser.bparser import BibTexParser
except ImportError:
    print("SKIP: python3-bibtexparser is not installed (tools/setup-debian.sh installs it)")
    sys.exit(77)

TOOL, SAMPLE = sys.argv[1], sys.argv[2]

HOSTILE = [
    ["960-", "O'BRIEN {X} \\ Y.", '100% "ΤΙΤΛΟΣ" {A} \\par #1 $_^ @', "ΜΕΤ. }{ %",
     "ΑΘΗΝΑ, {ΑΘΗΝΑ 1999", "} 2 ΤΟΜ."],
    ["960-", "ΣΥΛΛΟΓΙΚΟ ΕΡΓΟ", "Α, Β = {Γ}", "", "", ""],
    ["960-", "ΣΥΛΛΟΓΙΚΟ ΕΡΓΟ", "Α, Β = {Γ}", "", "", ""],
]

# What the export writes for TeX's special characters inside braces.
TEX = {"\\": "\\textbackslash{}", "{": "\\textbraceleft{}", "}": "\\textbraceright{}",
       "~": "\\textasciitilde{}", "^": "\\textasciicircum{}", "%": "\\%", "&": "\\&",
       "#": "\\#", "$": "\\$", "_": "\\_"}


def tex(text):
    return "".join(TEX.get(c, c) for c in text)


def export(folder, name, rows, form):
    source = os.path.join(folder, name + ".csv")
    cards = os.path.join(folder, name + "." + form + ".dat")
    bib = os.path.join(folder, name + "." + form)
    with open(source, "w", encoding="utf-8", newline="") as f:
        writer = csv.writer(f)
        writer.writerow(["Isbn", "Author", "Title", "OtherName", "Publication", "PagesNotes"])
        writer.writerows(rows)
    subprocess.run([TOOL, "import", source, cards], check=True, capture_output=True)
    subprocess.run([TOOL, "export", "--format", form, cards, bib], check=True, capture_output=True)
    with open(bib, encoding="utf-8") as f:
        text = f.read()
    parser = BibTexParser(common_strings=False, ignore_nonstandard_types=False)
    parser.homogenize_fields = False
    return text, bibtexparser.loads(text, parser=parser)


def main():
    with open(SAMPLE, encoding="utf-8", newline="") as f:
        sample = list(csv.reader(f))[1:]
    failures = []
    with tempfile.TemporaryDirectory() as folder:
        for name, rows, form in ((n, r, f) for n, r in (("sample", sample), ("hostile", HOSTILE))
                                 for f in ("bibtex", "biblatex")):
            text, database = export(folder, name, rows, form)
            name += " " + form
            entries = database.entries
            keys = [e["ID"] for e in entries]
            if len(entries) != len(rows) or text.count("\n@book{") + text.startswith("@book{") != len(rows):
                failures.append(f"{name}: {len(entries)} entries parsed for {len(rows)} cards")
            if len(set(keys)) != len(keys):
                failures.append(f"{name}: keys not unique: {sorted(keys)}")
            if any(not k.isascii() for k in keys):
                failures.append(f"{name}: keys not ASCII: {keys}")
            for entry, row in zip(entries, rows):
                greek = form == "bibtex" and re.search("[\u0370-\u03ff]", row[2])
                if entry.get("title") != ("{%s}" if greek else "%s") % tex(row[2]):
                    failures.append(f"{name}: title {entry.get('title')!r} for {row[2]!r}")
    for f in failures:
        print("FAIL:", f)
    print(f"{len(failures)} failures")
    return 1 if failures else 0


sys.exit(main())
