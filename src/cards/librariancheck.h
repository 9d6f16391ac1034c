// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "duplicates.h"
#include "failure.h"
#include "storedcards.h"

#include <QTextStream>

namespace velmora::cards {

// What a librarian would correct, beside the damage: a wrong ISBN check digit, and cards
// that look like the same book. Each returns the number of findings it wrote.
class LibrarianCheck
{
public:
    qint64 card(qint64 number, const CardRecord &card, QTextStream &out);
    // The duplicate groups, once every card was seen; false, with the reason, when a card
    // could not be read again to name the book.
    Result<qint64> finish(StoredCards &cards, QTextStream &out) const;

private:
    citation::DuplicateFinder m_duplicates;
};

} // namespace velmora::cards
