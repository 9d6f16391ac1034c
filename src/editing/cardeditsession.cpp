// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardeditsession.h"

#include "atomicfile.h"
#include "cardjournal.h"
#include "editablecardfile.h"
#include "fileops.h"
#include "filing.h"
#include "pathwalk.h"
#include "placement.h"
#include "programfiles.h"
#include "recoveryfile.h"

#include <QDir>
#include <QFileInfo>

namespace velmora {

namespace {

// The hidden files a filing writes first and renames into place, left by a kill between
// the two: beside the card file and in the data folder, never another user's.
void removeLeftovers(const QStringList &targets)
{
    for (const QString &target : targets) {
        const QFileInfo info(target);
        const QStringList hidden =
            QDir(info.absolutePath()).entryList(QDir::Files | QDir::Hidden | QDir::System);
        for (const QString &name : hidden)
            if (isTemporaryOf(name, info.fileName()))
                (void)removeOwnFile(info.absolutePath() + QLatin1Char('/') + name);
    }
}

// The lock opens the card file by its path as the system resolves it, which follows any
// link: the walk first, which refuses a stranger's link on the way before anything is
// created, removed or undone, and the file locked must then be the one the walk reached.
Result<void> lockWalked(CardFileLock &lock, const QString &cardPath)
{
    const Result<OpenedParent> walked = openParent(cardPath, LastLink::Followed);
    if (!walked)
        return tl::unexpected(walked.error());
    if (Result<void> locked = lock.acquire(cardPath, MissingLockFile::Made); !locked)
        return locked;
    const Result<struct stat> there = statusIn(walked->folder.get(), walked->name);
    if (!there || identityOf(*there) != lock.identity())
        return failure(Fault::Replaced, cardPath);
    return {};
}

// What strangers put at the names beside the card file that its keepers share: never undone
// nor moved (whyNotKeepersFile()), and told once a session.
std::vector<Failure> strangersFilesBeside(const QString &cardPath)
{
    std::vector<Failure> found;
    const Result<struct stat> card = statusAt(cardPath);
    QStringList names{journalBeside(cardPath)};
    for (int g = 0; g < BackupGenerations; ++g)
        names << backupGeneration(backupBeside(cardPath), g);
    for (const QString &name : names) {
        const Result<OpenedParent> parent = openParent(name);
        const Result<struct stat> st =
            parent ? statusIn(parent->folder.get(), parent->name) : tl::unexpected(parent.error());
        if (!card || !st || !S_ISREG(st->st_mode))
            continue;
        if (std::optional<Failure> why = whyNotKeepersFile(name, *st, *card, true);
            why && why->fault == Fault::StrangersFile)
            found.push_back(std::move(*why));
    }
    return found;
}

} // namespace

CardEditSession::CardEditSession(QString fallbackFolder) : m_fallbackFolder(std::move(fallbackFolder)) {}

Result<void> CardEditSession::begin(const QString &cardPath, CutShort cutShort)
{
    m_cardPath = cardPath;
    m_backupPath.clear();
    m_backupElsewhere.reset();
    m_undone.reset();
    m_journalStands = false;
    m_journalElsewhere.reset();
    m_toldJournalElsewhere = false;
    m_leftAlone.clear();
    Result<void> begun = lockWalked(m_lock, cardPath);
    if (begun) {
        m_leftAlone = strangersFilesBeside(cardPath);
        QStringList targets{backupBeside(cardPath), journalBeside(cardPath), lockFileBeside(cardPath)};
        if (!m_fallbackFolder.isEmpty())
            targets << backupInFolder(cardPath, m_fallbackFolder)
                    << journalInFolder(cardPath, m_fallbackFolder)
                    << recoveryFilePath(cardPath, m_fallbackFolder);
        removeLeftovers(targets);
        // Before anything is read: the file as it was before a filing cut short.
        begun = undoInterruptedFiling(cardPath, true, cutShort == CutShort::Undone);
        if (!begun)
            m_lock.release();
    }
    m_notEditable = begun ? std::nullopt : std::optional(begun.error());
    return begun;
}

Result<void> CardEditSession::undoInterruptedFiling(const QString &cardPath, bool atStart, bool undo)
{
    const std::optional<FoundJournal> found = findJournal(cardPath, m_fallbackFolder);
    if (!found)
        return {};
    const auto undoFailed = [&](Failure why) {
        why.stage = Stage::Undo;
        if (why.path.isEmpty())
            why.path = found->path;
        return failure(std::move(why));
    };
    CardFile file;
    if (found->entry)
        if (const Result<void> opened = undo ? openToEdit(file, cardPath) : file.openForReading(cardPath);
            !opened)
            return undoFailed(opened.error());
    const Result<JournalVerdict> verdict = judgeJournal(*found, file);
    if (!verdict)
        return undoFailed(verdict.error());
    // Whatever is done with the file, what the program cannot read stays, and nothing is written.
    if (verdict->action == JournalAction::Unread)
        return undoFailed(verdict->why);
    if (!undo)
        return {};
    if (verdict->action == JournalAction::Outdated)
        return undoFailed(verdict->why);
    if (verdict->action == JournalAction::Undo) {
        if (const Result<void> back = putBack(file, *found->entry); !back)
            return undoFailed(back.error());
        if (atStart)
            m_undone = UndoneFiling{found->entry->cardNumber(), verdict->filed, found->keeper};
    }
    // Spent now: it goes, or, where only its owner may remove it, is emptied.
    const Result<SpentJournal> spent = removeSpentJournal(*found);
    if (!spent) {
        Failure why = spent.error();
        why.path = found->path;
        return failure(why.at(Stage::JournalRemoval));
    }
    if (*spent == SpentJournal::Emptied) {
        Failure emptied{Fault::SpentJournal, 0, found->path, FileKind::Regular};
        emptied.owner = found->keeper;
        m_leftAlone.push_back(std::move(emptied));
    }
    m_journalStands = false;
    return {};
}

void CardEditSession::end()
{
    m_lock.release();
}

Result<void> CardEditSession::backUp(const CardFile &file, const BackupProgress &progress)
{
    if (!isActive())
        return failure(m_notEditable.value_or(Failure{Fault::ReadOnly, 0, file.path()}));
    // A handle opened after the file was replaced at its path is a file nobody locked and
    // nobody backed up.
    Result<FileIdentity> identity = file.identity();
    if (!identity)
        return failure(identity.error().at(Stage::Card));
    if (*identity != m_lock.identity())
        return failure(Failure{Fault::Replaced, 0, file.path()}.at(Stage::Card));
    // Before the backup: a refused filing must not replace a good copy with the orphan.
    if (Result<void> there = file.stillAtPath(); !there)
        return failure(there.error().at(Stage::Card));
    if (!m_backupPath.isEmpty())
        return {};
    const Result<QString> backup = backUpCardFile(file, m_fallbackFolder, progress);
    if (!backup)
        return tl::unexpected(backup.error());
    m_backupPath = *backup;
    if (m_backupPath != backupBeside(file.path()))
        m_backupElsewhere = m_backupPath;
    return {};
}

Result<void> CardEditSession::write(CardFile &file, qint32 number, const CardRecord &card,
                                    const BackupProgress &backupProgress)
{
    if (!isActive())
        return failure(m_notEditable.value_or(Failure{Fault::ReadOnly, 0, file.path()}));
    // A filing whose card may be torn comes first: another journal must not take its place.
    if (m_journalStands)
        if (Result<void> undone = undoInterruptedFiling(m_cardPath, false); !undone)
            return undone;
    if (Result<void> backup = backUp(file, backupProgress); !backup)
        return backup;
    const Result<QString> filed = fileCard(file, number, card, m_fallbackFolder);
    m_journalStands = !filed && filed.error().cardMayBeTorn;
    if (!filed)
        return tl::unexpected(filed.error());
    if (*filed != journalBeside(file.path()) && !m_toldJournalElsewhere) {
        m_toldJournalElsewhere = true;
        m_journalElsewhere = *filed;
    }
    return {};
}

} // namespace velmora
