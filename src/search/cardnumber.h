// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QLocale>
#include <QString>

namespace velmora {

// What the card-number search makes of a typed entry.
struct CardNumberEntry
{
    enum Kind {
        Card,     // a card to show: `card`
        Range,    // not a number, or not above 0 once rounded: the range hint, then ask again
        NotFound, // above the card count, taken before rounding: the not-found message
        TooLarge, // does not fit a 32-bit card number, whatever its sign: end without a word
    };
    Kind kind;
    qint32 card = 0;

    bool operator==(const CardNumberEntry &) const = default;
};

// Reads the typed text as a number in `locale` (the user's own number format: under a
// Greek locale "10,5" is ten and a half), rounds it half to even, and places it against
// the cards 1 to `cardCount`.
CardNumberEntry readCardNumber(const QString &typed, qint32 cardCount, const QLocale &locale = QLocale());

} // namespace velmora
