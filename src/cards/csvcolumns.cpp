// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "csvcolumns.h"

namespace velmora::cards {

QString columnName(Field field)
{
    switch (field) {
    case Field::Isbn:
        return QStringLiteral("Isbn");
    case Field::Author:
        return QStringLiteral("Author");
    case Field::Title:
        return QStringLiteral("Title");
    case Field::OtherName:
        return QStringLiteral("OtherName");
    case Field::Publication:
        return QStringLiteral("Publication");
    case Field::PagesNotes:
        return QStringLiteral("PagesNotes");
    }
    return QString();
}

std::optional<Field> fieldNamed(const QString &name)
{
    const QString wanted = name.trimmed();
    for (Field f : AllFields)
        if (columnName(f).compare(wanted, Qt::CaseInsensitive) == 0)
            return f;
    return std::nullopt;
}

} // namespace velmora::cards
