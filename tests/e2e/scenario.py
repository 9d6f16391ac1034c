# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""What every end-to-end scenario shares: one private desktop per script, the program
started in a folder of its own on a fresh copy of the test bibliography, and the check
that the card file comes out of every scenario byte for byte as it went in."""

import os
import sys
import tempfile
import unittest

import desktop
import testcards

VELMORA = None
DESKTOP = None
ARGS = {}


class Scenario(unittest.TestCase):
    def start(self, cards=testcards.CARDS, **options):
        """Starts the program on a card file of `cards` and waits for the card window."""
        program = self.launch(cards, **options)
        program.wait_for_frame(desktop.card_caption(1, max(len(cards), 1)))
        return program

    def launch(self, cards=testcards.CARDS, executable=None, folder=None, unchanged=True, **options):
        """Starts the program and returns at once; `options` go to Desktop.start. Unless
        `unchanged` is false, the card file must come out of the scenario as it went in."""
        source = None
        if cards is not None:
            handle, source = tempfile.mkstemp(prefix="velmora-cards-", suffix=".dat")
            os.close(handle)
            testcards.write_card_file(source, cards)
            self.addCleanup(os.remove, source)
        program = DESKTOP.start(executable or VELMORA, cards=source, folder=folder, **options)
        before = program.card_file_bytes() if cards is not None and unchanged else None
        self.addCleanup(self._finish, program, before)
        return program

    def _finish(self, program, before):
        try:
            program.stop()
            if before is not None:
                self.assertEqual(program.card_file_bytes(), before, "the card file changed")
        finally:
            program.close()

    def assert_message(self, program, text, answer="OK", title=desktop.APP_TITLE):
        """The next message box says `text`; it is answered with `answer`."""
        box = program.message()
        self.assertEqual((box.title, box.text), (title, text))
        box.answer(answer)

    def ask(self, program, window, keys, title, text, answer="OK"):
        """Opens an input box with `keys` in `window`, types `text` into it and answers."""
        program.key(window, *keys)
        box = program.input_box(title)
        if text:
            box.type(text)
        box.answer(answer)


def main(arguments=("VELMORA",), **desktop_options):
    """usage: SCRIPT ARGUMENTS... [unittest arguments]; each argument is kept in ARGS by
    its name, and VELMORA names the program that the scenarios start. `desktop_options`
    go to the Desktop."""
    global VELMORA, DESKTOP
    if len(sys.argv) <= len(arguments):
        sys.exit("usage: %s %s [unittest arguments]" % (sys.argv[0], " ".join(arguments)))
    ARGS.update(zip(arguments, (os.path.abspath(a) for a in sys.argv[1:])))
    VELMORA = ARGS.get("VELMORA")
    with desktop.Desktop(**desktop_options) as DESKTOP:
        # pyatspi calls libatspi functions that newer releases mark deprecated: quiet.
        result = unittest.main(module="__main__",
                               argv=[sys.argv[0], "-v", *sys.argv[len(arguments) + 1:]],
                               exit=False, warnings="ignore").result
    sys.exit(0 if result.wasSuccessful() else 1)
