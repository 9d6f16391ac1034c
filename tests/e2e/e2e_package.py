#!/usr/bin/python3
# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""The installed program on the bibliography installed with it, headless under Xvfb: opened
as the desktop's menu entry opens it, a title searched, the card found printed to a PDF
file, the program ended. The Debian package's own test (debian/tests/program) runs it on
/usr/bin/velmora; the test command on an installation staged from the build tree.

usage: e2e_package.py VELMORA [unittest arguments]
"""

import csv
import os
import subprocess

import scenario
from desktop import APP_TITLE, card_caption, number_text


class InstalledProgram(scenario.Scenario):
    def test_open_search_print_end(self):
        share = os.path.join(os.path.dirname(os.path.dirname(scenario.VELMORA)), "share", "velmora")
        with open(os.path.join(share, "books.csv"), encoding="utf-8") as f:
            titles = [row["Title"] for row in csv.DictReader(f)]
        # A title no other card's title holds: the search finds that card alone.
        title = next(t for t in titles if sum(t in other for other in titles) == 1)
        card = titles.index(title) + 1

        program = self.launch(cards=None, args=["--installed"], in_home=True)
        window = program.wait_for_frame(card_caption(1, len(titles)))
        self.ask(program, window, ["F7"], APP_TITLE + ": Αναζήτηση Τίτλου", title)
        self.assert_message(program, "Θέλετε να Εκτυπώσω την Καρτέλλα %s ;" % number_text(card), "Ναι")
        self.assert_message(program, "Δεν Υπάρχει Άλλη Όμοια Καρτέλλα")
        window = card_caption(card, len(titles))
        program.press(window, "ΕΚΤΥΠΩΣΗ")
        self.assert_message(program, "Οι Καρτέλλες Εκτυπώνονται")
        pdfs = program.pdfs()
        self.assertEqual(len(pdfs), 1)
        text = subprocess.run(["pdftotext", "-enc", "UTF-8", pdfs[0], "-"], capture_output=True,
                              check=True).stdout.decode("utf-8")
        self.assertIn(title, text)
        program.key(window, "alt+x")
        self.assertEqual(program.wait(), 0)


if __name__ == "__main__":
    scenario.main()
