// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Card decoding and encoding: bytes -> CardRecord -> fields -> setField -> bytes.
// Input: up to 195 bytes of a stored card, then a field number and a text (UTF-16) to
// assign to that field.

#include "cardrecord.h"
#include "cp1253.h"
#include "fuzzcheck.h"

#include <QByteArray>
#include <QString>
#include <QTextBoundaryFinder>

#include <array>
#include <cstdint>
#include <cstring>

using namespace velmora;

namespace {

// The byte a character is written as, found once for every UTF-16 unit by brute force over
// the decoding table; -1 when there is none.
int referenceByte(char16_t ch)
{
    static const std::array<short, 0x10000> table = [] {
        std::array<short, 0x10000> t;
        t.fill(-1);
        for (int b = 255; b >= 0; --b)
            t[cp1253::decodeByte(uchar(b))] = short(b);
        for (int c = 0; c < 0x20; ++c)
            t[0x2400 + c] = short(c); // control pictures, as the windows show control bytes
        return t;
    }();
    return table[ch];
}

QByteArrayView fieldOf(const QByteArray &record, Field f)
{
    return QByteArrayView(record).sliced(layoutOf(f).offset, layoutOf(f).width);
}

void checkFields(const CardRecord &card)
{
    const QByteArray record(card.bytes().data(), RecordLength);
    for (Field f : AllFields) {
        const QByteArrayView stored = card.fieldBytes(f);
        FUZZ_CHECK(stored == fieldOf(record, f));
        const QString text = card.field(f);
        FUZZ_CHECK(text.size() == widthOf(f));

        // Every byte decodes to a character that encodes back to it.
        QByteArray encoded;
        FUZZ_CHECK(cp1253::encodeExact(text, &encoded));
        FUZZ_CHECK(encoded == stored);

        // The legible form has no control character and writes back the same bytes.
        const QString legibleText = legible(text);
        FUZZ_CHECK(legibleText.size() == text.size());
        for (QChar ch : legibleText)
            FUZZ_CHECK(ch.unicode() >= 0x20);
        FUZZ_CHECK(cp1253::encode(legibleText) == stored);

        // Trimming takes U+0020 alone, from both ends: the same as on the bytes.
        qsizetype begin = 0, end = stored.size();
        while (begin < end && stored[begin] == ' ')
            ++begin;
        while (end > begin && stored[end - 1] == ' ')
            --end;
        FUZZ_CHECK(card.trimmed(f) == cp1253::decode(stored.sliced(begin, end - begin)));

        // Assigning a field its own value changes no byte.
        CardRecord same = card;
        same.setField(f, text);
        FUZZ_CHECK(same == card);

        // Assigning the value the window shows drops the leading blanks alone.
        CardRecord shown = card;
        shown.setField(f, card.shown(f));
        QByteArray expected = stored.sliced(begin).toByteArray();
        expected = expected.leftJustified(widthOf(f), ' ', true);
        FUZZ_CHECK(shown.fieldBytes(f) == expected);
        for (Field other : AllFields)
            if (other != f)
                FUZZ_CHECK(shown.fieldBytes(other) == card.fieldBytes(other));
    }
}

void checkAssignment(const CardRecord &card, Field f, const QString &text)
{
    CardRecord assigned = card;
    assigned.setField(f, text);
    const QByteArrayView stored = assigned.fieldBytes(f);
    bool exact = true;
    for (qsizetype i = 0; i < text.size(); ++i)
        exact = exact && referenceByte(text[i].unicode()) >= 0;
    QByteArray encoded;
    FUZZ_CHECK(cp1253::encodeExact(text, &encoded) == exact);
    FUZZ_CHECK(encoded.size() == text.size());

    // Stored in its composed form (NFC), one byte for each character. Where each unit of
    // that form is a character of its own: left-justified, cut at the width, the rest
    // blank-filled, '?' for what cannot be held. Elsewhere (marks, pairs beyond U+FFFF, cut
    // between characters) each byte is a blank, a '?', or a character of the text.
    const QString nfc = text.normalized(QString::NormalizationForm_C);
    QTextBoundaryFinder characters(QTextBoundaryFinder::Grapheme, nfc);
    bool unitByUnit = true;
    for (qsizetype i = 0; i < nfc.size() && unitByUnit; ++i) {
        characters.setPosition(i);
        unitByUnit = !nfc[i].isSurrogate() && characters.isAtBoundary();
    }
    for (int i = 0; i < widthOf(f); ++i) {
        if (!unitByUnit) {
            const QChar ch(cp1253::decodeByte(uchar(stored[i])));
            FUZZ_CHECK(ch == u' ' || ch == QLatin1Char(cp1253::Replacement) || nfc.contains(ch) ||
                       nfc.contains(QChar(0x2400 + ch.unicode())));
        } else if (i < nfc.size()) {
            const int b = referenceByte(nfc[i].unicode());
            FUZZ_CHECK(uchar(stored[i]) == (b < 0 ? uchar(cp1253::Replacement) : uchar(b)));
        } else {
            FUZZ_CHECK(stored[i] == ' ');
        }
    }
    for (Field other : AllFields)
        if (other != f)
            FUZZ_CHECK(assigned.fieldBytes(other) == card.fieldBytes(other));
    checkFields(assigned);
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const size_t recordBytes = size < size_t(RecordLength) ? size : size_t(RecordLength);
    const CardRecord card = CardRecord::fromBytes(QByteArrayView(data, qsizetype(recordBytes)));
    FUZZ_CHECK(std::memcmp(card.bytes().data(), data, recordBytes) == 0);
    for (size_t i = recordBytes; i < size_t(RecordLength); ++i)
        FUZZ_CHECK(card.bytes()[i] == ' ');
    checkFields(card);

    if (size > recordBytes) {
        const Field f = AllFields[data[recordBytes] % FieldCount];
        const size_t textBytes = size - recordBytes - 1;
        QString text(qsizetype(textBytes / 2), Qt::Uninitialized);
        std::memcpy(text.data(), data + recordBytes + 1, (textBytes / 2) * 2);
        checkAssignment(card, f, text);
    }
    return 0;
}
