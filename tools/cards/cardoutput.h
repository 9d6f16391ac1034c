#pragma once

#include "cardrecord.h"

#include <QList>
#include <QString>

namespace velmora::cards {

// Writes the cards as a whole card file at `path`, through a temporary file renamed into
// place: the file is replaced completely or, on any failure, left as it was. Only the
// first `lastCardBytes` bytes of the last card are written (a partial last record).
bool writeCardFile(const QString &path, const QList<CardRecord> &cards, QString *error,
                   int lastCardBytes = RecordLength);

} // namespace velmora::cards
