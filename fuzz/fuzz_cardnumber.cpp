// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The card-number search's reading of a typed entry, in several number formats.
// Input: a locale number, four bytes of card count, then the typed text (UTF-8).

#include "cardnumber.h"
#include "fuzzcheck.h"

#include <QLocale>
#include <QString>

#include <cmath>
#include <cstdint>
#include <cstring>
#include <limits>

using namespace velmora;

namespace {

const QLocale &localeNumber(uint8_t n)
{
    // Decimal comma and dot grouping, Arabic-Indic and Devanagari digits, blanks as group
    // separators.
    static const QLocale locales[] = {
        QLocale::c(),
        QLocale(QLocale::Greek, QLocale::Greece),
        QLocale(QLocale::English, QLocale::UnitedStates),
        QLocale(QLocale::German, QLocale::Germany),
        QLocale(QLocale::French, QLocale::France),
        QLocale(QLocale::Arabic, QLocale::Egypt),
        QLocale(QLocale::Persian, QLocale::Iran),
        QLocale(QLocale::Hindi, QLocale::India),
        QLocale(QLocale::Marathi, QLocale::India),
    };
    return locales[n % (sizeof locales / sizeof locales[0])];
}

void checkEntry(const CardNumberEntry &entry, const QString &typed, qint32 cardCount, const QLocale &locale)
{
    FUZZ_CHECK(entry == readCardNumber(typed, cardCount, locale)); // nothing but the text decides
    if (entry.kind != CardNumberEntry::Card) {
        FUZZ_CHECK(entry.card == 0);
        return;
    }
    FUZZ_CHECK(entry.card >= 1 && entry.card <= cardCount);
    // A card is shown only for what reads as a number that rounds to it.
    bool ok = false;
    const double number = locale.toDouble(typed, &ok);
    FUZZ_CHECK(ok && std::isfinite(number));
    FUZZ_CHECK(std::fabs(number - double(entry.card)) <= 0.5);
    FUZZ_CHECK(number <= double(cardCount));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < 5)
        return 0;
    const QLocale &locale = localeNumber(data[0]);
    quint32 countBits = 0;
    std::memcpy(&countBits, data + 1, 4);
    const qint32 cardCount = qint32(countBits & 0x7FFFFFFF) == 0 ? 1 : qint32(countBits & 0x7FFFFFFF);
    const QString typed = QString::fromUtf8(reinterpret_cast<const char *>(data + 5), qsizetype(size - 5));
    checkEntry(readCardNumber(typed, cardCount, locale), typed, cardCount, locale);

    // The locale's own way of writing a whole number reads back as that number.
    qint64 n = 0;
    std::memcpy(&n, data + 5, qMin<size_t>(size - 5, sizeof n));
    n >>= (data[0] >> 4) * 2; // small numbers as often as large ones
    const QString written = locale.toString(n);
    // Qt writes a Persian or Arabic negative number with marks it cannot read back; such
    // an entry is refused as no number at all, which the range hint then answers.
    bool readsBack = false;
    locale.toDouble(written, &readsBack);
    if (!readsBack)
        return 0;
    const CardNumberEntry entry = readCardNumber(written, cardCount, locale);
    checkEntry(entry, written, cardCount, locale);
    if (n < std::numeric_limits<qint32>::min() || n > std::numeric_limits<qint32>::max())
        FUZZ_CHECK(entry.kind == CardNumberEntry::TooLarge);
    else if (n < 1)
        FUZZ_CHECK(entry.kind == CardNumberEntry::Range);
    else if (n > cardCount)
        FUZZ_CHECK(entry.kind == CardNumberEntry::NotFound);
    else
        FUZZ_CHECK(entry == (CardNumberEntry{CardNumberEntry::Card, qint32(n)}));
    return 0;
}
