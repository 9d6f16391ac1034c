// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardeditsession.h"
#include "cardjournal.h"

#include <QString>
#include <QStringList>

#include <optional>
#include <sys/stat.h>
#include <vector>

namespace velmora {

// One backup of a card file, open for reading.
struct Generation
{
    QString path;
    FileDescriptor fd;
    struct stat status = {};
    QString keeper; // whose copy it is, made as that keeper's session began
};

// A card file put back as one of its own backups was (cardbackup.h): those beside it, made by
// any keeper who could write the file, and those the data folder keeps of it under the digits
// drawn from its path, never the copies of another file of the same name.
//
//   CardRestore restore(dataFolder);
//   if (!restore.begin(cardPath, CardRestore::Purpose::Restore)) ...tell why...
//   ...restore.generations(), restore.notTaken(), restore.journal()...
//   if (!restore.restore(0)) ...tell why, by the Failure's stage and keptIn()...
class CardRestore
{
public:
    // `fallbackFolder`: the user's data folder, where backups are looked for and the file as
    // it is kept when its own folder cannot take it; empty for none.
    explicit CardRestore(QString fallbackFolder = QString());

    enum class Purpose {
        List,    // the card file read only, no lock taken
        Restore, // locked as an editor locks it, first of all, so that no editor files meanwhile
    };
    // Opens the existing card file at `cardPath` through the path walk (namedfile.h) and finds
    // its backups. To restore, it takes the editing session's lock, removing the leftovers of
    // a killed session, but leaves the journal of a filing cut short where it is (journal()):
    // the restore writes every byte of the file, and the journal goes only after. One the
    // program cannot read refuses the restore, as it refuses editing (Fault::UnknownJournal).
    Result<void> begin(const QString &cardPath, Purpose purpose);
    // Once, after a begin() to restore that could not use the keepers' lock file: why.
    std::optional<Failure> takeLockFileUnused() { return m_session.takeLockFileUnused(); }

    // The card file as it is now.
    const struct stat &status() const { return m_status; }
    // Its backups, latest first, the three latest of both places: each session made its copy
    // in one of the two, and when each was made (its modification time, which a rename keeps)
    // tells the sessions' order; within a place the generations do.
    const std::vector<Generation> &generations() const { return m_generations; }
    // What stood at a backup's name and is no backup, with its path: Fault::StrangersFile for
    // a copy put there by a user who may not write the card file (whyNotKeepersFile()),
    // Fault::TooManyLinks for one that has another name too (whoever holds that name changes
    // the copy), else why it could not be read; and, to restore, a stranger's journal beside
    // the card file, which is left alone.
    const std::vector<Failure> &notTaken() const { return m_notTaken; }
    // The generations from the latest to `generation` that another user's sessions began
    // with: restoring `generation` undoes those sessions too.
    std::vector<size_t> othersUndoneBy(size_t generation) const;
    // The journal of an interrupted filing standing beside the card file, else in the data
    // folder.
    const std::optional<FoundJournal> &journal() const { return m_journal; }

    // Puts the card file back as generations()[generation] is. First the file as it is goes,
    // as a file of the program's own, to "Filis.dat.before-restore" where the program's files
    // of it go (placement.h), unless one of its backups holds it byte for byte (restoring
    // again keeps the file as it was before the first restore): a failure there is
    // Stage::Backup, and nothing is written. The backup's bytes are then written into the
    // card file itself, which keeps its inode, owner, permissions and every link, cut to the
    // backup's length and synced; a failure there may leave the file partly restored, kept
    // as it was in keptIn(). Only then do the journals of interrupted filings go, beside the
    // card file and in the data folder, so that no editor can ever write an old card into
    // the restored file: a failure there is Stage::JournalRemoval, the file restored.
    // Fault::IsInput when the backup is the card file itself.
    Result<void> restore(size_t generation);
    // Where the file as it was before restore() is; empty until restore() has kept it.
    const QString &keptIn() const { return m_keptIn; }
    // The journals restore() removed, and those of other keepers it emptied instead
    // (Fault::SpentJournal, removeSpentJournal()).
    const QStringList &removedJournals() const { return m_removedJournals; }
    const std::vector<Failure> &emptiedJournals() const { return m_emptiedJournals; }

private:
    QString m_fallbackFolder;
    QString m_cardPath;
    CardEditSession m_session;
    FileDescriptor m_card;
    struct stat m_status = {};
    std::vector<Generation> m_generations;
    std::vector<Failure> m_notTaken;
    std::optional<FoundJournal> m_journal;
    QString m_keptIn;
    QStringList m_removedJournals;
    std::vector<Failure> m_emptiedJournals;
};

} // namespace velmora
