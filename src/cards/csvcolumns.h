// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardrecord.h"

#include <QString>

#include <optional>

namespace velmora::cards {

// The CSV column of each card field, named as in the header row:
// Isbn,Author,Title,OtherName,Publication,PagesNotes.
QString columnName(Field field);
// The optional seventh column of a raw export: how many bytes the record holds on disk,
// 195 but for a partial last record.
inline const QString BytesColumn = QStringLiteral("Bytes");

// The field a header names, case and surrounding blanks aside.
std::optional<Field> fieldNamed(const QString &name);

} // namespace velmora::cards
