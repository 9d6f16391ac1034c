# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""A private desktop for the real program: a virtual X server, a session bus, the
accessibility bus, and the program itself in a folder of its own.

The program is driven as a person would drive it, with keys sent through the X server
(xdotool) and buttons pressed through the accessibility interface, and read back from what
it shows: window titles from the X server (xprop), controls, message boxes and input boxes
through AT-SPI (pyatspi, which only Debian's /usr/bin/python3 has).

    with Desktop() as desktop:
        program = desktop.start(VELMORA, cards=FILIS_DAT)
        window = program.wait_for_frame(card_caption(1, 12))
        program.key(window, "Page_Down")
"""

import glob
import os
import re
import shutil
import signal
import subprocess
import tempfile
import time
# How long anything the program is asked to do may take to show, in seconds. Generous:
# the machine running the tests may be busy building.
PATIENCE = 20.0
POLL = 0.05

APP_TITLE = "Βελμόρα 3.0"
CARD_CAPTION = "Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα: {}  από {}"
EXPLORATION_TITLE = "Βελμόρα 3.0 - Σερβαλίνη"

pyatspi = None  # imported once the buses exist: it binds to them on import


def number_text(n):
    """A number as the program writes it in captions and messages: a blank before it."""
    return ("-" if n < 0 else " ") + str(abs(n))


def card_caption(card, count):
    return CARD_CAPTION.format(number_text(card), number_text(count))


class TimedOut(AssertionError):
    pass


def wait_until(what, probe, timeout=PATIENCE):
    """Polls probe() until it gives something true, and returns that."""
    deadline = time.monotonic() + timeout
    while True:
        value = probe()
        if value:
            return value
        if time.monotonic() > deadline:
            raise TimedOut("waited %.0f s for %s" % (timeout, what() if callable(what) else what))
        time.sleep(POLL)


def _stop(process, sig=signal.SIGTERM, group=False):
    if process is None or process.poll() is not None:
        return
    try:
        if group:
            os.killpg(process.pid, sig)
        else:
            process.send_signal(sig)
        process.wait(5)
    except (subprocess.TimeoutExpired, ProcessLookupError):
        if group:
            try:
                os.killpg(process.pid, signal.SIGKILL)
            except ProcessLookupError:
                pass
        else:
            process.kill()
        process.wait()


class Desktop:
    """Xvfb on a free display, a session bus and the AT-SPI bus, for one test script. With
    `all_users`, programs of other users reach the buses' sockets too (the buses' policies
    must still let them in)."""

    def __init__(self, width=1280, height=1024, all_users=False):
        self.size = (width, height)
        self.all_users = all_users
        self.xvfb = self.bus = self.a11y = None
        self.display = None
        self.folder = None

    def __enter__(self):
        global pyatspi
        self.folder = tempfile.mkdtemp(prefix="velmora-desktop-")
        if self.all_users:
            os.chmod(self.folder, 0o711)
        try:
            self._start_xvfb()
            self._start_bus()
            self._start_a11y()
            import pyatspi as module  # noqa: E402 -- needs DISPLAY and the bus address set

            pyatspi = module
        except BaseException:
            self.__exit__(None, None, None)
            raise
        return self

    def __exit__(self, *exc):
        _stop(self.a11y, group=True)
        _stop(self.bus)
        if self.bus:
            self.bus.stdout.close()
        _stop(self.xvfb)
        if self.folder:
            shutil.rmtree(self.folder, ignore_errors=True)
        return False

    def _start_xvfb(self):
        read_end, write_end = os.pipe()
        # -displayfd picks a free display and tells its number once it accepts clients.
        self.xvfb = subprocess.Popen(
            ["Xvfb", "-displayfd", str(write_end), "-screen", "0", "%dx%dx24" % self.size,
             "-nolisten", "tcp", "-noreset"],
            pass_fds=(write_end,), stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)
        os.close(write_end)
        with os.fdopen(read_end) as f:
            number = f.readline().strip()
        if not number:
            raise RuntimeError("Xvfb did not start")
        self.display = ":" + number
        os.environ["DISPLAY"] = self.display

    def _start_bus(self):
        self.bus = subprocess.Popen(
            ["dbus-daemon", "--session", "--nofork", "--nopidfile", "--print-address=1",
             "--address=unix:dir=" + self.folder],
            stdout=subprocess.PIPE, stderr=subprocess.DEVNULL, text=True)
        address = self.bus.stdout.readline().strip()
        if not address:
            raise RuntimeError("the session bus did not start")
        os.environ["DBUS_SESSION_BUS_ADDRESS"] = address

    def _start_a11y(self):
        environment = None
        if self.all_users:
            # The launcher puts the bus's socket in at-spi under the runtime folder, made
            # for its user alone unless it is there already.
            runtime = os.path.join(self.folder, "runtime")
            os.makedirs(os.path.join(runtime, "at-spi"), mode=0o711)
            os.chmod(os.path.join(runtime, "at-spi"), 0o711)
            os.chmod(runtime, 0o711)
            environment = dict(os.environ, XDG_RUNTIME_DIR=runtime)
        # Its own process group: the launcher starts the accessibility bus and registry.
        self.a11y = subprocess.Popen(["/usr/libexec/at-spi-bus-launcher", "--launch-immediately"],
                                     stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL,
                                     start_new_session=True, env=environment)
        wait_until("the accessibility bus", self._a11y_ready, timeout=10)

    def _a11y_ready(self):
        done = subprocess.run(
            ["dbus-send", "--session", "--print-reply", "--dest=org.a11y.Bus", "/org/a11y/bus",
             "org.a11y.Bus.GetAddress"], capture_output=True, text=True)
        return done.returncode == 0

    def start(self, executable, cards=None, folder=None, env=None, args=(), in_home=False):
        """Starts the program in a new temporary folder (or `folder`, or its home folder),
        with a copy of the card file `cards` (None: no card file there)."""
        return Program(self, executable, cards=cards, folder=folder, env=env, args=args, in_home=in_home)


class Program:
    """The program running in a temporary folder: its card file, its own home folder with
    the export folder and the documents folder under it, and no printer."""

    def __init__(self, desktop, executable, cards=None, folder=None, env=None, args=(), in_home=False):
        self.desktop = desktop
        self.root = tempfile.mkdtemp(prefix="velmora-e2e-")
        self.home = os.path.join(self.root, "home")
        self.folder = self.home if in_home else folder or os.path.join(self.root, "work")
        os.makedirs(self.folder, exist_ok=True)
        os.makedirs(os.path.join(self.home, ".config"))
        runtime = os.path.join(self.root, "runtime")
        os.makedirs(runtime, mode=0o700)
        self.card_file = os.path.join(self.folder, "Filis.dat")
        if cards:
            shutil.copyfile(cards, self.card_file)
        self._app = None
        self.output_path = os.path.join(self.root, "output.txt")
        environment = dict(os.environ)
        environment.pop("QT_QPA_PLATFORM", None)
        environment.update(
            QT_QPA_PLATFORM="xcb",
            QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1",
            HOME=self.home,
            XDG_CONFIG_HOME=os.path.join(self.home, ".config"),
            XDG_DATA_HOME=os.path.join(self.home, ".local", "share"),
            XDG_DOCUMENTS_DIR=os.path.join(self.home, "Documents"),
            XDG_RUNTIME_DIR=runtime,
            # No printer, whatever the machine has: printing goes to PDF files.
            CUPS_SERVER=os.path.join(self.root, "no-cups.sock"),
        )
        environment.update(env or {})
        self.started = time.monotonic()
        with open(self.output_path, "wb") as output:
            self.process = subprocess.Popen([executable, *args], cwd=self.folder, env=environment,
                                            stdout=output, stderr=subprocess.STDOUT)

    # --- where the program writes

    @property
    def export_file(self):
        return os.path.join(self.home, ".local", "share", "Velmora", "MySearch.doc")

    @property
    def pdf_folder(self):
        return os.path.join(self.home, "Documents", "Velmora")

    def pdfs(self):
        return sorted(glob.glob(os.path.join(self.pdf_folder, "*.pdf")))

    def card_file_bytes(self):
        with open(self.card_file, "rb") as f:
            return f.read()

    def output(self):
        with open(self.output_path, encoding="utf-8", errors="replace") as f:
            return f.read()

    # --- life

    def running(self):
        return self.process.poll() is None

    def wait(self, timeout=PATIENCE):
        """Waits for the program to end and gives its exit status."""
        try:
            return self.process.wait(timeout)
        except subprocess.TimeoutExpired:
            raise TimedOut("the program did not end within %.0f s" % timeout) from None

    def stop(self):
        _stop(self.process)

    def close(self):
        self.stop()
        shutil.rmtree(self.root, ignore_errors=True)

    def __enter__(self):
        return self

    def __exit__(self, *exc):
        self.close()
        return False

    # --- the X server: window titles and keys

    def x_windows(self):
        """The program's visible top-level windows, by X window id."""
        done = subprocess.run(["xdotool", "search", "--onlyvisible", "--pid", str(self.process.pid)],
                              capture_output=True, text=True, timeout=10)
        return done.stdout.split()

    def x_titles(self):
        """The titles of the program's visible windows, read from the X server."""
        return {w: x_title(w) for w in self.x_windows()}

    def x_window(self, title, timeout=PATIENCE):
        """The X window id of the visible window titled exactly `title`."""
        def probe():
            self._check_alive()
            for window, name in self.x_titles().items():
                if name == title:
                    return window
            return None
        return wait_until(lambda: "a window titled %r; showing %r" % (title, list(self.x_titles().values())),
                          probe, timeout)

    def key(self, title, *keys):
        """Gives the window titled `title` the focus and types `keys` (xdotool key names)."""
        window = self.x_window(title)
        # No window manager hands the focus back when a dialog closes: take it first.
        subprocess.run(["xdotool", "windowfocus", "--sync", window], check=True, timeout=10,
                       capture_output=True)
        subprocess.run(["xdotool", "key", "--clearmodifiers", "--delay", "50", *keys], check=True,
                       timeout=30, capture_output=True)

    def screenshot(self, title, path):
        """The window titled `title` as a PNG file (imagemagick's import; there is no
        window manager, so no frame either)."""
        subprocess.run(["import", "-window", self.x_window(title), path], check=True, timeout=30)

    # --- accessibility: what the program shows

    def _check_alive(self):
        if not self.running():
            raise AssertionError("the program ended with status %s; it said:\n%s"
                                 % (self.process.returncode, self.output()))

    def app(self):
        """The program's accessible application object."""
        def probe():
            self._check_alive()
            if self._app is not None:
                return self._app
            desktop = pyatspi.Registry.getDesktop(0)
            for i in range(desktop.childCount):
                app = desktop.getChildAtIndex(i)
                try:
                    if app is not None and app.get_process_id() == self.process.pid:
                        self._app = app
                        return app
                except Exception:  # an application that has just gone away
                    continue
            return None
        return wait_until("the program on the accessibility bus", probe)

    def top_levels(self):
        """(role name, name, object) of each top-level window the program shows."""
        app = self.app()
        app.clearCache()
        found = []
        for i in range(app.childCount):
            child = app.getChildAtIndex(i)
            if child is None:
                continue
            try:
                if child.getState().contains(pyatspi.STATE_SHOWING):
                    found.append((child.getRoleName(), child.name, child))
            except Exception:
                continue
        return found

    def shown(self):
        """Role and name of each top-level window shown, for messages."""
        return [(role, name) for role, name, _ in self.top_levels()]

    def top_level(self, roles, name=None, timeout=PATIENCE):
        """Waits for a shown top-level window of one of `roles` (and of `name`, if given)."""
        def probe():
            self._check_alive()
            for role, title, obj in self.top_levels():
                if role in roles and (name is None or title == name):
                    return obj
            return None
        return wait_until(lambda: "a %s named %r; showing %r" % ("/".join(roles), name, self.shown()),
                          probe, timeout)

    def wait_for_frame(self, title, timeout=PATIENCE):
        """Waits for the window titled `title` and gives its title back."""
        self.top_level(("frame",), title, timeout)
        return title

    def wait_gone(self, roles, name=None, timeout=PATIENCE):
        wait_until(lambda: "no %s named %r; showing %r" % ("/".join(roles), name, self.shown()),
                   lambda: not [1 for role, title, _ in self.top_levels()
                                if role in roles and (name is None or title == name)], timeout)

    def message(self, timeout=PATIENCE):
        """Waits for a message box and gives it as a Dialog."""
        return Dialog(self, self.top_level(("alert",), None, timeout))

    def input_box(self, title, timeout=PATIENCE):
        """Waits for the input box titled `title`."""
        return Dialog(self, self.top_level(("dialog",), title, timeout))

    def no_dialog(self, settle=0.5):
        """Asserts that after a short while no message or input box is up."""
        time.sleep(settle)
        boxes = [(role, name) for role, name, _ in self.top_levels() if role in ("alert", "dialog")]
        if boxes:
            raise AssertionError("unexpected boxes: %r" % boxes)

    def frame(self, title):
        return self.top_level(("frame",), title)

    def field(self, window_title, name):
        """The text of the window's field named `name` (named after its label)."""
        return text_of(find(self.frame(window_title), "text", name))

    def fields(self, window_title):
        """Every named text field of the window, name to text."""
        frame = self.frame(window_title)
        return {obj.name: text_of(obj) for obj in find_all(frame, "text") if obj.name}

    def press(self, window_title, button):
        """Presses the push button named `button` in the window titled `window_title`."""
        press(find(self.frame(window_title), "push button", button))

    def status_texts(self, window_title):
        bar = find(self.frame(window_title), "status bar")
        return [child.name for child in children(bar)]


class Dialog:
    """A message box or an input box on the screen."""

    def __init__(self, program, obj):
        self.program = program
        self.obj = obj
        self.title = obj.name

    @property
    def role(self):
        return self.obj.getRoleName()

    @property
    def text(self):
        """The box's message or prompt: its labels' texts joined by line ends."""
        return "\n".join(label.name for label in find_all(self.obj, "label") if label.name)

    def buttons(self):
        return [b.name for b in find_all(self.obj, "push button")]

    def type(self, text):
        """Puts `text` into the box's entry, as typing it would."""
        entry = find(self.obj, "text")
        entry.queryEditableText().setTextContents(text)
        wait_until("the entry to read %r" % text, lambda: text_of(entry) == text, timeout=5)

    def answer(self, button):
        """Presses `button` and waits for the box to go."""
        press(find(self.obj, "push button", button))
        wait_until(lambda: "the box %r to close after %r" % (self.text, button), self._gone)

    def _gone(self):
        if not self.program.running():
            return True
        try:
            return all(o.path != self.obj.path for _, _, o in self.program.top_levels())
        except Exception:
            return True


# --- the accessibility tree


def children(obj):
    return [c for c in (obj.getChildAtIndex(i) for i in range(obj.childCount)) if c is not None]


def find_all(root, role, name=None):
    found = []
    stack = [root]
    while stack:
        obj = stack.pop()
        for child in children(obj):
            if child.getRoleName() == role and (name is None or child.name == name):
                found.append(child)
            # A window's menus are not what a test looks for.
            if child.getRoleName() not in ("menu bar", "popup menu"):
                stack.append(child)
    found.sort(key=lambda o: o.getIndexInParent())
    return found


def find(root, role, name=None):
    matches = find_all(root, role, name)
    if not matches:
        raise AssertionError("no %s named %r in %r" % (role, name, root.name))
    return matches[0]


def menu_items(frame):
    """Every menu item of the window's menu bar, at any depth, shown or not."""
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


def text_of(obj):
    text = obj.queryText()
    return text.getText(0, text.characterCount)


def press(obj):
    action = obj.queryAction()
    for i in range(action.nActions):
        if action.getName(i) == "Press":
            action.doAction(i)
            return
    raise AssertionError("%r cannot be pressed" % obj.name)


# --- the X server


def x_title(window):
    """A window's title as the X server holds it (_NET_WM_NAME, in UTF-8)."""
    done = subprocess.run(["xprop", "-id", window, "-notype", "_NET_WM_NAME"],
                          capture_output=True, text=True, timeout=10,
                          env=dict(os.environ, LC_ALL="C.UTF-8"))
    match = re.match(r'_NET_WM_NAME = "(.*)"$', done.stdout.strip())
    if not match:
        return None
    return re.sub(r'\\(.)', r'\1', match.group(1))
