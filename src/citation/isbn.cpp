// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "isbn.h"

#include <QCoreApplication>

namespace velmora::citation {

QString isbnDigits(const QString &text)
{
    QString digits;
    for (QChar c : text)
        if (c != QLatin1Char('-') && c != QLatin1Char(' '))
            digits += c.toUpper();
    return digits;
}

std::optional<QString> wrongCheckDigit(const QString &text)
{
    const QString d = isbnDigits(text);
    const auto allDigits = [&](qsizetype count) {
        for (qsizetype i = 0; i < count; ++i)
            if (d.at(i) < QLatin1Char('0') || d.at(i) > QLatin1Char('9'))
                return false;
        return true;
    };
    const auto value = [&](qsizetype i) { return d.at(i).unicode() - '0'; };
    QChar expected;
    if (d.size() == 10 && allDigits(9) && (d.at(9).isDigit() || d.at(9) == QLatin1Char('X'))) {
        int sum = 0;
        for (int i = 0; i < 9; ++i)
            sum += (10 - i) * value(i);
        const int check = (11 - sum % 11) % 11;
        expected = check == 10 ? QLatin1Char('X') : QChar(u'0' + check);
    } else if (d.size() == 13 && allDigits(13)) {
        int sum = 0;
        for (int i = 0; i < 12; ++i)
            sum += (i % 2 ? 3 : 1) * value(i);
        expected = QChar(u'0' + (10 - sum % 10) % 10);
    } else {
        return std::nullopt;
    }
    if (d.back() == expected)
        return std::nullopt;
    return QCoreApplication::translate("Citation", "ISBN-%1 \"%2\": check digit %3, should be %4")
        .arg(d.size())
        .arg(text)
        .arg(d.back())
        .arg(expected);
}

} // namespace velmora::citation
