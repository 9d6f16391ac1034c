#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""The real program on Wayland: a headless weston compositor, Qt's Wayland platform plugin
(as QT_QPA_PLATFORM=wayland asks for it), and no X server to fall back on. Read through the
accessibility bus, which does not depend on the window system; keys cannot be sent here,
so buttons are pressed and menu entries chosen. Both windows, and printing from each.

usage: e2e_wayland.py VELMORA [unittest arguments]; exits with 77 where weston or Qt's
Wayland plugin is not installed (tools/setup-debian.sh installs both).
"""

import glob
import os
import shutil
import subprocess
import sys
import tempfile

import scenario
import testcards
from desktop import EXPLORATION_TITLE, card_caption, menu_items, press, wait_until

N = len(testcards.CARDS)
SOCKET = "velmora-wayland"


class Wayland(scenario.Scenario):
    @classmethod
    def setUpClass(cls):
        cls.runtime = tempfile.mkdtemp(prefix="velmora-weston-")
        os.chmod(cls.runtime, 0o700)
        cls.weston = subprocess.Popen(
            ["weston", "--backend=headless-backend.so", "--socket=" + SOCKET, "--idle-time=0"],
            env=dict(os.environ, XDG_RUNTIME_DIR=cls.runtime),
            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        wait_until("weston's socket", lambda: os.path.exists(os.path.join(cls.runtime, SOCKET)))

    @classmethod
    def tearDownClass(cls):
        cls.weston.terminate()
        cls.weston.wait()
        shutil.rmtree(cls.runtime, ignore_errors=True)

    def start_on_wayland(self):
        # DISPLAY empty: the program cannot reach the tests' X server behind the compositor.
        # The headless compositor has no seat, and Qt 6.4's Wayland text input then reads the
        # keyboard of a seat that is not there as soon as an entry shows its cursor: the
        # compose input method, Qt's own, stands in for the compositor's.
        program = self.launch(env={"QT_QPA_PLATFORM": "wayland", "WAYLAND_DISPLAY": SOCKET,
                                   "XDG_RUNTIME_DIR": self.runtime, "DISPLAY": "", "QT_IM_MODULE": "compose"})
        return program, program.wait_for_frame(card_caption(1, N))

    def menu(self, program, window, name):
        """Chooses the menu entry `name` of the window, as a click on it would. Qt answers
        the call only once the entry's handler returns, after any box it opens has closed:
        the answer is not waited for."""
        entries = [item for item in menu_items(program.frame(window)) if item.name == name]
        self.assertEqual(len(entries), 1, name)
        from gi.repository import Atspi, GLib

        Atspi.set_timeout(500, -1)
        try:
            press(entries[0])
        except GLib.Error:
            pass  # the handler runs on, and what it shows is looked for next
        finally:
            Atspi.set_timeout(-1, -1)

    def test_native_on_wayland_to_the_exit_button(self):
        program, window = self.start_on_wayland()
        with open("/proc/%d/maps" % program.process.pid) as f:
            self.assertIn("libQt6WaylandClient", f.read(), "not on Qt's Wayland plugin")
        # Wayland does not tell the lock keys' state: the panels say nothing rather than "off".
        self.assertEqual([text for text in program.status_texts(window) if text in ("CAPS", "NUM")], [])

        # A message box and printing, which goes to a PDF file here.
        program.press(window, "ΠΡΟΣ ΕΚΤΥΠΩΣΗ")
        program.press(window, "ΕΚΤΥΠΩΣΗ")
        self.assert_message(program, "Οι Καρτέλλες Εκτυπώνονται")
        self.assertEqual(len(program.pdfs()), 1)

        program.press(window, "ΕΞΟΔΟΣ")
        self.assertEqual(program.wait(), 0)
        self.assertNotIn("Could not", program.output())

    def test_exploration_window_its_menus_and_a_page_printed(self):
        program, window = self.start_on_wayland()
        program.press(window, "ΠΟΛΛΑΠΛΕΣ")
        multi = program.wait_for_frame(EXPLORATION_TITLE)
        self.menu(program, multi, "Συγγραφέα")
        box = program.input_box("Βελμόρα 3.0: Αναζήτηση Συγγραφέα")
        box.type("ΠΑΠΑΔ")
        box.answer("OK")
        self.assert_message(program, "Θέλετε να Εκτυπώσω τις Καρτέλλες;", "Ναι")
        self.assert_message(program, "Να Εκτυπώσω τις Τελευταίες Καρτέλλες;", "Άκυρο")
        pdfs = wait_until("the page's PDF file", program.pdfs)
        self.assertEqual(len(pdfs), 1)
        page = subprocess.run(["pdftotext", "-layout", "-enc", "UTF-8", pdfs[0], "-"], capture_output=True,
                              check=True).stdout.decode("utf-8")
        self.assertRegex(page, r"Διερεύνηση Συγγραφέα: Σελίδα\s+1\s*$")

        # Back to the card window through the other menu, and out.
        self.menu(program, multi, "Ανά καρτέλλα")
        program.wait_gone(("frame",), EXPLORATION_TITLE)
        program.press(program.wait_for_frame(window), "ΕΞΟΔΟΣ")
        self.assertEqual(program.wait(), 0)


if __name__ == "__main__":
    if not shutil.which("weston"):
        print("weston is not installed (tools/setup-debian.sh installs it): not tested on Wayland")
        sys.exit(77)
    if not glob.glob("/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so"):
        print("qt6-wayland is not installed (tools/setup-debian.sh installs it): not tested on Wayland")
        sys.exit(77)
    scenario.main()
