// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardrecord.h"

#include "cp1253.h"

#include <algorithm>
#include <cstring>

namespace velmora {

QString fieldLabel(Field f)
{
    // The I of "ΑΡIΘΜ." is a Latin I, as the program has always shown it.
    static const QString labels[FieldCount] = {
        QStringLiteral("ΑΡIΘΜ. ISBN"), QStringLiteral("ΣΥΓΓΡΑΦΕΑΣ"), QStringLiteral("ΤΙΤΛΟΣ"),
        QStringLiteral("ΑΛΛΟ ΟΝΟΜΑ"),  QStringLiteral("ΕΚΔΟΤΙΚΑ"),   QStringLiteral("ΣΕΛ.-ΣΗΜ/ΣΕΙΣ"),
    };
    return labels[static_cast<int>(f)];
}

CardRecord::CardRecord()
{
    m_bytes.fill(' ');
}

CardRecord CardRecord::fromBytes(QByteArrayView bytes)
{
    CardRecord r;
    std::memcpy(r.m_bytes.data(), bytes.data(), std::min<qsizetype>(bytes.size(), RecordLength));
    return r;
}

CardRecord CardRecord::newCard()
{
    CardRecord r;
    r.setField(Field::Isbn, QStringLiteral("960-"));
    return r;
}

CardRecord CardRecord::deletedCard()
{
    CardRecord r;
    for (Field f : AllFields)
        r.setField(f, QStringLiteral("~~~"));
    return r;
}

QByteArrayView CardRecord::fieldBytes(Field f) const
{
    const FieldLayout l = layoutOf(f);
    return QByteArrayView(m_bytes.data() + l.offset, l.width);
}

QString CardRecord::field(Field f) const
{
    return cp1253::decode(fieldBytes(f));
}

QString CardRecord::trimmed(Field f) const
{
    return trimBlanks(field(f));
}

QString CardRecord::shown(Field f) const
{
    return legible(trimmed(f));
}

void CardRecord::setField(Field f, const QString &text)
{
    const FieldLayout l = layoutOf(f);
    const QByteArray encoded = cp1253::encodeForStorage(text, l.width);
    char *dst = m_bytes.data() + l.offset;
    std::memset(dst, ' ', l.width);
    std::memcpy(dst, encoded.constData(), std::min<qsizetype>(encoded.size(), l.width));
}

QString trimBlanks(const QString &text)
{
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin] == u' ')
        ++begin;
    while (end > begin && text[end - 1] == u' ')
        --end;
    return text.mid(begin, end - begin);
}

QString legible(QString text)
{
    for (QChar &ch : text)
        if (ch.unicode() < 0x20)
            ch = QChar(char16_t(0x2400 + ch.unicode()));
    return text;
}

} // namespace velmora
