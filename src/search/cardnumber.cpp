// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardnumber.h"

#include <cmath>
#include <limits>

namespace velmora {

CardNumberEntry readCardNumber(const QString &typed, qint32 cardCount, const QLocale &locale)
{
    bool isNumber = false;
    const double number = locale.toDouble(typed, &isNumber);
    // Digits too many to be read at all are still a number, only out of range; but "inf"
    // and "nan", which the conversion accepts as typed, are no card number at all.
    if (isNumber && !std::isfinite(number))
        return {CardNumberEntry::Range};
    if (!isNumber && std::isinf(number))
        isNumber = true;
    if (!isNumber)
        return {CardNumberEntry::Range};

    // Half to even, as the default rounding mode does.
    const double rounded = std::nearbyint(number);
    // Out of the card numbers' range whatever its sign: this comes before the range hint,
    // so that eleven digits end the search silently even when negative.
    if (!(rounded >= double(std::numeric_limits<qint32>::min()) &&
          rounded <= double(std::numeric_limits<qint32>::max())))
        return {CardNumberEntry::TooLarge};
    if (rounded <= 0)
        return {CardNumberEntry::Range};
    // Compared before rounding: with 10 cards, 10.4 is not found.
    if (number > double(cardCount))
        return {CardNumberEntry::NotFound};
    return {CardNumberEntry::Card, qint32(rounded)};
}

} // namespace velmora
