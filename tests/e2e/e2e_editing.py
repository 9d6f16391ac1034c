#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""The keeper's editing mode of the real program: velmora --edit files a title (F12),
appends a card (F3) and deletes one, and what it filed is there when the program starts
again; a second editor of the same file is refused, and without --edit nothing of it shows.

usage: e2e_editing.py VELMORA [unittest arguments]
"""

import os

import desktop
import scenario
import testcards
from desktop import APP_TITLE, card_caption, find, find_all, wait_until

N = len(testcards.CARDS)
EDITING_BUTTONS = ("ΚΑΤΑΧΩΡΙΣΗ", "ΝΕΑ ΕΓΓΡΑΦΗ", "ΔΙAΓΡΑΦΗ")


def showing_buttons(program, window):
    """The names of the push buttons the window shows."""
    return {b.name for b in find_all(program.frame(window), "push button")
            if b.getState().contains(desktop.pyatspi.STATE_SHOWING)}


def set_field(program, window, name, text):
    field = find(program.frame(window), "text", name)
    field.queryEditableText().setTextContents(text)
    wait_until("the field %s to read %r" % (name, text), lambda: program.field(window, name) == text, 5)


class Editing(scenario.Scenario):
    def test_file_append_and_delete_then_start_again(self):
        program = self.start(args=["--edit"], unchanged=False)
        window = card_caption(1, N)
        self.assertTrue(set(EDITING_BUTTONS) <= showing_buttons(program, window))

        set_field(program, window, "ΤΙΤΛΟΣ", "ΝΕΟΣ ΤΙΤΛΟΣ ΤΗΣ ΠΡΩΤΗΣ")
        program.key(window, "F12")
        self.assert_message(program, "Η Καρτέλλα  1 Καταχωρίσθηκε")
        self.assertTrue(os.path.isfile(program.card_file + ".bak"), "no backup beside the card file")

        program.key(window, "F3")
        window = program.wait_for_frame(card_caption(N + 1, N + 1))
        self.assertEqual(program.field(window, "ΑΡIΘΜ. ISBN"), "960-")

        program.press(window, "ΔΙAΓΡΑΦΗ")
        self.assert_message(program, "Θέλετε να Διαγράψετε την Καρτέλλα  %d ;" % (N + 1), answer="Ναι")
        wait_until("the deleted card", lambda: program.field(window, "ΤΙΤΛΟΣ") == "~~~")
        program.key(window, "alt+x")
        self.assertEqual(program.wait(), 0)
        with open(program.card_file, "rb") as f:
            stored = f.read()
        self.assertEqual(len(stored), (N + 1) * 195)
        self.assertEqual(stored[-195:], b"".join(b"~~~".ljust(w) for w in (20, 20, 65, 30, 40, 20)))

        # Started again on the same file, the filed title is there.
        again = scenario.DESKTOP.start(scenario.VELMORA, folder=program.folder)
        self.addCleanup(again.close)
        window = again.wait_for_frame(card_caption(1, N + 1))
        self.assertEqual(again.field(window, "ΤΙΤΛΟΣ"), "ΝΕΟΣ ΤΙΤΛΟΣ ΤΗΣ ΠΡΩΤΗΣ")
        # Without --edit, nothing of the editing shows.
        self.assertFalse(set(EDITING_BUTTONS) & showing_buttons(again, window))

    def test_a_second_editor_is_refused(self):
        program = self.start(args=["--edit"])
        # The same file by another name: a link beside it.
        link = os.path.join(program.root, "Άλλο όνομα.dat")
        os.symlink(program.card_file, link)
        second = scenario.DESKTOP.start(scenario.VELMORA, args=["--edit", link])
        self.addCleanup(second.close)
        box = second.message()
        self.assertEqual(box.title, APP_TITLE)
        self.assertIn("διορθώνεται ήδη", box.text)
        box.answer("OK")
        self.assertEqual(second.wait(), 1)
        # The first editor goes on.
        self.assertIn(card_caption(1, N), program.x_titles().values())


if __name__ == "__main__":
    scenario.main()
