# SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
# SPDX-License-Identifier: GPL-3.0-or-later

"""The bibliography the end-to-end tests run on, written here byte by byte so that what the
program shows and writes can be checked against a second, independent reading of it.

Thirteen cards:
- the author text "ΠΑΠΑΔ" is in ten authors (cards 1 to 4 and 6 to 11): an exploration fills
  a page of eight, then leaves two for the last page;
- the title text "ΜΑΚΕΔΟΝ" is in the titles of cards 3 and 7; card 5 holds it in small
  letters, which no search finds;
- the title of card 9 ends in "ΘΑΛΑΣΣΑ", which card 13 holds followed by a letter: only
  the fill blanks after card 9's title meet the word typed with a blank after it;
- accented capitals, small letters and a leading blank test the code page and the trimming.
"""

FIELDS = (("Isbn", 20), ("Author", 20), ("Title", 65), ("OtherName", 30), ("Publication", 40),
          ("PagesNotes", 20))
RECORD_LENGTH = 195
ENCODING = "cp1253"

CARDS = [
    ("960-01-0101-1", "ΠΑΠΑΔΟΠΟΥΛΟΣ Ι.", "ΙΣΤΟΡΙΑ ΤΗΣ ΑΡΧΑΙΑΣ ΕΛΛΑΔΟΣ", "ΜΕΤ. ΒΛΑΧΟΣ Α.",
     "ΕΣΤΙΑ, ΑΘΗΝΑ 1992", "σ. 420"),
    ("960-01-0102-X", "ΠΑΠΑΔΗΜΗΤΡΙΟΥ Ε.", "Η ΒΥΖΑΝΤΙΝΗ ΟΙΚΟΝΟΜΙΑ", "",
     "ΚΑΚΤΟΣ, ΑΘΗΝΑ 1988", "2 ΤΟΜ."),
    ("960-01-0103-8", "ΠΑΠΑΔΑΚΗΣ Ν.", "Η ΑΡΧΑΙΑ ΜΑΚΕΔΟΝΙΑ ΑΠΟ ΤΟΝ ΦΙΛΙΠΠΟ ΣΤΟΝ ΠΕΡΣΕΑ",
     "ΕΠΙΜ. ΣΑΚΕΛΛΑΡΙΟΥ Μ.", "ΕΚΔΟΤΙΚΗ ΑΘΗΝΩΝ, ΑΘΗΝΑ 1982", "σ. 560"),
    ("960-01-0104-6", "ΠΑΠΑΔΟΓΙΑΝΝΗΣ Γ.", "ΤΟ ΆΡΓΟΣ ΣΤΗΝ ΑΡΧΑΙΟΤΗΤΑ", "",
     "ΠΑΠΑΖΗΣΗΣ, ΑΘΗΝΑ 1975", ""),
    ("960-01-0105-4", "ΘΟΥΚΥΔΙΔΗΣ", "μακεδονικά θέματα", "ΜΕΤ. ΛΑΜΠΡΟΥ Ε.",
     "ΓΚΟΒΟΣΤΗΣ, ΑΘΗΝΑ 1960", "σ. 88"),
    ("960-01-0106-2", "ΠΑΠΑΔΙΑΜΑΝΤΗΣ Α.", "ΟΙ ΕΜΠΟΡΟΙ ΤΩΝ ΕΘΝΩΝ", "",
     "ΝΕΦΕΛΗ, ΑΘΗΝΑ 1981", ""),
    ("960-01-0107-0", "ΠΑΠΑΔΟΠΟΥΛΟΥ Μ.", "ΜΑΚΕΔΟΝΙΚΟΙ ΤΑΦΟΙ ΤΗΣ ΒΕΡΓΙΝΑΣ", "ΦΩΤ. ΑΝΔΡΟΝΙΚΟΥ Μ.",
     "ΜΙΕΤ, ΘΕΣΣΑΛΟΝΙΚΗ 1984", "σ. 240, ΠΙΝ."),
    ("960-01-0108-9", "ΠΑΠΑΔΑΚΗ Ε.", "Η ΚΡΗΤΗ ΣΤΑ ΧΡΟΝΙΑ ΤΗΣ ΕΝΕΤΟΚΡΑΤΙΑΣ", "",
     "ΒΙΚΕΛΑΙΑ, ΗΡΑΚΛΕΙΟ 1990", ""),
    ("960-01-0109-7", "ΠΑΠΑΔΟΠΟΥΛΟΣ Σ.", "ΟΙ ΑΘΗΝΑΙΟΙ ΚΑΙ Η ΘΑΛΑΣΣΑ", "",
     "ΕΡΜΗΣ, ΑΘΗΝΑ 1979", "σ. 198"),
    ("960-01-0110-0", "ΠΑΠΑΔΗΜΑΣ Δ.", "ΑΡΧΑΙΟΛΟΓΙΚΟΣ ΟΔΗΓΟΣ ΤΩΝ ΔΕΛΦΩΝ", "ΕΠΙΜ. ΠΕΤΡΑΚΟΣ Β.",
     "ΑΘΗΝΑ 1970", ""),
    ("960-01-0111-9", " ΠΑΠΑΔΕΑΣ Π.", "ΤΑ ΝΟΜΙΣΜΑΤΑ ΤΗΣ ΡΟΔΟΥ", "", "ΙΚΑΡΟΣ, ΑΘΗΝΑ 1966", ""),
    ("960-01-0112-7", "ΗΡΟΔΟΤΟΣ", "ΙΣΤΟΡΙΑΙ", "ΟΜΑΔΑ ΦΙΛΟΛΟΓΩΝ ΚΑΚΤΟΥ", "ΚΑΚΤΟΣ, ΑΘΗΝΑ 1992",
     "ΟΙ ΕΛΛΗΝΕΣ"),
    ("960-01-0113-5", "ΚΟΝΤΟΣ Κ.", "ΘΑΛΑΣΣΑΣ ΔΡΟΜΟΙ ΣΤΟ ΑΙΓΑΙΟ", "", "ΚΑΡΔΑΜΙΤΣΑ, ΑΘΗΝΑ 1985",
     "σ. 312"),
]


def padded(card):
    """The card's six fields at their full width, as the card file holds them."""
    return tuple(value.ljust(width)[:width] for value, (_, width) in zip(card, FIELDS))


def record_bytes(card):
    data = "".join(padded(card)).encode(ENCODING)
    assert len(data) == RECORD_LENGTH
    return data


def write_card_file(path, cards=CARDS):
    with open(path, "wb") as f:
        for card in cards:
            f.write(record_bytes(card))


def matching(field, text, cards=CARDS):
    """Card numbers whose field contains `text` exactly, fill blanks included."""
    index = [name for name, _ in FIELDS].index(field)
    return [n for n, card in enumerate(cards, start=1) if text in padded(card)[index]]


def page_lines(numbers, cards=CARDS):
    """The 24 lines of an exploration page holding the cards `numbers` (at most eight)."""
    lines = []
    for number in numbers:
        isbn, author, title, other, publication, pages = padded(cards[number - 1])
        lines += [isbn + "  " + author + "  " + other, title,
                  publication + "  " + pages + "  " + "Καρτέλλα =" + " " + str(number)]
    return lines + [""] * (24 - len(lines))


def export_bytes(pages, cards=CARDS):
    """The export file after the pages `pages` (lists of card numbers) were exported."""
    lines = [line for numbers in pages for line in page_lines(numbers, cards)]
    return b"".join(line.encode(ENCODING) + b"\r\n" for line in lines)
