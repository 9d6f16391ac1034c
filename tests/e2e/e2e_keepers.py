#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""Two keepers of one card file in a group folder, each a user of their own, and a reader:
the filing of a keeper whose program was killed half-way is undone by the other keeper's
next --edit, which names whose filing it was; what the second keeper filed and appended is
there when the first edits again, and the backups beside the card file are shared by both; a
reader holding an exclusive flock or read locks of the card file keeps no keeper out, while
the keepers still keep each other out; and in a sticky setgid folder a stranger's journal,
though of the keepers' group, is left alone and named.

Only root can start the program as other users, so the script runs only as root. The
users have no accounts, but the desktop's buses let in only users with one, and only their
own: the script runs again in a mount namespace of its own, where /etc/passwd and
/etc/group name them and the buses' policies let every user in.

usage: e2e_keepers.py VELMORA VELMORA_CARDS [unittest arguments]; status 77: not root, no
strace, or no mount namespace to run in
"""

import atexit
import glob
import os
import shutil
import subprocess
import sys
import tempfile

import scenario
import testcards
from desktop import card_caption
from e2e_editing import EDITING_BUTTONS, set_field, showing_buttons

SKIPPED = 77
SETPRIV = "/usr/bin/setpriv"
GROUP = ("keepers", 1500)
KEEPER_A = ("keeper-a", 1001)
KEEPER_B = ("keeper-b", 1002)
READER = ("reader", 1003)
STRANGER = ("stranger", 1004)  # in no group of the keepers
IN_NAMESPACE = "VELMORA_E2E_OWN_MOUNTS"
N = len(testcards.CARDS)

LEFT_ALONE = ("Το «%s» ανήκει στον χρήστη «%s», που δεν μπορεί να γράψει στο αρχείο καρτελλών· "
              "το πρόγραμμα το αφήνει όπως είναι.")
UNDONE = ("Η Καταχώριση της Καρτέλλας  1 είχε διακοπεί και αναιρέθηκε: το αρχείο καρτελλών "
          "είναι όπως ήταν πριν από αυτήν.\nΤην Καταχώριση έκανε ο χρήστης «%s»." % KEEPER_A[0])
OFFER = ("Βρέθηκαν Αλλαγές της Καρτέλλας  1 που πληκτρολογήθηκαν και δεν Καταχωρίσθηκαν.\n"
         "Θέλετε να τις Επαναφέρω ;")

# Run as the reader: holds both kinds of read lock of the card file until killed.
READ_LOCKS = """import fcntl, os, struct, sys, time
fcntl.lockf(os.open(sys.argv[1], os.O_RDONLY), fcntl.LOCK_SH | fcntl.LOCK_NB)
whole = struct.pack("hhqqi", fcntl.F_RDLCK, os.SEEK_SET, 0, 0, 0)
fcntl.fcntl(os.open(sys.argv[1], os.O_RDONLY), getattr(fcntl, "F_OFD_SETLK", 37), whole)
print("held", flush=True)
time.sleep(60)
"""


def skip(why):
    print("skipped: " + why, file=sys.stderr)
    sys.exit(SKIPPED)


def replacing(entries):
    """A change of /etc/passwd or /etc/group: `entries` (name, id, the rest) in place of
    any entry of their names or ids."""
    def change(text):
        names = {name for name, _, _ in entries}
        ids = {str(number) for _, number, _ in entries}
        def theirs(fields):
            return fields[0] in names or (len(fields) > 2 and fields[2] in ids)
        kept = [line for line in text.splitlines() if not theirs(line.split(":"))]
        return "\n".join(kept + ["%s:x:%d:%s" % entry for entry in entries]) + "\n"
    return change


def open_to_all_users(text):
    """A bus's configuration whose default policy lets every user connect."""
    return text.replace('<policy context="default">', '<policy context="default"><allow user="*"/>', 1)


def reached_by_all_users(folder):
    """Whether every user may enter `folder` and each folder above it."""
    folder = os.path.realpath(folder)
    while True:
        if not os.stat(folder).st_mode & 0o001:
            return False
        if folder == os.path.dirname(folder):
            return True
        folder = os.path.dirname(folder)


def temporary_folder_for_all_users():
    """The system's temporary folder when every user reaches it, else the first of the
    usual ones that they do."""
    for folder in (tempfile.gettempdir(), "/tmp", "/var/tmp", "/dev/shm"):
        if os.path.isdir(folder) and reached_by_all_users(folder):
            return folder
    skip("no temporary folder that other users can enter")


def own_mounts():
    """Runs the script again in a mount namespace of its own; there, covers the system's
    files that name the users and set the buses' policies with changed copies."""
    if os.environ.get(IN_NAMESPACE) != "1":
        if os.geteuid() != 0:
            skip("only root can start the program as other users")
        if not shutil.which("strace"):
            skip("strace, which kills the program in the middle of a filing, is not installed")
        if subprocess.run(["unshare", "--mount", "true"], capture_output=True).returncode != 0:
            skip("no mount namespace can be made here (unshare --mount)")
        os.execvpe("unshare", ["unshare", "--mount", "--propagation", "private", sys.executable, *sys.argv],
                   dict(os.environ, **{IN_NAMESPACE: "1"}))
    # The desktop's buses, the users' homes and the card file are all made in temporary
    # folders, which the users must reach: not under a TMPDIR that only root may enter.
    tempfile.tempdir = temporary_folder_for_all_users()
    copies = tempfile.mkdtemp(prefix="velmora-mounts-")
    atexit.register(shutil.rmtree, copies, True)
    account = "%d::/nonexistent:/usr/sbin/nologin" % GROUP[1]
    users = [(name, uid, account) for name, uid in (KEEPER_A, KEEPER_B, READER)]
    users.append((*STRANGER, "%d::/nonexistent:/usr/sbin/nologin" % STRANGER[1]))
    changes = {"/etc/passwd": replacing(users),
               "/etc/group": replacing([(*GROUP, "")]),
               "/usr/share/dbus-1/session.conf": open_to_all_users,
               "/usr/share/defaults/at-spi2/accessibility.conf": open_to_all_users,
               "/etc/at-spi2/accessibility.conf": open_to_all_users}
    for target, change in changes.items():
        if not os.path.exists(target):
            continue
        copy = os.path.join(copies, target.replace("/", "_"))
        with open(target) as f, open(copy, "w") as out:
            out.write(change(f.read()))
        os.chmod(copy, 0o644)
        subprocess.run(["mount", "--bind", copy, target], check=True)


class User:
    """A user without an account: a home folder of its own, and commands run as it."""

    def __init__(self, account, root):
        self.name, self.uid = account
        self.home = os.path.join(root, self.name)
        runtime = os.path.join(self.home, "runtime")
        os.makedirs(runtime)
        for folder in (self.home, runtime):
            os.chown(folder, self.uid, GROUP[1])
            os.chmod(folder, 0o700)

    def env(self):
        return {"HOME": self.home, "XDG_RUNTIME_DIR": os.path.join(self.home, "runtime"),
                "XDG_CONFIG_HOME": os.path.join(self.home, ".config"),
                "XDG_DATA_HOME": os.path.join(self.home, ".local", "share"),
                "XDG_CACHE_HOME": os.path.join(self.home, ".cache"),
                "XDG_DOCUMENTS_DIR": os.path.join(self.home, "Documents")}

    def command(self, *args):
        return [SETPRIV, "--reuid=%d" % self.uid, "--regid=%d" % GROUP[1], "--clear-groups", *args]

    def data_files(self, pattern):
        """The one file of `pattern` in the user's data folder, or None."""
        found = glob.glob(os.path.join(self.home, ".local", "share", "Velmora", pattern))
        return found[0] if len(found) == 1 else None


def card_file_of(cards):
    return b"".join(testcards.record_bytes(card) for card in cards)


class Keepers(scenario.Scenario):
    def setUp(self):
        root = tempfile.mkdtemp(prefix="velmora-keepers-")
        self.addCleanup(shutil.rmtree, root, ignore_errors=True)
        os.chmod(root, 0o711)
        # The keepers' group folder, and the bibliography in it that the group may write.
        self.folder = os.path.join(root, "shared")
        os.mkdir(self.folder)
        os.chown(self.folder, 0, GROUP[1])
        os.chmod(self.folder, 0o2775)
        self.card_file = os.path.join(self.folder, "Filis.dat")
        testcards.write_card_file(self.card_file)
        os.chown(self.card_file, 0, GROUP[1])
        os.chmod(self.card_file, 0o664)
        self.a, self.b, self.reader = (User(account, root) for account in (KEEPER_A, KEEPER_B, READER))

    def launch(self, user):
        """`user` starts editing the card file."""
        command = user.command(scenario.VELMORA, "--edit", self.card_file)
        program = scenario.DESKTOP.start(command[0], folder=self.folder, env=user.env(), args=command[1:])
        self.addCleanup(program.close)
        return program

    def edit(self, user, count, offered=False):
        """`user` edits the card file of `count` cards; the typing it kept is refused when offered."""
        program = self.launch(user)
        if offered:
            self.assert_message(program, OFFER, answer="Όχι")
        program.wait_for_frame(card_caption(1, count))
        return program

    def kill_in_filing(self, program):
        """Files the card on the screen and kills the program once the journal is written
        and the card too, at the card's sync, before the journal is removed."""
        tracer = subprocess.Popen(
            ["strace", "-f", "-o", "/dev/null", "-P", self.card_file, "-e", "trace=fsync,fdatasync",
             "-e", "inject=fsync,fdatasync:signal=KILL", "-p", str(program.process.pid)],
            stderr=subprocess.PIPE, text=True)
        self.addCleanup(tracer.wait, 10)
        self.addCleanup(tracer.stderr.close)
        self.assertIn("attached", tracer.stderr.readline())
        program.key(card_caption(1, N), "F12")
        self.assertEqual(program.wait(), -9)
        self.assertTrue(os.path.isfile(self.card_file + ".journal"), "no journal left by the killed filing")

    def test_a_filing_cut_short_is_undone_by_the_other_keeper(self):
        original = card_file_of(testcards.CARDS)
        a = self.edit(self.a, N)
        set_field(a, card_caption(1, N), "ΤΙΤΛΟΣ", "ΤΙΤΛΟΣ ΠΟΥ ΔΕΝ ΚΑΤΑΧΩΡΙΣΘΗΚΕ")
        self.kill_in_filing(a)

        # The other keeper is told whose filing was undone, and then files and appends.
        b = self.launch(self.b)
        self.assert_message(b, UNDONE)
        self.assertEqual(b.card_file_bytes(), original)
        self.assertFalse(os.path.exists(self.card_file + ".journal"))
        b.key(card_caption(1, N), "Page_Down")
        window = b.wait_for_frame(card_caption(2, N))
        set_field(b, window, "ΤΙΤΛΟΣ", "ΤΙΤΛΟΣ ΤΟΥ ΔΕΥΤΕΡΟΥ")
        b.key(window, "F12")
        # In a group folder the keepers share the backups beside the card file: the first
        # keeper's copy moves back a generation, and the second's takes the latest name.
        with open(self.card_file + ".bak", "rb") as f:
            first_keepers = f.read()
        self.assert_message(b, "Η Καρτέλλα  2 Καταχωρίσθηκε")
        self.assertIsNone(self.b.data_files("*.bak"))
        with open(self.card_file + ".bak.1", "rb") as f:
            self.assertEqual(f.read(), first_keepers)
        self.assertEqual(os.stat(self.card_file + ".bak").st_uid, self.b.uid)
        b.key(window, "F3")
        window = b.wait_for_frame(card_caption(N + 1, N + 1))
        set_field(b, window, "ΑΡIΘΜ. ISBN", "960-99-0001-1")
        b.key(window, "F3")
        window = b.wait_for_frame(card_caption(N + 2, N + 2))
        b.key(window, "alt+x")
        self.assertEqual(b.wait(), 0)
        cards = list(testcards.CARDS)
        cards[1] = cards[1][:2] + ("ΤΙΤΛΟΣ ΤΟΥ ΔΕΥΤΕΡΟΥ",) + cards[1][3:]
        cards += [("960-99-0001-1", "", "", "", "", ""), ("960-", "", "", "", "", "")]
        filed = card_file_of(cards)
        self.assertEqual(b.card_file_bytes(), filed)

        # The first keeper again: nothing of the other's undone, nothing of its own back.
        again = self.edit(self.a, N + 2, offered=self.a.data_files("*.typed") is not None)
        again.key(card_caption(1, N + 2), "alt+x")
        self.assertEqual(again.wait(), 0)
        self.assertEqual(again.card_file_bytes(), filed)

    def test_a_readers_flock_keeps_no_keeper_out(self):
        holder = subprocess.Popen(
            self.reader.command("flock", "--exclusive", self.card_file, "sh", "-c", "echo held; exec sleep 30"),
            stdout=subprocess.PIPE, text=True, env=dict(os.environ, **self.reader.env()))
        self.addCleanup(holder.wait)
        self.addCleanup(holder.kill)
        self.addCleanup(holder.stdout.close)
        self.assertEqual(holder.stdout.readline(), "held\n")
        program = self.edit(self.a, N)
        self.assertTrue(set(EDITING_BUTTONS) <= showing_buttons(program, card_caption(1, N)))
        program.no_dialog()

    # A reader's read locks of the card file, of a process (lockf) and of an open file
    # (F_OFD_SETLK), keep no keeper out; the keepers' lock file still keeps them apart.
    def test_a_readers_read_locks_keep_no_keeper_out(self):
        holder = subprocess.Popen(self.reader.command(sys.executable, "-c", READ_LOCKS, self.card_file),
                                  stdout=subprocess.PIPE, text=True, env=dict(os.environ, **self.reader.env()))
        self.addCleanup(holder.wait)
        self.addCleanup(holder.kill)
        self.addCleanup(holder.stdout.close)
        self.assertEqual(holder.stdout.readline(), "held\n")
        books = os.path.join(self.b.home, "books.csv")
        with open(books, "w") as out:
            out.write("Isbn,Author,Title,OtherName,Publication,PagesNotes\n960-99-0002-2,,ΝΕΟ,,,\n")
        os.chown(books, self.b.uid, GROUP[1])
        def cards(*args):
            return subprocess.run(self.b.command(scenario.ARGS["VELMORA_CARDS"], *args), capture_output=True,
                                  text=True, env=dict(os.environ, LC_ALL="C.UTF-8", **self.b.env()))
        program = self.edit(self.a, N)
        self.assertTrue(set(EDITING_BUTTONS) <= showing_buttons(program, card_caption(1, N)))
        refused = cards("import", "--append", books, self.card_file)
        self.assertEqual((refused.returncode, "being edited already" in refused.stderr), (1, True), refused.stderr)
        program.key(card_caption(1, N), "alt+x")
        self.assertEqual(program.wait(), 0)
        for args in (("import", "--append", books), ("restore",)):
            done = cards(*args, self.card_file)
            self.assertEqual((done.returncode, done.stderr), (0, ""))
        self.assertEqual(program.card_file_bytes(), card_file_of(testcards.CARDS))


    # In a sticky setgid folder every file gets the keepers' group, a stranger's too: a
    # journal of a stranger's, which could cut the card file or write into a card, is not
    # undone, and the keeper is told whose it is.
    def test_a_strangers_journal_is_left_alone(self):
        os.chmod(self.folder, 0o3777)
        journal = self.card_file + ".journal"
        a = self.edit(self.a, N)
        set_field(a, card_caption(1, N), "ΤΙΤΛΟΣ", "ΤΙΤΛΟΣ ΤΟΥ ΞΕΝΟΥ")
        self.kill_in_filing(a)
        os.chown(journal, STRANGER[1], GROUP[1])
        with open(self.card_file, "rb") as f, open(journal, "rb") as j:
            as_killed, forged = f.read(), j.read()
        self.assertNotEqual(as_killed, card_file_of(testcards.CARDS))

        b = self.launch(self.b)
        self.assert_message(b, LEFT_ALONE % (journal, STRANGER[0]))
        b.wait_for_frame(card_caption(1, N))
        self.assertEqual(b.card_file_bytes(), as_killed)
        with open(journal, "rb") as j:
            self.assertEqual(j.read(), forged)
        b.key(card_caption(1, N), "alt+x")
        self.assertEqual(b.wait(), 0)


if __name__ == "__main__":
    own_mounts()
    scenario.main(arguments=("VELMORA", "VELMORA_CARDS"), all_users=True)
