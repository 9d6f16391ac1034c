// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "searchtext.h"

#include "cp1253.h"

#include <cstring>
#include <string.h>

namespace velmora {

QString upperCased(const QString &typed)
{
    // Not QString::toUpper, whose special casing turns "ΐ" into three characters, and
    // not a Greek locale's, which drops the accents. Nor through QString::fromUcs4, which
    // takes a leading U+FEFF for a byte order mark and drops it: a pasted text that
    // begins with one would then find cards it is not in.
    QString out(typed.size(), Qt::Uninitialized);
    QChar *dst = out.data();
    for (qsizetype i = 0; i < typed.size(); ++i) {
        const QChar ch = typed[i];
        if (ch.isHighSurrogate() && i + 1 < typed.size() && typed[i + 1].isLowSurrogate()) {
            const char32_t upper = QChar::toUpper(QChar::surrogateToUcs4(ch, typed[i + 1]));
            dst[i] = QChar::highSurrogate(upper);
            dst[i + 1] = QChar::lowSurrogate(upper);
            ++i;
        } else {
            dst[i] = QChar(QChar::toUpper(ch.unicode()));
        }
    }
    return out;
}

SearchText SearchText::fromTyped(const QString &typed)
{
    SearchText s;
    s.m_text = upperCased(typed);
    s.m_encodable = cp1253::encodeExact(s.m_text, &s.m_bytes);
    return s;
}

bool SearchText::foundIn(const CardRecord &card, Field field) const
{
    if (!m_encodable || m_bytes.isEmpty())
        return false;
    const QByteArrayView hay = card.fieldBytes(field);
    if (m_bytes.size() > hay.size())
        return false;
    return ::memmem(hay.data(), size_t(hay.size()), m_bytes.constData(), size_t(m_bytes.size())) != nullptr;
}

bool SearchText::prefixOf(const CardRecord &card, Field field) const
{
    if (!m_encodable || m_bytes.isEmpty())
        return false;
    const QByteArrayView hay = card.fieldBytes(field);
    return m_bytes.size() <= hay.size() &&
           std::memcmp(hay.data(), m_bytes.constData(), size_t(m_bytes.size())) == 0;
}

} // namespace velmora
