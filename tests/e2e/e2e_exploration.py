#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""The exploration window of the real program: in with Ctrl+A, an author exploration that
exports its pages, the export file read back byte by byte, and out again with Ctrl+A.

usage: e2e_exploration.py VELMORA [unittest arguments]
"""

import os
import re

import scenario
import testcards
from desktop import APP_TITLE, EXPLORATION_TITLE, card_caption, find, text_of

N = len(testcards.CARDS)
EXPORT_PATH = r"C:\Program Files\Velmora\MySearch.doc"


def export_notice(card):
    return ("Η Διερεύνηση μέχρι την Καρτέλλα < %d > καταγράφηκε στο αρχείο " % card) + EXPORT_PATH


class Exploration(scenario.Scenario):
    def open_exploration(self, program):
        program.key(card_caption(1, N), "ctrl+a")
        program.wait_for_frame(EXPLORATION_TITLE)
        # The two windows take turns: the card window has gone.
        program.wait_gone(("frame",), card_caption(1, N))
        self.assertEqual(list(program.x_titles().values()), [EXPLORATION_TITLE])
        return EXPLORATION_TITLE

    def test_the_splash_shown_again_leaves_the_exploration_window_alone(self):
        program = self.start()
        program.key(card_caption(1, N), "Page_Down")
        window = program.wait_for_frame(card_caption(2, N))
        # The program's picture is named for a screen reader, and pressed through it.
        program.press(window, "Κάνε κλικ με το ποντίκι ...")
        splash = ("frame", "filler", "window")
        program.top_level(splash, APP_TITLE)
        # Before the splash closes, on to the exploration window.
        program.key(window, "ctrl+a")
        program.wait_for_frame(EXPLORATION_TITLE)
        program.wait_gone(splash, APP_TITLE)
        program.no_dialog()
        self.assertEqual(list(program.x_titles().values()), [EXPLORATION_TITLE])
        # Back from the exploration window the card window starts afresh, at card 1.
        program.key(EXPLORATION_TITLE, "ctrl+a")
        program.wait_for_frame(card_caption(1, N))
        self.assertEqual(list(program.x_titles().values()), [card_caption(1, N)])

    def test_author_exploration_exported_page_by_page(self):
        program = self.start()
        window = self.open_exploration(program)
        found = testcards.matching("Author", "ΠΑΠΑΔ")
        self.assertEqual(len(found), 10)  # a full page of eight, then two
        first, last = found[:8], found[8:]

        # Typed in small letters; the scan fills a page of eight and asks.
        self.ask(program, window, ["alt+s"], "Βελμόρα 3.0: Αναζήτηση Συγγραφέα", "παπαδ")
        box = program.message()
        self.assertEqual(box.text, "Θέλετε να Εκτυπώσω τις Καρτέλλες;")
        self.assertEqual(box.buttons(), ["Ναι", "Όχι", "Άκυρο"])
        self.assertIn(card_caption(first[-1], N), program.x_titles().values())
        self.assertEqual(page_text(program, card_caption(first[-1], N)), shown_page(first))
        box.answer("Όχι")

        # The rest of the file gives the last two, and the last question.
        box = program.message()
        self.assertEqual(box.text, "Να Εκτυπώσω τις Τελευταίες Καρτέλλες;")
        box.answer("Όχι")
        program.wait_for_frame(window)
        program.no_dialog()
        self.assertIn(export_notice(last[-1]), program.status_texts(window))
        # The last page stays on the screen.
        self.assertEqual(page_text(program, window), shown_page(last))

        with open(program.export_file, "rb") as f:
            exported = f.read()
        self.assertEqual(exported, testcards.export_bytes([first, last]))
        self.assertEqual(exported.count(b"\r\n"), 48)
        self.assertEqual(program.pdfs(), [], "nothing was to be printed")

        # Back to the card window, at card 1 whatever the exploration found.
        program.key(window, "ctrl+a")
        window = program.wait_for_frame(card_caption(1, N))
        program.wait_gone(("frame",), EXPLORATION_TITLE)
        self.assertEqual(program.field(window, "ΣΥΓΓΡΑΦΕΑΣ"), testcards.CARDS[0][1])
        with open(program.export_file, "rb") as f:
            self.assertEqual(f.read(), exported, "leaving the window touched the export file")

    def test_an_author_not_found_and_alt_x(self):
        program = self.start()
        window = self.open_exploration(program)
        self.ask(program, window, ["F6"], "Βελμόρα 3.0: Αναζήτηση Συγγραφέα", "ξξ")
        self.assert_message(program, "Ο Συγγραφέας ΞΞ δεν Βρέθηκε")
        program.wait_for_frame(window)
        # The exploration emptied the export file at its start.
        self.assertEqual(os.path.getsize(program.export_file), 0)

        program.key(window, "alt+x")
        self.assertEqual(program.wait(), 0)


def shown_page(numbers):
    """What the drawn page must show of the cards `numbers`: the card numbers, in order,
    and each card's title at its full width."""
    titles = [testcards.padded(testcards.CARDS[n - 1])[2] for n in numbers]
    return numbers, titles


def page_text(program, window):
    """The card numbers and the titles drawn on the page, read through its accessible text."""
    page = find(program.frame(window), "label", "Καρτέλλες")
    lines = text_of(page).split("\n")
    numbers = [int(n) for n in re.findall(r"Καρτέλλα = +(\d+) ", "\n".join(lines))]
    titles = [line for line in lines if line in
              {testcards.padded(card)[2] for card in testcards.CARDS}]
    return numbers, titles


if __name__ == "__main__":
    scenario.main()
