#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""Starts the built velmora under Xvfb and reads what it shows from the X server.

usage: e2e_startup.py VELMORA VELMORA_CARDS

Each case runs the program in a fresh folder of its own: a card file of three cards, an
empty folder, a folder named Filis.dat, a card file too long to count, and a card file
that turns into a folder while the program runs.
"""

import os
import shutil
import stat
import subprocess
import sys
import tempfile
import time
import unittest

from desktop import card_caption

VELMORA = CARDS_TOOL = None
DISPLAY = None
CARD_TITLE = "Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα: {:>2}  από {:>2}"
MESSAGE_TITLE = "Βελμόρα 3.0"
SPLASH_MS = 3000


def xdotool(*args):
    done = subprocess.run(["xdotool", *args], env=x_env(), capture_output=True, text=True, timeout=20)
    return done.stdout


def x_env():
    env = dict(os.environ, DISPLAY=DISPLAY)
    env.pop("QT_QPA_PLATFORM", None)
    return env


def visible_windows():
    """Titles of the visible windows that belong to the program, by window id."""
    ids = xdotool("search", "--onlyvisible", "--name", "Βελμόρα").split()
    return {i: xdotool("getwindowname", i).rstrip("\n") for i in ids}


def wait_for_window(title, timeout=20.0):
    deadline = time.monotonic() + timeout
    while time.monotonic() < deadline:
        for window, name in visible_windows().items():
            if name == title:
                return window
        time.sleep(0.1)
    raise AssertionError("no window titled %r; visible: %r" % (title, list(visible_windows().values())))


def press(window, key):
    # No window manager gives the focus back when a dialog closes: give it first.
    xdotool("windowfocus", "--sync", window)
    xdotool("key", "--clearmodifiers", key)


class Program:
    """The program running in `folder`, with its own data and runtime folders."""

    def __init__(self, folder, command=(), args=()):
        self.folder = folder
        env = x_env()
        home = os.path.join(folder, ".home")
        os.makedirs(home, mode=0o700, exist_ok=True)
        env.update(HOME=home, XDG_DATA_HOME=os.path.join(home, "data"), XDG_RUNTIME_DIR=home,
                   XDG_CONFIG_HOME=os.path.join(home, "config"))
        self.started = time.monotonic()
        # As from the desktop's menu: no terminal on any of the three.
        self.process = subprocess.Popen([*command, VELMORA, *args], cwd=folder, env=env, stdin=subprocess.DEVNULL,
                                        stdout=subprocess.PIPE, stderr=subprocess.STDOUT, text=True)

    def wait(self, timeout=20):
        try:
            self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            self.process.kill()
            self.process.wait()
            raise AssertionError("the program did not end")
        return self.process.returncode

    def stop(self):
        if self.process.poll() is None:
            self.process.kill()
            self.process.wait()
        self.process.stdout.close()

    def output(self):
        return self.process.stdout.read()


class StartUp(unittest.TestCase):
    def setUp(self):
        self.folder = tempfile.mkdtemp(prefix="velmora-e2e-")
        self.program = None

    def tearDown(self):
        if self.program:
            self.program.stop()
        shutil.rmtree(self.folder, ignore_errors=True)

    def card_file(self):
        return os.path.join(self.folder, "Filis.dat")

    def write_cards(self, rows, path=None):
        csv = os.path.join(self.folder, "cards.csv")
        with open(csv, "w", encoding="utf-8") as f:
            f.write("Isbn,Author,Title,OtherName,Publication,PagesNotes\n")
            for row in rows:
                f.write(",".join(row) + "\n")
        subprocess.run([CARDS_TOOL, "import", csv, path or self.card_file()], check=True, capture_output=True)
        os.remove(csv)

    def start(self, command=(), args=()):
        self.program = Program(self.folder, command, args)
        return self.program

    def assert_failed_with_message(self, program):
        # The splash window carries the same title and may flash up before the message:
        # answer whatever window has the title until the program ends.
        for _ in range(5):
            message = wait_for_window(MESSAGE_TITLE)
            self.assertIsNone(program.process.poll(), "the program ended before the user read the message")
            press(message, "Return")
            try:
                program.process.wait(5)
                break
            except subprocess.TimeoutExpired:
                pass
        status = program.wait()
        self.assertGreater(status, 0, "a failure must end with a non-zero status, not a signal: %d" % status)
        self.assertNotIn("Aborted", program.output())

    def test_three_cards_after_the_splash(self):
        self.write_cards([("960-1", "ΘΟΥΚΥΔΙΔΗΣ", "ΙΣΤΟΡΙΑΙ", "", "", ""),
                          ("960-2", "ΗΡΟΔΟΤΟΣ", "ΙΣΤΟΡΙΑΙ", "", "", ""),
                          ("960-3", "ΞΕΝΟΦΩΝ", "ΕΛΛΗΝΙΚΑ", "", "", "")])
        with open(self.card_file(), "rb") as f:
            before = f.read()
        program = self.start()
        # The splash window comes first; the card window only once its time is over.
        wait_for_window(MESSAGE_TITLE)
        window = wait_for_window(CARD_TITLE.format(1, 3))
        self.assertGreaterEqual((time.monotonic() - program.started) * 1000, SPLASH_MS - 100)
        self.assertNotIn(MESSAGE_TITLE, visible_windows().values(), "the splash window is still up")

        press(window, "alt+x")
        self.assertEqual(program.wait(), 0)
        with open(self.card_file(), "rb") as f:
            self.assertEqual(f.read(), before, "browsing changed the card file")
        self.assertEqual(program.output(), "", "nothing was created, nothing to say")

    def test_empty_folder(self):
        program = self.start()
        window = wait_for_window(CARD_TITLE.format(1, 1))
        self.assertTrue(os.path.isfile(self.card_file()))
        self.assertEqual(os.path.getsize(self.card_file()), 0)
        press(window, "alt+x")
        self.assertEqual(program.wait(), 0)
        # Typed in a terminal, the usual first try: what happened, and the way to the bibliography.
        self.assertEqual(program.output(), "velmora: created the empty card file %s; 'velmora --installed' opens "
                         "the bibliography installed with the program.\n" % self.card_file())

    def test_card_file_or_folder_named_on_the_command_line(self):
        # The working folder's own card file, which neither start may open.
        self.write_cards([("960-0", "", "", "", "", "")])
        other = os.path.join(self.folder, "Βιβλιοθήκη")
        os.mkdir(other)
        named = os.path.join(other, "Ιστορία.kar")
        self.write_cards([("960-%d" % n, "", "", "", "", "") for n in range(3)], named)
        self.write_cards([("960-%d" % n, "", "", "", "", "") for n in range(12)], os.path.join(other, "Filis.dat"))
        for argument, count in ((named, 3), (other, 12)):
            with self.subTest(argument=argument):
                program = self.start(args=[argument])
                press(wait_for_window(card_caption(1, count)), "alt+x")
                self.assertEqual(program.wait(), 0)
                program.stop()
        self.assertEqual(sorted(os.listdir(other)), ["Filis.dat", "Ιστορία.kar"])

    def test_folder_named_like_the_card_file(self):
        os.mkdir(self.card_file())
        self.assert_failed_with_message(self.start())
        self.assertTrue(os.path.isdir(self.card_file()))

    def permissions_obeyed(self):
        """The prefix that makes root honour the permissions, without its power to override them."""
        if os.geteuid() != 0:
            return ()
        setpriv = shutil.which("setpriv")
        if not setpriv:
            self.skipTest("root writes to any file, and setpriv is not there to stop it")
        return (setpriv, "--bounding-set=-dac_override", "--")

    def test_fifo_named_like_the_card_file(self):
        # Read-only, so that the program falls back to reading it: it must not wait for a
        # writer that never comes.
        os.mkfifo(self.card_file(), 0o444)
        command = self.permissions_obeyed()
        self.assert_failed_with_message(self.start(command))
        self.assertTrue(stat.S_ISFIFO(os.stat(self.card_file()).st_mode))

    def test_read_only_edit_outlives_the_splash(self):
        # The notice that the file cannot be edited opens while the splash is the active
        # window (the offscreen platform activates every window at once); the splash closes
        # itself after three seconds, and must not take the open notice with it.
        self.write_cards([("960-1", "Α", "", "", "", "")])
        os.chmod(self.card_file(), 0o444)
        command = self.permissions_obeyed()
        env = dict(x_env(), QT_QPA_PLATFORM="offscreen", HOME=os.path.join(self.folder, ".home"),
                   XDG_RUNTIME_DIR=os.path.join(self.folder, ".home"))
        offscreen = subprocess.Popen([*command, VELMORA, "--edit", self.card_file()], cwd=self.folder, env=env,
                                     stdout=subprocess.DEVNULL, stderr=subprocess.PIPE, text=True)
        try:
            time.sleep((SPLASH_MS + 1500) / 1000)
            self.assertIsNone(offscreen.poll(), offscreen.stderr.read() if offscreen.poll() is not None else "")
        finally:
            offscreen.kill()
            offscreen.wait()
            said = offscreen.stderr.read()
            offscreen.stderr.close()
        # The notice's command is on the standard error too, for a terminal to copy it from.
        self.assertIn("mkdir -p ~/Βιβλιογραφία && cp -n %s ~/Βιβλιογραφία/ && velmora --edit" % self.card_file(), said)

    def test_a_wrong_command_line_is_shown_on_the_desktop(self):
        # Nobody reads the standard error of a program started from the desktop's menu.
        program = self.start(args=["--bogus"])
        press(wait_for_window(MESSAGE_TITLE), "Return")
        self.assertEqual(program.wait(), 2)
        self.assertIn("--help", program.output())

    def test_card_file_too_long_to_count(self):
        with open(self.card_file(), "wb") as f:
            f.truncate(3 * 1024 ** 3)  # sparse: no disk space used
        self.assert_failed_with_message(self.start())
        self.assertEqual(os.path.getsize(self.card_file()), 3 * 1024 ** 3)

    def test_card_file_lost_while_running(self):
        self.write_cards([("960-1", "Α", "", "", "", "")])
        program = self.start()
        window = wait_for_window(CARD_TITLE.format(1, 1))
        # The exploration window opens the card file afresh, from inside a key handler.
        os.rename(self.card_file(), self.card_file() + ".old")
        os.mkdir(self.card_file())
        press(window, "ctrl+a")
        self.assert_failed_with_message(program)


def start_xvfb():
    read_end, write_end = os.pipe()
    xvfb = subprocess.Popen(["Xvfb", "-displayfd", str(write_end), "-screen", "0", "1280x1024x24",
                             "-nolisten", "tcp"], pass_fds=(write_end,),
                            stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
    os.close(write_end)
    with os.fdopen(read_end) as f:
        number = f.readline().strip()
    if not number:
        xvfb.kill()
        raise RuntimeError("Xvfb did not start")
    return xvfb, ":" + number


def main():
    global VELMORA, CARDS_TOOL, DISPLAY
    if len(sys.argv) < 3:
        sys.exit(__doc__)
    VELMORA, CARDS_TOOL = (os.path.abspath(p) for p in sys.argv[1:3])
    xvfb, DISPLAY = start_xvfb()
    try:
        result = unittest.main(argv=[sys.argv[0], "-v", *sys.argv[3:]], exit=False).result
    finally:
        xvfb.terminate()
        try:
            xvfb.wait(10)
        except subprocess.TimeoutExpired:
            xvfb.kill()
            xvfb.wait()
    sys.exit(0 if result.wasSuccessful() else 1)


if __name__ == "__main__":
    main()
