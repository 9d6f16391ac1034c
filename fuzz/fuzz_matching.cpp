// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The matching rule against a plain reference on decoded text.
// Input: up to 195 bytes of a stored card, a field number, then the typed text (UTF-16).

#include "cardrecord.h"
#include "cp1253.h"
#include "fuzzcheck.h"
#include "searchtext.h"

#include <QString>

#include <cstdint>
#include <cstring>

using namespace velmora;

namespace {

// Upper case code point by code point, surrogate pairs taken whole.
QString referenceUpper(const QString &typed)
{
    QString out;
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const QChar ch = typed[i];
        if (ch.isHighSurrogate() && i + 1 < typed.size() && typed[i + 1].isLowSurrogate()) {
            const char32_t up = QChar::toUpper(QChar::surrogateToUcs4(ch, typed[i + 1]));
            out += QString::fromUcs4(&up, 1);
            ++i;
        } else {
            out += QChar(QChar::toUpper(ch.unicode()));
        }
    }
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    if (size < size_t(RecordLength) + 1)
        return 0;
    const CardRecord card = CardRecord::fromBytes(QByteArrayView(data, RecordLength));
    const Field field = AllFields[data[RecordLength] % FieldCount];
    const size_t textBytes = size - RecordLength - 1;
    QString typed(qsizetype(textBytes / 2), Qt::Uninitialized);
    std::memcpy(typed.data(), data + RecordLength + 1, (textBytes / 2) * 2);

    const SearchText search = SearchText::fromTyped(typed);
    const QString upper = referenceUpper(typed);
    FUZZ_CHECK(search.isEmpty() == typed.isEmpty());
    FUZZ_CHECK(search.text() == upper);

    // The field as decoded text, at its full width; control characters, typed or stored,
    // compared as the pictures the window shows for them.
    const QString stored = legible(card.field(field));
    const QString needle = legible(upper);
    const bool contained = !upper.isEmpty() && stored.contains(needle);
    const bool prefix = !upper.isEmpty() && stored.startsWith(needle);
    FUZZ_CHECK(search.foundIn(card, field) == contained);
    FUZZ_CHECK(search.prefixOf(card, field) == prefix);
    return 0;
}
