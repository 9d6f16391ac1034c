#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""The card window of the real program, driven with keys and read through AT-SPI.

usage: e2e_cardwindow.py VELMORA [unittest arguments]
"""

import time

import scenario
import testcards
from desktop import APP_TITLE, card_caption

N = len(testcards.CARDS)


def shown_card(number):
    """What the six fields show for a card: its values without their outer blanks."""
    names = ("ΑΡIΘΜ. ISBN", "ΣΥΓΓΡΑΦΕΑΣ", "ΤΙΤΛΟΣ", "ΑΛΛΟ ΟΝΟΜΑ", "ΕΚΔΟΤΙΚΑ", "ΣΕΛ.-ΣΗΜ/ΣΕΙΣ")
    return dict(zip(names, (value.strip() for value in testcards.CARDS[number - 1])))


class CardWindow(scenario.Scenario):
    def test_start_up_behind_the_splash_then_browse_to_the_last_card(self):
        program = self.launch()
        # The splash window comes first, under the bare program title, and stands alone.
        splash = ("frame", "filler", "window")  # it has no frame of its own
        program.top_level(splash, APP_TITLE)
        self.assertEqual([name for _, name in program.shown()], [APP_TITLE])
        window = program.wait_for_frame(card_caption(1, N))
        self.assertGreaterEqual(time.monotonic() - program.started, 2.9, "the splash went too soon")
        program.wait_gone(splash, APP_TITLE)
        self.assertIn(card_caption(1, N), program.x_titles().values(), "the X server's title")
        self.assertEqual(program.fields(window), shown_card(1))

        # Page Down, F1 and Alt+H each move one card on.
        for card, key in ((2, "Page_Down"), (3, "F1"), (4, "alt+h")):
            program.key(window, key)
            window = program.wait_for_frame(card_caption(card, N))
            self.assertEqual(program.fields(window), shown_card(card), key)
        # Card 11's author is stored after a blank, and shown without it.
        for card in range(5, N + 1):
            program.key(window, "Page_Down")
            window = program.wait_for_frame(card_caption(card, N))
        self.assertEqual(program.fields(window), shown_card(N))

        # At the last card the next one is refused, and the card stays.
        program.key(window, "Page_Down")
        self.assert_message(program, "Είστε στην Τελευταία Καρτέλλα")
        self.assertEqual(program.fields(window), shown_card(N))
        program.no_dialog()
        self.assertIn(card_caption(N, N), program.x_titles().values())

    def test_title_search_answered_no_then_cancel_and_a_text_not_found(self):
        program = self.start()
        window = card_caption(1, N)
        found = testcards.matching("Title", "ΜΑΚΕΔΟΝ")
        self.assertEqual(found, [3, 7])  # card 5 holds the text in small letters

        # Typed in small letters, the text is upper-cased before it is looked for.
        self.ask(program, window, ["F7"], "Βελμόρα 3.0: Αναζήτηση Τίτλου", "μακεδον")
        box = program.message()
        self.assertEqual(box.text, "Θέλετε να Εκτυπώσω την Καρτέλλα  3 ;")
        self.assertEqual(program.fields(card_caption(3, N)), shown_card(3))
        box.answer("Όχι")
        box = program.message()
        self.assertEqual(box.text, "Θέλετε να Εκτυπώσω την Καρτέλλα  7 ;")
        self.assertEqual(box.buttons(), ["Ναι", "Όχι", "Άκυρο"])
        box.answer("Άκυρο")
        window = program.wait_for_frame(card_caption(7, N))
        program.no_dialog()
        self.assertEqual(program.fields(window), shown_card(7))

        # A text no title holds: the message names it upper-cased, and card 7 stays.
        self.ask(program, window, ["alt+t"], "Βελμόρα 3.0: Αναζήτηση Τίτλου", "ζζζ")
        self.assert_message(program, "Το Κείμενο ΖΖΖ δεν Βρέθηκε")
        window = program.wait_for_frame(card_caption(7, N))
        program.no_dialog()
        self.assertEqual(program.fields(window), shown_card(7))

    def test_a_blank_typed_after_a_word_is_looked_for_too(self):
        program = self.start()
        # Card 9's title ends in the word, with fill blanks after it; card 13 has a letter
        # after it. The input box hands the blank over as typed.
        self.assertEqual(testcards.matching("Title", "ΘΑΛΑΣΣΑ"), [9, 13])
        self.ask(program, card_caption(1, N), ["F7"], "Βελμόρα 3.0: Αναζήτηση Τίτλου", "θαλασσα ")
        self.assert_message(program, "Θέλετε να Εκτυπώσω την Καρτέλλα  9 ;", "Όχι")
        self.assert_message(program, "Δεν Υπάρχει Άλλη Όμοια Καρτέλλα")
        window = program.wait_for_frame(card_caption(9, N))
        program.no_dialog()
        self.assertEqual(program.fields(window), shown_card(9))

    def test_card_number_letters_and_an_empty_entry(self):
        program = self.start()
        window = card_caption(1, N)
        title = "Βελμόρα 3.0: Αναζήτηση Αριθμού Καρτέλλας"

        self.ask(program, window, ["F4"], title, "5")
        window = program.wait_for_frame(card_caption(5, N))
        self.assertEqual(program.fields(window), shown_card(5))

        # Letters: the valid range, then the box again, until the entry is left empty.
        self.ask(program, window, ["F4"], title, "αβγ")
        self.assert_message(program, "Γράψτε έναν αριθμό από 1 έως  %d" % N)
        box = program.input_box(title)
        self.assertEqual(box.text, "Βρες Κωδικό Καρτέλλας:")
        box.answer("OK")
        program.no_dialog()
        self.assertIn(card_caption(5, N), program.x_titles().values())

        # A number past the last card is not found, as typed.
        self.ask(program, window, ["alt+r"], title, "%d" % (N + 1))
        self.assert_message(program, "Ο Αριθμός Καρτέλλας %d δεν Βρέθηκε" % (N + 1))
        window = program.wait_for_frame(card_caption(5, N))
        self.assertEqual(program.fields(window), shown_card(5))

    def test_alt_x_ends_the_program_at_once(self):
        program = self.start()
        window = card_caption(1, N)
        program.key(window, "Page_Down")
        window = program.wait_for_frame(card_caption(2, N))
        asked = time.monotonic()
        program.key(window, "alt+x")
        self.assertEqual(program.wait(), 0)
        self.assertLess(time.monotonic() - asked, 10, "the program took its time to end")


if __name__ == "__main__":
    scenario.main()
