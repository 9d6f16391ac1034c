#!/usr/bin/python3
"""The real program on Wayland: a headless weston compositor, Qt's Wayland platform plugin
(as QT_QPA_PLATFORM=wayland asks for it), and no X server to fall back on. Read through the
accessibility bus, which does not depend on the window system; keys cannot be sent here,
so buttons are pressed.

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
from desktop import card_caption, wait_until

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

    def test_native_on_wayland_to_the_exit_button(self):
        # DISPLAY empty: the program cannot reach the tests' X server behind the compositor.
        program = self.launch(env={"QT_QPA_PLATFORM": "wayland", "WAYLAND_DISPLAY": SOCKET,
                                   "XDG_RUNTIME_DIR": self.runtime, "DISPLAY": ""})
        window = program.wait_for_frame(card_caption(1, N))
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


if __name__ == "__main__":
    if not shutil.which("weston"):
        print("weston is not installed (tools/setup-debian.sh installs it): not tested on Wayland")
        sys.exit(77)
    if not glob.glob("/usr/lib/*/qt6/plugins/platforms/libqwayland-generic.so"):
        print("qt6-wayland is not installed (tools/setup-debian.sh installs it): not tested on Wayland")
        sys.exit(77)
    scenario.main()
