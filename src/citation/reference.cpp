// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "reference.h"

#include <QCoreApplication>

#include <QRegularExpression>
#include <QStringDecoder>

namespace velmora::citation {

QString yearIn(const QString &date)
{
    static const QRegularExpression year(
        QStringLiteral("(?<!\\d)(\\d{4})(?!\\d)(?:.*?/(?:.*?\\D)?(\\d{4})(?!\\d))?"));
    const QRegularExpressionMatch m = year.match(date);
    if (!m.hasMatch())
        return {};
    return m.captured(2).isEmpty() || m.captured(2) == m.captured(1) ? m.captured(1)
                                                                     : m.captured(1) + u'-' + m.captured(2);
}

PersonName personInverted(const QString &text)
{
    const qsizetype comma = text.indexOf(QLatin1Char(','));
    if (comma < 0)
        return text.contains(QLatin1Char(' ')) ? PersonName{{}, {}, text} : PersonName{text, {}, {}};
    QString given = text.mid(comma + 1).trimmed();
    QString family = text.left(comma).trimmed();
    // "FAMILY, GIVEN, JR."
    if (const qsizetype second = given.indexOf(QLatin1Char(',')); second >= 0) {
        family += QLatin1Char(' ') + given.mid(second + 1).trimmed();
        given = given.left(second).trimmed();
    }
    return family.isEmpty() ? PersonName{{}, {}, given} : PersonName{family, given, {}};
}

QString decodedUtf8(QByteArrayView bytes, const QString &what, QStringList *problems)
{
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    QString text = utf8(bytes);
    if (utf8.hasError())
        *problems << QCoreApplication::translate("Citation", "%1: not valid UTF-8, stored as '?'").arg(what);
    return text;
}

} // namespace velmora::citation
