#pragma once

#include "cardbackup.h"
#include "cardfile.h"
#include "cardfilelock.h"

#include <QString>

namespace velmora {

// Everything below the windows that editing a card file needs: one editor at a time, a
// backup before the first write, and card writes that are on the medium before they are
// reported done. The application owns one session for as long as it runs in editing mode;
// the windows, which open and close their own CardFile handles, write through it.
//
//   CardEditSession session(dataFolder);
//   if (const auto begun = session.begin(cardPath); !begun)
//       ...tell the user begun.error().reason and do not edit...
//   ...
//   if (const auto filed = session.write(File, CurrentCard, Card); !filed)
//       ...filed.error().reason: nothing was written, the typed text stays on screen...
class CardEditSession
{
public:
    // `fallbackFolder`: where the backup goes when the card file's folder cannot take it,
    // normally the user's data folder; empty for none.
    explicit CardEditSession(QString fallbackFolder = QString());

    // Locks the card file (see CardFileLock), creating it empty when missing, and undoes a
    // filing that a crash cut short (cardjournal.h). A failure leaves the session
    // inactive; notEditableReason() keeps why, in Greek.
    Result<void> begin(const QString &cardPath);
    // begin() found a filing cut short and put the file back as it was before it.
    bool undidInterruptedFiling() const { return m_undidFiling; }
    // Releases the lock. The backup stays where it is.
    void end();
    bool isActive() const { return m_lock.isLocked(); }
    const QString &notEditableReason() const { return m_notEditable; }

    // Writes `card` as card `number` of `file`, a handle the caller opened on the locked
    // card file, durably and all or nothing (CardFile::write). It first checks that the
    // file is still the one at its path; before the session's first write it then backs
    // the whole file up (keeping the copies of the two sessions before); while that fails
    // nothing is written. A Failure when the card was not
    // written (the session is not active, the backup failed, `file` is not the locked
    // file, or the write failed): the file is then as it was, unless the reason adds that
    // the card may be half-written because even putting it back failed. BadRecordNumber
    // for a number below 1. `backupProgress` is told how far the backup is, when this
    // write makes it.
    [[nodiscard]] Result<void> write(CardFile &file, qint32 number, const CardRecord &card,
                                     const BackupProgress &backupProgress = {});

    // Where the backup is; empty until the session's first write has made it.
    const QString &backupPath() const { return m_backupPath; }
    // Once, after the write that made the backup somewhere other than beside the card
    // file: where it went, in Greek, for the message that tells of the filing.
    QString takeBackupNotice();

private:
    CardFileLock m_lock;
    QString m_fallbackFolder;
    QString m_backupPath;
    QString m_backupNotice;
    QString m_notEditable;
    bool m_undidFiling = false;
};

} // namespace velmora
