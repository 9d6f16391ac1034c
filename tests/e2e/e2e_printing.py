#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""Printing from the real program on a machine without a printer: each ended print
document becomes a PDF file in the user's documents folder, read back with pdftotext.

usage: e2e_printing.py VELMORA [unittest arguments]
"""

import datetime
import json
import os
import re
import shutil
import subprocess
import tempfile

import scenario
import testcards
from desktop import EXPLORATION_TITLE, card_caption, wait_until

N = len(testcards.CARDS)
HERE = os.path.dirname(os.path.abspath(__file__))
HEADER = re.compile(r"Βελμόρα 3\.0 Σερβαλίνη: Εκτυπώθηκε (\d{1,2})/(\d{1,2})/(\d{4}), (\d\d):(\d\d)")


def pdf_text(path):
    done = subprocess.run(["pdftotext", "-layout", "-enc", "UTF-8", path, "-"], capture_output=True,
                          check=True)
    return done.stdout.decode("utf-8")


def printed_cards(text):
    """The card numbers printed on a page, in order, as the card block or the page's
    slot line writes them."""
    return [int(n) for n in re.findall(r"Καρτέλλα =\s+(\d+)", text)]


def printed_titles(text):
    titles = {testcards.CARDS[n][2]: n + 1 for n in range(N)}
    return [titles[line.strip()] for line in text.splitlines() if line.strip() in titles]


class Printing(scenario.Scenario):
    def assert_header(self, text, earliest, latest):
        """One header line, dated between `earliest` and `latest` to the minute."""
        headers = HEADER.findall(text)
        self.assertEqual(len(headers), 1, text)
        day, month, year, hours, minutes = (int(v) for v in headers[0])
        stamp = datetime.datetime(year, month, day, hours, minutes)
        self.assertLessEqual(earliest.replace(second=0, microsecond=0), stamp)
        self.assertLessEqual(stamp, latest)

    def test_cards_chosen_by_a_search_print_to_a_pdf(self):
        program = self.start()
        window = card_caption(1, N)
        # The header is dated when the first card goes into the document, at the Yes below.
        earliest = datetime.datetime.now()
        self.ask(program, window, ["F7"], "Βελμόρα 3.0: Αναζήτηση Τίτλου", "ΜΑΚΕΔΟΝ")
        self.assert_message(program, "Θέλετε να Εκτυπώσω την Καρτέλλα  3 ;", "Ναι")
        box = program.message()
        self.assertEqual(box.text, "Θέλετε να Εκτυπώσω την Καρτέλλα  7 ;")
        window = card_caption(7, N)
        self.assertIn("Η Καρτέλλα < 3 > θα εκτυπωθεί. Πατήστε 'ΕΚΤΥΠΩΣΗ' όταν επιλέξετε όλες τις Καρτέλλες",
                      program.status_texts(window))
        box.answer("Άκυρο")
        program.no_dialog()
        self.assertEqual(program.pdfs(), [], "a chosen card waits for 'ΕΚΤΥΠΩΣΗ'")

        program.press(window, "ΕΚΤΥΠΩΣΗ")
        self.assert_message(program, "Οι Καρτέλλες Εκτυπώνονται")
        latest = datetime.datetime.now()
        pdfs = program.pdfs()
        self.assertEqual(len(pdfs), 1, "one document, one file")
        text = pdf_text(pdfs[0])
        self.assert_header(text, earliest, latest)
        self.assertEqual(printed_cards(text), [3])
        self.assertEqual(printed_titles(text), [3])
        self.assertIn(testcards.CARDS[2][4], text)  # the publishing data
        self.assertNotIn("Η Καρτέλλα", "".join(program.status_texts(window)), "the note stayed")

    def test_exploration_pages_print_one_pdf_each(self):
        program = self.start()
        program.key(card_caption(1, N), "ctrl+a")
        window = program.wait_for_frame(EXPLORATION_TITLE)
        found = testcards.matching("Author", "ΠΑΠΑΔ")
        earliest = datetime.datetime.now()
        self.ask(program, window, ["alt+s"], "Βελμόρα 3.0: Αναζήτηση Συγγραφέα", "ΠΑΠΑΔ")
        self.assert_message(program, "Θέλετε να Εκτυπώσω τις Καρτέλλες;", "Ναι")
        self.assert_message(program, "Να Εκτυπώσω τις Τελευταίες Καρτέλλες;", "Ναι")
        program.wait_for_frame(window)
        program.no_dialog()
        latest = datetime.datetime.now()

        pdfs = wait_until("two PDF files", lambda: len(program.pdfs()) == 2 and program.pdfs())
        pages = [pdf_text(path) for path in pdfs]
        # Files made in the same second are told apart by a number: order them by footer.
        pages.sort(key=lambda text: re.findall(r"Σελίδα\s+(\d+)", text))
        for number, (text, cards) in enumerate(zip(pages, (found[:8], found[8:])), start=1):
            self.assert_header(text, earliest, latest)
            self.assertEqual(printed_cards(text), cards)
            self.assertEqual(printed_titles(text), cards)
            # pdftotext lays out by position: the blanks' count is only roughly kept.
            self.assertRegex(text, r"Διερεύνηση Συγγραφέα: Σελίδα\s+%d\s*$" % number)
        # Nothing was exported: the exploration only emptied the export file.
        self.assertEqual(os.path.getsize(program.export_file), 0)

    def test_the_desktop_is_told_where_the_pdf_went_and_opens_it_or_says_it_could_not(self):
        folder = tempfile.mkdtemp(prefix="velmora-notices-")
        self.addCleanup(shutil.rmtree, folder, True)
        log, release, opened = (os.path.join(folder, name) for name in ("notices", "release", "opened"))
        service = subprocess.Popen(["/usr/bin/python3", os.path.join(HERE, "notifications.py"), log, release],
                                   stdout=subprocess.PIPE, text=True)
        self.addCleanup(service.wait)
        self.addCleanup(service.terminate)
        self.assertEqual(service.stdout.readline().strip(), "ready")
        service.stdout.close()
        # What the desktop's PDF viewer would be given; then, as xdg-open, that it has none.
        viewer = os.path.join(folder, "xdg-open")
        with open(viewer, "w") as f:
            f.write('#!/bin/sh\nprintf "%%s\\n" "$@" >> %s\nexit 3\n' % opened)
        os.chmod(viewer, 0o755)

        program = self.launch(env={"PATH": folder + os.pathsep + os.environ["PATH"]})
        window = program.wait_for_frame(card_caption(1, N))
        program.press(window, "ΠΡΟΣ ΕΚΤΥΠΩΣΗ")
        program.press(window, "ΕΚΤΥΠΩΣΗ")
        # Shown while the service has not answered yet.
        self.assert_message(program, "Οι Καρτέλλες Εκτυπώνονται")
        notice = json.loads(wait_until("a notification", lambda: os.path.exists(log) and open(log).read()))
        pdfs = program.pdfs()
        self.assertEqual(len(pdfs), 1)
        self.assertTrue(notice["body"].endswith(" " + pdfs[0]), notice["body"])
        self.assertIn("default", notice["actions"][::2])
        # Kept on the screen until dismissed, «Άνοιγμα» with it.
        self.assertEqual((notice["timeout"], notice["hints"].get("resident")), (0, True))

        open(release, "w").close()
        # The stand-in viewer creates the file before it writes the line.
        wait_until("the PDF to be opened", lambda: os.path.exists(opened) and open(opened).read().endswith("\n"))
        self.assertEqual(open(opened).read(), "file://" + pdfs[0] + "\n")
        said = "Δεν βρέθηκε πρόγραμμα προβολής PDF για να ανοίξει το " + pdfs[0]
        wait_until("the window to say so", lambda: said in program.status_texts(window))


if __name__ == "__main__":
    scenario.main()
