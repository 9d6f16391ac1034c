#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""The installed program: `cmake --install` into a staging folder, the files a desktop needs
where it looks for them, and the installed program, started from an empty folder, opening
its own help files from the data folder it is configured with (DATADIR), where the staged
one lies in a mount namespace of the program's own.

usage: e2e_install.py CMAKE BUILD_DIR DATADIR [unittest arguments]
"""

import configparser
import glob
import os
import shlex
import shutil
import subprocess
import tempfile

import scenario
from desktop import APP_TITLE, card_caption, find_all, menu_items, press, wait_until

APP_ID = "org.velmora.Velmora"
ICON_SIZES = ("16x16", "32x32", "48x48", "64x64", "128x128", "256x256")
HELP_FILES = ("BIBLIOGRAPHY.HLP", "TERVANI.HLP")
CARD_FILE_TYPE = "application/x-velmora-cardfile"


class Installation(scenario.Scenario):
    @classmethod
    def setUpClass(cls):
        cls.staging = tempfile.mkdtemp(prefix="velmora-install-")
        cls.prefix = os.path.join(cls.staging, "usr")
        done = subprocess.run([scenario.ARGS["CMAKE"], "--install", scenario.ARGS["BUILD_DIR"],
                               "--prefix", cls.prefix], capture_output=True, text=True)
        if done.returncode != 0:
            raise AssertionError("cmake --install failed:\n" + done.stdout + done.stderr)

    @classmethod
    def tearDownClass(cls):
        shutil.rmtree(cls.staging, ignore_errors=True)

    def installed(self, *parts):
        return os.path.join(self.prefix, *parts)

    def desktop_entry(self):
        entry = configparser.RawConfigParser(strict=True)
        entry.optionxform = str
        with open(self.installed("share", "applications", APP_ID + ".desktop"), encoding="utf-8") as f:
            entry.read_file(f)
        return entry["Desktop Entry"]

    def test_files_where_a_desktop_looks_for_them(self):
        for program in ("velmora", "velmora-cards"):
            self.assertTrue(os.access(self.installed("bin", program), os.X_OK), program)
        for name in HELP_FILES:
            self.assertTrue(os.path.isfile(self.installed("share", "velmora", "help", name)), name)
        for size in ICON_SIZES:
            icon = self.installed("share", "icons", "hicolor", size, "apps", APP_ID + ".png")
            self.assertTrue(os.path.isfile(icon), icon)
        self.assertTrue(os.path.isfile(
            self.installed("share", "icons", "hicolor", "scalable", "apps", APP_ID + ".svg")))

        entry_path = self.installed("share", "applications", APP_ID + ".desktop")
        group = self.desktop_entry()
        self.assertEqual(group["Name"], "Βελμόρα")
        self.assertEqual(group["Icon"], APP_ID)
        # One main category, or a menu lists the program once under each.
        self.assertEqual(group["Categories"], "Education;History;Humanities;")
        self.assertEqual(group["MimeType"], CARD_FILE_TYPE + ";")
        self.assertTrue(group["Comment"] and group["Comment[el]"])

        # AppStream's component id in lower case, as its validator asks; it names the entry.
        metainfo = self.installed("share", "metainfo", APP_ID.lower() + ".metainfo.xml")
        self.assertTrue(os.path.isfile(metainfo))
        for tool, command in (("desktop-file-validate", [entry_path]),
                              ("appstreamcli", ["validate", "--pedantic", "--no-net", metainfo])):
            if shutil.which(tool):
                done = subprocess.run([tool, *command], capture_output=True, text=True)
                self.assertEqual(done.returncode, 0, done.stdout + done.stderr)
        # A pedantic finding leaves the status at 0: any issue line is one.
        if shutil.which("appstreamcli"):
            self.assertNotRegex(done.stdout, r"(?m)^[EWIP]: ")
        # It exits with 0 on hints such as two main categories: any word from it is a finding.
        if shutil.which("desktop-file-validate"):
            done = subprocess.run(["desktop-file-validate", entry_path], capture_output=True, text=True)
            self.assertEqual(done.stdout + done.stderr, "")

    def test_menu_entry_opens_the_installed_bibliography_for_reading(self):
        # As a launcher runs the entry with no file: %f stands for nothing, the program is
        # found on the PATH, and it starts in the home folder.
        command = [word.replace("%%", "%") for word in shlex.split(self.desktop_entry()["Exec"])
                   if word not in ("%f", "%F", "%u", "%U")]
        executable = shutil.which(command[0], path=self.installed("bin"))
        cards = self.installed("share", "velmora", "Filis.dat")
        with open(self.installed("share", "velmora", "books.csv"), encoding="utf-8") as f:
            count = len(f.readlines()) - 1
        self.assertEqual(os.path.getsize(cards), count * 195)

        program = self.launch(cards=None, executable=executable, args=command[1:], in_home=True)
        program.wait_for_frame(card_caption(1, count))
        opened = [fd for fd in os.listdir("/proc/%d/fd" % program.process.pid)
                  if os.path.realpath("/proc/%d/fd/%s" % (program.process.pid, fd)) == os.path.realpath(cards)]
        self.assertEqual(len(opened), 1)
        with open("/proc/%d/fdinfo/%s" % (program.process.pid, opened[0])) as f:
            flags = int(dict(line.split(":", 1) for line in f)["flags"], 8)
        self.assertEqual(flags & os.O_ACCMODE, os.O_RDONLY, "the installed bibliography is open for writing")
        program.key(card_caption(1, count), "alt+x")
        self.assertEqual(program.wait(), 0)
        # Only what the test made itself.
        self.assertEqual(tree(program.home), [os.path.join(program.home, ".config")])

    def test_card_files_are_known_by_their_name_alone(self):
        share = self.installed("share")
        env = dict(os.environ, XDG_DATA_DIRS=share + ":/usr/share", XDG_DATA_HOME=os.path.join(self.staging, "none"))
        done = subprocess.run(["update-mime-database", os.path.join(share, "mime")], env=env,
                              capture_output=True, text=True)
        self.assertEqual((done.returncode, done.stderr), (0, ""))
        # GIO reads the database that update-mime-database wrote, not the package's XML.
        names = ("Filis.dat", "filis.DAT", "Filis.dat.bak", "books.dat")
        done = subprocess.run(
            ["/usr/bin/python3", "-c", "import sys; from gi.repository import Gio\n"
             "for name in sys.argv[1:]: print(Gio.content_type_guess(name, None)[0])", *names],
            env=env, capture_output=True, text=True, check=True)
        types = dict(zip(names, done.stdout.split()))
        self.assertEqual([name for name in names if types[name] == CARD_FILE_TYPE], ["Filis.dat", "filis.DAT"])

    def test_installed_program_from_an_empty_folder_opens_its_help(self):
        # Marks the staged help files, so that what opens can only be them.
        titles = {}
        for name in HELP_FILES:
            path = self.installed("share", "velmora", "help", name)
            with open(path, encoding="utf-8") as f:
                text = f.read()
            start = text.index("<title>") + len("<title>")
            end = text.index("</title>")
            titles[name] = text[start:end] + " (" + self.staging + ")"
            with open(path, "w", encoding="utf-8") as f:
                f.write(text[:start] + titles[name] + text[end:])

        # The program looks for its help only where it is configured to be installed, never
        # around its own place: the staged share folder is laid over the configured one
        # (read-only, in a mount namespace of the program's own), as an installation there
        # would be.
        configured = os.path.dirname(scenario.ARGS["DATADIR"])
        if os.geteuid() != 0 or subprocess.run(["unshare", "--mount", "true"], capture_output=True).returncode:
            self.skipTest("the staged help is laid over %s by root with unshare --mount" % configured)
        folder = tempfile.mkdtemp(prefix="velmora-empty-")
        self.addCleanup(shutil.rmtree, folder, True)
        overlay = 'mount -t overlay -o ro,lowerdir="$1:$2" velmora-staged "$2" && exec "$3"'
        program = self.launch(cards=None, executable="unshare", folder=folder,
                              args=["--mount", "--propagation", "private", "sh", "-c", overlay, "sh",
                                    self.installed("share"), configured, self.installed("bin", "velmora")])
        window = program.wait_for_frame(card_caption(1, 1))
        self.assertEqual(os.listdir(folder), ["Filis.dat"], "the card file is made where it starts")

        program.key(window, "ctrl+F1")
        program.wait_for_frame(titles["TERVANI.HLP"])
        self.assertFalse([name for role, name in program.shown() if role == "alert"],
                         "a help file was not found")

        # The bibliography's help file has no key: its menu entry is pressed.
        entry = [item for item in menu_items(program.frame(window)) if item.name == "Βελμόρα ..."]
        self.assertEqual(len(entry), 1)
        press(entry[0])
        program.wait_for_frame(titles["BIBLIOGRAPHY.HLP"])
        self.assertEqual(sorted(name for _, name in program.shown()),
                         sorted([card_caption(1, 1), *titles.values()]))
        self.assertNotIn(APP_TITLE + " - Βοήθεια", [name for _, name in program.shown()])


def tree(folder):
    """Every file and folder under `folder`."""
    return sorted(os.path.join(top, name) for top, folders, files in os.walk(folder) for name in folders + files)


if __name__ == "__main__":
    scenario.main(("CMAKE", "BUILD_DIR", "DATADIR"))
