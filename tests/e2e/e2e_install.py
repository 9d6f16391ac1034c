#!/usr/bin/python3
"""The installed program: `cmake --install` into a staging folder, the files a desktop needs
where it looks for them, and the installed program, started from an empty folder, opening
its own help files.

usage: e2e_install.py CMAKE BUILD_DIR [unittest arguments]
"""

import configparser
import glob
import os
import shutil
import subprocess
import tempfile

import scenario
from desktop import APP_TITLE, card_caption, find_all, press, wait_until

APP_ID = "org.velmora.Velmora"
ICON_SIZES = ("16x16", "32x32", "48x48", "64x64", "128x128", "256x256")
HELP_FILES = ("BIBLIOGRAPHY.HLP", "TERVANI.HLP")


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
        entry = configparser.RawConfigParser(strict=True)
        entry.optionxform = str
        with open(entry_path, encoding="utf-8") as f:
            entry.read_file(f)
        group = entry["Desktop Entry"]
        self.assertEqual(group["Name"], "Βελμόρα")
        self.assertEqual(group["Exec"], "velmora")
        self.assertEqual(group["Icon"], APP_ID)
        self.assertEqual(group["Categories"], "Office;Education;")
        self.assertTrue(group["Comment"] and group["Comment[el]"])
        self.assertTrue(os.access(self.installed("bin", group["Exec"]), os.X_OK))

        metainfo = self.installed("share", "metainfo", APP_ID + ".metainfo.xml")
        self.assertTrue(os.path.isfile(metainfo))
        for tool, command in (("desktop-file-validate", [entry_path]),
                              ("appstreamcli", ["validate", "--no-net", metainfo])):
            if shutil.which(tool):
                done = subprocess.run([tool, *command], capture_output=True, text=True)
                self.assertEqual(done.returncode, 0, done.stdout + done.stderr)

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

        folder = tempfile.mkdtemp(prefix="velmora-empty-")
        self.addCleanup(shutil.rmtree, folder, True)
        program = self.launch(cards=None, executable=self.installed("bin", "velmora"), folder=folder)
        window = program.wait_for_frame(card_caption(1, 1))
        self.assertEqual(os.listdir(folder), ["Filis.dat"], "the card file is made where it starts")

        program.key(window, "ctrl+F1")
        program.wait_for_frame(titles["TERVANI.HLP"])
        self.assertFalse([name for role, name in program.shown() if role == "alert"],
                         "a help file was not found")

        # The bibliography's help file has no key: its menu entry is pressed.
        entry = [item for item in find_all_menu_items(program.frame(window)) if item.name == "Βελμόρα ..."]
        self.assertEqual(len(entry), 1)
        press(entry[0])
        program.wait_for_frame(titles["BIBLIOGRAPHY.HLP"])
        self.assertEqual(sorted(name for _, name in program.shown()),
                         sorted([card_caption(1, 1), *titles.values()]))
        self.assertNotIn(APP_TITLE + " - Βοήθεια", [name for _, name in program.shown()])


def find_all_menu_items(frame):
    bars = [child for child in (frame.getChildAtIndex(i) for i in range(frame.childCount))
            if child is not None and child.getRoleName() == "menu bar"]
    items = []
    for bar in bars:
        stack = [bar]
        while stack:
            obj = stack.pop()
            for i in range(obj.childCount):
                child = obj.getChildAtIndex(i)
                if child is None:
                    continue
                if child.getRoleName() == "menu item":
                    items.append(child)
                stack.append(child)
    return items


if __name__ == "__main__":
    scenario.main(("CMAKE", "BUILD_DIR"))
