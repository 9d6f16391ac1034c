#include "matching.h"

#include "cp1253.h"

#include <QList>

#include <cstring>
#include <string.h>

namespace velmora {

QString upperCased(const QString &typed)
{
    // Not QString::toUpper, whose special casing turns "ΐ" into three characters, and
    // not a Greek locale's, which drops the accents.
    QList<uint> codePoints = typed.toUcs4();
    for (uint &cp : codePoints)
        cp = QChar::toUpper(char32_t(cp));
    return QString::fromUcs4(reinterpret_cast<const char32_t *>(codePoints.constData()), codePoints.size());
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
    return m_bytes.size() <= hay.size() && std::memcmp(hay.data(), m_bytes.constData(), size_t(m_bytes.size())) == 0;
}

} // namespace velmora
