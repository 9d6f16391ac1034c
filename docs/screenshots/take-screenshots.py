#!/usr/bin/python3

# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""Takes the README's screenshots from the real program under a virtual X server.

usage: docs/screenshots/take-screenshots.py BUILD_DIR
       (imagemagick and the end-to-end tests' packages: tools/setup-debian.sh)

Writes docs/screenshots/card-window.png (the sample bibliography, card 2) and
docs/screenshots/exploration-window.png (a title exploration's first page).
"""

import os
import sys

HERE = os.path.dirname(os.path.abspath(__file__))
sys.path.insert(0, os.path.join(HERE, "..", "..", "tests", "e2e"))

import desktop  # noqa: E402


def main():
    if len(sys.argv) != 2:
        sys.exit(__doc__)
    build = os.path.abspath(sys.argv[1])
    velmora = os.path.join(build, "src", "app", "velmora")
    cards = os.path.join(build, "data", "Filis.dat")
    count = os.path.getsize(cards) // 195
    with desktop.Desktop() as screen, screen.start(velmora, cards=cards) as program:
        window = program.wait_for_frame(desktop.card_caption(1, count))
        program.key(window, "Page_Down")
        window = program.wait_for_frame(desktop.card_caption(2, count))
        program.screenshot(window, os.path.join(HERE, "card-window.png"))

        program.key(window, "ctrl+a")
        window = program.wait_for_frame(desktop.EXPLORATION_TITLE)
        program.key(window, "alt+t")
        box = program.input_box("Βελμόρα 3.0: Αναζήτηση Τίτλου")
        box.type("ΙΣΤΟΡΙΑ")
        box.answer("OK")
        # Cancel at the page question leaves the first eight cards on the screen.
        program.message().answer("Άκυρο")
        title = [name for role, name in program.shown() if role == "frame"][0]
        program.screenshot(title, os.path.join(HERE, "exploration-window.png"))
        program.key(title, "alt+x")
        program.wait()


if __name__ == "__main__":
    main()
