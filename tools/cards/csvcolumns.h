#pragma once

#include "cardrecord.h"

#include <QString>

#include <optional>

namespace velmora::cards {

// The CSV column of each card field, named as in the header row:
// Isbn,Author,Title,OtherName,Publication,PagesNotes.
QString columnName(Field field);
// The field a header names, case and surrounding blanks aside.
std::optional<Field> fieldNamed(const QString &name);

} // namespace velmora::cards
