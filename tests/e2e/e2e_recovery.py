#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""What the keeper typed and what was filed survive the program's end: a card typed and not
filed comes back after a SIGTERM when the file is next edited, and a write past a limit on
file sizes (ulimit -f) is told and undone instead of killing the program half-way.

usage: e2e_recovery.py VELMORA [unittest arguments]
"""

import glob
import os
import signal

import scenario
import testcards
from desktop import card_caption, find, wait_until

N = len(testcards.CARDS)
TYPED = "ΤΙΤΛΟΣ ΠΟΥ ΔΕΝ ΚΑΤΑΧΩΡΙΣΘΗΚΕ"
OFFER = ("Βρέθηκαν Αλλαγές της Καρτέλλας  1 που πληκτρολογήθηκαν και δεν Καταχωρίσθηκαν.\n"
         "Θέλετε να τις Επαναφέρω ;")


def recovery_files(program):
    return glob.glob(os.path.join(program.home, ".local", "share", "Velmora", "Filis.dat.*.typed"))


class Recovery(scenario.Scenario):
    def test_typing_survives_sigterm(self):
        program = self.start(args=["--edit"])
        window = card_caption(1, N)
        filed = program.card_file_bytes()
        field = find(program.frame(window), "text", "ΤΙΤΛΟΣ")
        field.queryEditableText().setTextContents(TYPED)
        wait_until("the typed title", lambda: program.field(window, "ΤΙΤΛΟΣ") == TYPED, 5)
        program.process.send_signal(signal.SIGTERM)
        self.assertEqual(program.wait(), 128 + signal.SIGTERM)
        self.assertEqual(len(recovery_files(program)), 1)
        self.assertEqual(program.card_file_bytes(), filed)

        # The same file edited again by the same user: offered, and put back unfiled.
        again = self.launch(folder=program.folder, cards=None, args=["--edit"],
                            env={"HOME": program.home,
                                 "XDG_CONFIG_HOME": os.path.join(program.home, ".config"),
                                 "XDG_DATA_HOME": os.path.join(program.home, ".local", "share")})
        self.assert_message(again, OFFER, answer="Ναι")
        wait_until("the typed title back", lambda: again.field(window, "ΤΙΤΛΟΣ") == TYPED)
        again.key(window, "alt+x")
        self.assert_message(again, "Θέλετε να Καταχωρίσω τις Αλλαγές της Καρτέλλας  1 ;", answer="Όχι")
        self.assertEqual(again.wait(), 0)
        self.assertEqual(recovery_files(program), [])
        self.assertEqual(program.card_file_bytes(), filed)

    def test_a_file_size_limit_is_told_and_undone(self):
        # Room for the whole file (and its backup) and part of one card more.
        limit = N * 195 + 100
        program = self.start(executable="/usr/bin/prlimit",
                             args=["--fsize=%d" % limit, scenario.VELMORA, "--edit"])
        window = card_caption(1, N)
        program.key(window, "F3")
        self.assert_message(program, "Η Νέα Καρτέλλα δεν Καταχωρίσθηκε.\n"
                            "Το αρχείο έφτασε το όριο μεγέθους που έχει θέσει το σύστημα για το πρόγραμμα.")
        self.assertTrue(program.running())
        program.frame(window)
        # The file is checked whole, byte for byte, when the scenario ends.


if __name__ == "__main__":
    scenario.main()
