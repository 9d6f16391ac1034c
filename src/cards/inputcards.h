// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardrecord.h"
#include "filedescriptor.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace velmora::cards {

// A card of the input, with where it was read: its line, and its key when the input names
// its entries.
struct InputCard
{
    CardRecord card;
    qint64 line = 0;
    QString name;
};

// The cards of an input, kept as they are read in unnamed files of their own (unnamedfile.h)
// rather than in memory: an input is read whole before the card file it goes into is
// touched, and the largest a card file can take is more than some machines can hold. Each
// card is a record of one size, so that any of them is read back with one call; the keys,
// seldom needed, lie apart.
class InputCards
{
public:
    // In the system's temporary folder, else in `fallbackFolder`, made when missing (none when
    // empty).
    Result<void> open(const QString &fallbackFolder);

    // A failure is kept, and nothing more is added: finish() tells it.
    void add(const InputCard &card);
    // Every card added is in the file, or why not.
    Result<void> finish();
    qint64 size() const { return m_count; }

    // Card `index` with its line, read a block at a time when read in order; its key only
    // when asked for.
    enum class Key { Left, Read };
    Result<InputCard> at(qint64 index, Key key = Key::Read);
    // The card alone, read by itself wherever it is.
    Result<CardRecord> cardAt(qint64 index);
    // Puts card `from` in the place of card `to`, which is dropped.
    Result<void> move(qint64 from, qint64 to);
    // Keeps the first `count` cards only.
    void truncate(qint64 count) { m_count = qMin(count, m_count); }

private:
    Result<void> writePending();
    Result<void> named(Result<void> done) const; // a failure of the files, told by their folder
    const char *record(qint64 index) const;      // in the block read; null when it is not there

    FileDescriptor m_records, m_keys;
    QString m_folder;
    qint64 m_count = 0;
    qint64 m_written = 0; // records in the file; those after them wait in m_pending
    qint64 m_keyBytes = 0;
    QByteArray m_pending, m_pendingKeys;
    std::optional<velmora::Failure> m_failure;
    QByteArray m_block;
    qint64 m_blockFirst = 0;
};

} // namespace velmora::cards
