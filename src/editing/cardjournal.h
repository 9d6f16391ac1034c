// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardfile.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace velmora {

// The rollback journal that makes the filing of a card all or nothing across a crash or a
// power cut. Before a card is written, its offset, the bytes it replaces, the file's length
// and the new card's bytes go, with a CRC-32, into "Filis.dat.journal" beside the card file,
// or, when that folder cannot take it, into the user's data folder (programfiles.h); the
// journal is synced and put in place, the card written and synced, and the journal removed.
// A journal found later means a filing was cut short. It knows its filing by what it wrote,
// not by which device the file is on (a number that may change across a reboot): when the
// bytes at the card's place are the old card, the new one, or a mix of the two at sector
// boundaries, the filing is undone; when they are anything else, the card file was changed
// after that filing (a backup copied over it) and the journal must not write into it. A
// journal whose checksum does not hold was itself cut short, before the card was touched.

inline const QString JournalSuffix = QStringLiteral("journal");
QString journalBeside(const QString &cardPath);
QString journalInFolder(const QString &cardPath, const QString &folder);

struct JournalEntry
{
    qint64 offset = 0;
    qint64 oldLength = 0; // a file grown by the card is cut back to it
    QByteArray old;       // the bytes the card replaced, fewer at the end of the file
    QByteArray card;      // the card filed, all 195 bytes

    qint32 cardNumber() const { return qint32(offset / RecordLength) + 1; }
};

QByteArray encodeJournal(const JournalEntry &entry);
// Nothing when the checksum or the form does not hold.
std::optional<JournalEntry> decodeJournal(const QByteArray &bytes);

// A journal left by a filing that did not end, as found on the one descriptor it was read
// through.
struct FoundJournal
{
    QString path;
    FileIdentity identity;             // the journal file itself, for removing that one only
    std::optional<JournalEntry> entry; // nothing: it was itself cut short
    QString keeper;                    // its writer, when another user: empty for the user
};
// The journal of the card file at `cardPath`, beside it or in `fallbackFolder`: a regular
// file with one name, opened without following a link or waiting on a FIFO, and read
// through that descriptor. Beside the card file it may be another keeper's, whoever could
// write the card file (the one journal place all keepers share); in the data folder it
// is the user's own. Anything else at those names is no journal.
std::optional<FoundJournal> findJournal(const QString &cardPath, const QString &fallbackFolder);

// What the card file says of a journal's filing.
enum class JournalMatch {
    Untouched, // the file is as it was before the filing: nothing to undo
    Undoable,  // the new card, or part of it at sector boundaries: put the old one back
    Changed,   // something else: the file changed after that filing
};
Result<JournalMatch> matchJournal(const CardFile &file, const JournalEntry &entry);

// Puts back the old card and length and has them on the medium.
Result<void> putBack(const CardFile &file, const JournalEntry &entry);

// For a reader: a journal that holds and whose filing the card file still shows, with no
// editor at work on the file.
bool editingWasInterrupted(const QString &cardPath, const QString &fallbackFolder);

} // namespace velmora
