// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardrecord.h"

#include <QByteArrayView>
#include <QList>
#include <QString>

#include <functional>

class QIODevice;

namespace velmora::cards {

// A value that does not go into its field as it is.
struct ValueProblem
{
    qint64 line;
    int column; // the CSV column, counted from 1
    Field field;
    QString what;
};

struct ImportOutcome
{
    // Set when the CSV cannot be read as cards at all (no header, a misplaced quote, a
    // row of the wrong length); nothing else is then meaningful.
    QString failure;
    qint64 failureLine = 0;
    // Values too wide for their field or holding characters outside Windows-1253. The
    // cards hold them cut to the width, and such characters as '?'.
    QList<ValueProblem> problems;
    qint64 cardCount = 0;
    // Bytes of the last card: fewer than 195 for the partial record at the end of a raw
    // export.
    int lastCardBytes = RecordLength;
};

// Takes each card as it is read, with the bytes of it to store: 195, or fewer for a
// partial last record, and the line its row begins on. What it took is meaningless when
// the outcome has a failure.
using CardSink = std::function<void(const CardRecord &card, int storedBytes, qint64 line)>;

// UTF-8 CSV (a byte order mark is allowed) with a header row naming the six fields in
// any order, one card per row after it. A seventh column, Bytes, as a raw export writes
// it, gives each record's stored length: 195, or fewer for the last record alone.
// Read as a stream: only the card being read is held.
ImportOutcome importCards(QIODevice &csv, const CardSink &sink);

} // namespace velmora::cards
