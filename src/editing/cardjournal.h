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
// The previous release's journals, which hold no new card, are still read: a filing that
// release cut short may stand beside the card file when this one first edits it. Anything
// else at the journal's name, a later release's journal perhaps, is never removed.

inline const QString JournalSuffix = QStringLiteral("journal");
QString journalBeside(const QString &cardPath);
QString journalInFolder(const QString &cardPath, const QString &folder);

struct JournalEntry
{
    qint64 offset = 0;
    qint64 oldLength = 0; // a file grown by the card is cut back to it
    QByteArray old;       // the bytes the card replaced, fewer at the end of the file
    QByteArray card;      // the card filed, all 195 bytes; none in the previous format
    // The previous format's only: the card file it was written for.
    std::optional<FileIdentity> file = std::nullopt;

    qint32 cardNumber() const { return qint32(offset / RecordLength) + 1; }
};

// In this release's format.
QByteArray encodeJournal(const JournalEntry &entry);
// A journal of this release's format or the previous one's; nothing when the checksum or the
// form does not hold.
std::optional<JournalEntry> decodeJournal(const QByteArray &bytes);

// What stands at a journal's name, by its bytes.
enum class JournalForm {
    Whole,    // a journal of either format that holds
    CutShort, // either format, or the beginning of one, whose checksum or form does not hold
    Unread,   // anything else, or what could not be read: never removed
};

// A journal left by a filing that did not end, as found on the one descriptor it was read
// through.
struct FoundJournal
{
    QString path;
    FileIdentity identity; // the journal file itself, for removing that one only
    JournalForm form = JournalForm::Unread;
    std::optional<JournalEntry> entry; // when Whole
    QString keeper;                    // its writer, when another user: empty for the user
};
// The journal of the card file at `cardPath`, beside it or in `fallbackFolder`: a regular
// file with one name, opened without following a link or waiting on a FIFO, and read
// through that descriptor. Beside the card file it may be another keeper's, whoever may
// write the card file (whyNotKeepersFile() of placement.h; the one journal place all keepers
// share); in the data folder it is the user's own. Anything else at those names is no
// journal.
std::optional<FoundJournal> findJournal(const QString &cardPath, const QString &fallbackFolder);

// What became of the journal of a filing that is over.
enum class SpentJournal {
    Removed,
    // Another keeper's, which only that keeper may remove from its folder (a sticky one):
    // emptied instead, through a descriptor on that very file, and synced. Empty, it can
    // undo nothing, and findJournal() passes it by, so that the other keepers go on editing.
    Emptied,
};
// Removes the journal found, that one file only, or empties it; one that can be neither
// removed nor written stays, with the removal's failure.
Result<SpentJournal> removeSpentJournal(const FoundJournal &found);

// What the card file says of a journal's filing.
enum class JournalMatch {
    Untouched, // the file is as it was before the filing: nothing to undo
    Undoable,  // the new card, or part of it at sector boundaries: put the old one back;
               // in the previous format, whatever it holds, in the very file it was written for
    Changed,   // something else: the file changed after that filing
};
Result<JournalMatch> matchJournal(const CardFile &file, const JournalEntry &entry);

// What is done with a journal found, decided here for the editor, the restore and the reader.
enum class JournalAction {
    Remove,   // cut short, or its filing never touched the file: the journal only goes
    Undo,     // the old card and length go back, then the journal goes
    Outdated, // the file changed after its filing: left, the file only read, till a restore
    Unread,   // left whatever becomes of the file, which is only read
};
struct JournalVerdict
{
    JournalAction action = JournalAction::Remove;
    Failure why;      // Outdated and Unread: Fault::Changed or Fault::UnknownJournal
    CardRecord filed; // Undo: the card that was being filed, to be handed back as typing
};
// `file`, the card file open, is looked at only for a journal that holds.
Result<JournalVerdict> judgeJournal(const FoundJournal &found, const CardFile &file);

// Puts back the old card and length and has them on the medium.
Result<void> putBack(const CardFile &file, const JournalEntry &entry);

// Removes the journal found, that one file only; one the program could not read stays
// (Fault::UnknownJournal).
Result<void> removeJournal(const FoundJournal &found);

// For a reader, with no editor at work on the file: the verdict on a journal there is
// something to tell of (a filing to undo, a journal left), else nothing.
std::optional<JournalVerdict> editingWasInterrupted(const QString &cardPath, const QString &fallbackFolder);

} // namespace velmora
