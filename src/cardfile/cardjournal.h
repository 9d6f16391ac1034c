#pragma once

#include "cardfile.h"
#include "result.h"

#include <QByteArray>
#include <QString>

#include <optional>

namespace velmora {

// The rollback journal that makes the filing of a card all or nothing across a crash or a
// power cut. Before a card is written, its offset, the bytes it replaces and the file's
// length go, with a CRC-32, into "Filis.dat.journal" beside the card file (beside the file
// a symbolic link names), or, when that folder cannot take it, into the user's data folder
// as "Filis.dat.<8 hex digits>.journal"; the journal is synced and put in place, the card
// written and synced, and the journal removed. A journal found later means a filing was
// cut short: if its checksum holds, putting its bytes back gives the file as it was
// before that filing; if not, the journal itself was cut short, before the card was
// touched, and it is only removed.

// The steps of a filing, for the test that kills a filing at each of them.
enum class FilingStep {
    JournalWritten, // written, not yet synced, under its temporary name
    JournalSynced,
    JournalInPlace,  // renamed to its name and the folder synced
    CardPartWritten, // only with a hook: the first part of the card is written, the rest not
    CardWritten,
    CardSynced,
    JournalUnlinked, // removed, the folder not yet synced
};
// Called at each step when set; null in the program.
inline void (*filingStepHook)(FilingStep) = nullptr;

// The journal's names for the card file at `cardPath`.
QString journalBeside(const QString &cardPath);
QString journalInFolder(const QString &cardPath, const QString &folder);

struct JournalEntry
{
    FileIdentity file; // the card file it belongs to
    qint64 offset = 0;
    qint64 oldLength = 0; // a file grown by the card is cut back to it
    QByteArray old;       // the bytes the card replaced, fewer at the end of the file
};

QByteArray encodeJournal(const JournalEntry &entry);
// Nothing when the checksum does not hold.
std::optional<JournalEntry> decodeJournal(const QByteArray &bytes);

// A journal left by a filing that did not end.
struct FoundJournal
{
    QString path;
    std::optional<JournalEntry> entry; // nothing: it was itself cut short
};
// The journal of the card file at `cardPath`, beside it or in `fallbackFolder`.
std::optional<FoundJournal> findJournal(const QString &cardPath, const QString &fallbackFolder);

// For the editor, holding the lock on `fd`, the card file at `cardPath` with `identity`:
// puts back what an interrupted filing changed and removes the journal. True when a
// filing was undone; false when there was nothing to undo (no journal, or one cut short,
// which is removed).
Result<bool> undoInterruptedFiling(int fd, const QString &cardPath, FileIdentity identity,
                                   const QString &fallbackFolder);

// For a reader: a journal whose checksum holds and no editor at work on the file.
bool editingWasInterrupted(const QString &cardPath, const QString &fallbackFolder);

} // namespace velmora
