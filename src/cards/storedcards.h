// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardfile.h"
#include "cardrecord.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace velmora::cards {

// A card file opened for reading only, through the card file layer. Unlike the program,
// the tool never creates a missing card file and never writes the file it reads; its
// failures are worded in English, for the terminal.
class StoredCards
{
public:
    // A Failure for a missing file, a folder, anything else that is not a
    // regular file (refused without waiting on it), a file that cannot be read, and one
    // longer than the program accepts (Fault::TooLong).
    Result<void> open(const QString &path);

    qint64 length() const { return m_length; }
    // Records as stored: the whole ones, and a partial one at the end (0 when none).
    qint64 wholeRecords() const { return m_length / RecordLength; }
    int tailBytes() const { return int(m_length % RecordLength); }
    qint64 storedRecords() const { return wholeRecords() + (tailBytes() > 0 ? 1 : 0); }
    // The cards the program counts: a partial record of 98 bytes or more is one.
    qint32 cardCount() const;

    // The stored bytes of record `number` (from 1): 195, or fewer for the partial last
    // record, none past the end. Records are best read in increasing order.
    Result<QByteArray> readStored(qint64 number);
    // Card `number` as the program reads it: missing bytes read as blanks.
    Result<CardRecord> readCard(qint64 number);

private:
    CardFile m_file;
    // Records are read a block at a time: one system call a card would cost more than the
    // rest of an export.
    std::unique_ptr<CardReader> m_reader;
    qint64 m_length = 0;
};

} // namespace velmora::cards
