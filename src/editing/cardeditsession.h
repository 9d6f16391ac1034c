// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardbackup.h"
#include "cardfile.h"
#include "cardfilelock.h"

#include <QString>

#include <optional>
#include <vector>

namespace velmora {

// A filing that a crash cut short and begin() undid: the card that was being filed, so
// that the keeper's typing can be put back on the screen instead of being lost with it.
struct UndoneFiling
{
    qint32 number = 0;
    CardRecord card;
    QString keeper; // who was filing it, when another user: empty for the user
};

// Everything below the windows that editing a card file needs: one editor at a time, a
// backup before the first write, and card writes that are on the medium before they are
// reported done. The application owns one session for as long as it runs in editing mode;
// the windows, which open and close their own CardFile handles, write through it.
//
//   CardEditSession session(dataFolder);
//   if (const auto begun = session.begin(cardPath); !begun)
//       ...tell the user why and do not edit...
//   ...
//   if (const auto filed = session.write(File, CurrentCard, Card); !filed)
//       ...tell why: nothing was written, the typed text stays on screen...
class CardEditSession
{
public:
    // `fallbackFolder`: where the backup and the journal go when the card file's folder
    // cannot take them, normally the user's data folder; empty for none.
    explicit CardEditSession(QString fallbackFolder = QString());

    // What begin() does with the journal of a filing that a crash cut short.
    enum class CutShort {
        Undone, // before anything is read: every editing
        Left,   // named, and removed once the file is restored (restoring.h), which writes all of it
    };

    // Locks the card file (see CardFileLock), creating it empty when missing, removes the
    // temporary files a killed session of the program's left behind, and undoes a filing
    // that a crash cut short (cardjournal.h). A journal whose filing the file no longer
    // shows is left where it is, and the file is not edited (Fault::Changed); so is, either
    // way, one the program cannot read (Fault::UnknownJournal). A failure leaves the session
    // inactive; notEditableReason() keeps why.
    // The path is walked first (pathwalk.h): a stranger's link on the way is refused
    // (Fault::SharedFolder, naming it) before anything is created or changed.
    Result<void> begin(const QString &cardPath, CutShort cutShort = CutShort::Undone);
    // Once, after begin(): what it left alone and the keeper is to be told of, each a Failure
    // for the words: a stranger's file at a name beside the card file (Fault::StrangersFile)
    // and another keeper's spent journal emptied (Fault::SpentJournal).
    std::vector<Failure> takeLeftAlone() { return std::exchange(m_leftAlone, {}); }
    // The filing begin() undid, once.
    std::optional<UndoneFiling> takeUndoneFiling() { return std::exchange(m_undone, std::nullopt); }
    // Releases the lock. The backup stays where it is.
    void end();
    bool isActive() const { return m_lock.isLocked(); }
    // The card file locked, the one every filing of the session goes to.
    FileIdentity cardFile() const { return m_lock.identity(); }
    const std::optional<Failure> &notEditableReason() const { return m_notEditable; }
    // Once, after a begin() that could not use the keepers' lock file: why (CardFileLock).
    std::optional<Failure> takeLockFileUnused() { return m_lock.takeLockFileUnused(); }

    // Writes `card` as card `number` of `file`, a handle the caller opened on the locked
    // card file, durably and all or nothing (fileCard()). It first checks that the file is
    // still the one at its path; before the session's first write it then backs the whole
    // file up (keeping the copies of the two sessions before); while that fails nothing is
    // written. While the journal of a filing whose card could not even be put back stands,
    // every filing first undoes that one, and is refused while it cannot. A Failure when
    // the card was not written: the file is then as it was, unless it says that the card
    // may be torn. A number below 1 is a programming fault (checkCardNumber()).
    // `backupProgress` is told how far the backup is, when this write makes it.
    [[nodiscard]] Result<void> write(CardFile &file, qint32 number, const CardRecord &card,
                                     const BackupProgress &backupProgress = {});

    // The backup write() makes before the session's first filing, made now, of `file`, a
    // handle the caller opened on the locked card file; nothing once it is made. For a
    // change of the whole file (importing.h).
    [[nodiscard]] Result<void> backUp(const CardFile &file, const BackupProgress &progress = {});

    // Where the backup is; empty until the session's first write has made it.
    const QString &backupPath() const { return m_backupPath; }
    // Once, after the write that made the backup somewhere other than beside the card
    // file: where it went.
    std::optional<QString> takeBackupElsewhere() { return std::exchange(m_backupElsewhere, std::nullopt); }
    // Once a session, after a filing whose journal could not go beside the card file: where
    // it went, where other keepers of the file would not find it.
    std::optional<QString> takeJournalElsewhere() { return std::exchange(m_journalElsewhere, std::nullopt); }

private:
    // Puts back what an interrupted filing changed, through a handle of its own; with `undo`
    // false, only refuses a journal that may not be left for a restore.
    Result<void> undoInterruptedFiling(const QString &cardPath, bool atStart, bool undo = true);

    CardFileLock m_lock;
    QString m_cardPath;
    QString m_fallbackFolder;
    QString m_backupPath;
    std::optional<QString> m_backupElsewhere;
    std::optional<QString> m_journalElsewhere;
    bool m_toldJournalElsewhere = false;
    std::optional<Failure> m_notEditable;
    std::optional<UndoneFiling> m_undone;
    std::vector<Failure> m_leftAlone;
    bool m_journalStands = false; // a filing's card could not be put back: its journal stays
};

} // namespace velmora
