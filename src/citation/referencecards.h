// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardrecord.h"
#include "reference.h"

#include <array>

namespace velmora::citation {

// The six fields of the card for a reference, as the cards are written, before they are
// fitted to their widths: the inverse of the patterns the export reads them by.
//   Isbn         the first ISBN, or "960-" as every card without one has it
//   Author       "FAMILY I." of the first author, given names as initials; "ΣΥΛΛΟΓΙΚΟ ΕΡΓΟ"
//                for a book with editors and no author
//   Title        title: subtitle
//   OtherName    "ΚΑΙ" and the second author, else "ΜΕΤ." and the translator, else "ΕΠΙΜ."
//                and the editor ("AND", "TRANS.", "ED." before a foreign name)
//   Publication  "PUBLISHER, PLACE YEAR"; for an article or a chapter the journal (with its
//                volume) or the book it is in takes the publisher's place
//   PagesNotes   "N ΤΟΜ.", "Σ. N", the edition, the series and the notes, with every person
//                the other name had no room for
using CardTexts = std::array<QString, FieldCount>;
CardTexts cardTextsOf(const Reference &reference);

// Given names as initials: "Konstantinos Th." is "K.Th.", "Jean-Pierre" "J.-P.", and the
// Greek digraphs keep both letters ("Ντίνος" is "Ντ.").
QString initialsOf(const QString &given);

// Every text of the reference in the cards' capitals (cardcapitals.h).
Reference inCardCapitals(Reference reference);

} // namespace velmora::citation
