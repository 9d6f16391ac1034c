// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "terminaltext.h"

#include <QStringList>

namespace velmora {

namespace {

bool actsOnTerminal(QChar ch)
{
    const char16_t c = ch.unicode();
    // C0, DEL and C1 by number: an escape sequence may begin with any of ESC, CSI (U+009B)
    // or OSC (U+009D), and DEL erases what a terminal shows.
    if (c < 0x20 || (c >= 0x7F && c <= 0x9F))
        return true;
    const QChar::Category category = ch.category();
    return category == QChar::Other_Format || category == QChar::Separator_Line ||
           category == QChar::Separator_Paragraph;
}

} // namespace

QString shownOnTerminal(const QString &text)
{
    QString shown;
    shown.reserve(text.size());
    for (const QChar ch : text) {
        if (!actsOnTerminal(ch))
            shown += ch;
        else if (ch.unicode() < 0x100)
            shown +=
                QStringLiteral("\\x") + QString::number(ch.unicode(), 16).toUpper().rightJustified(2, u'0');
        else
            shown +=
                QStringLiteral("\\u") + QString::number(ch.unicode(), 16).toUpper().rightJustified(4, u'0');
    }
    return shown;
}

QString shownOnTerminalByLine(const QString &text)
{
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = shownOnTerminal(line);
    return lines.join(QLatin1Char('\n'));
}

} // namespace velmora
