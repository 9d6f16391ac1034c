// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardeditsession.h"

#include "atomicfile.h"
#include "cardjournal.h"
#include "fileops.h"
#include "filing.h"
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
    Result<void> begun = m_lock.acquire(cardPath, MissingLockFile::Made);
    if (begun) {
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
        if (const Result<void> opened = undo ? file.open(cardPath) : file.openForReading(cardPath); !opened)
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
    if (Result<void> removed = removeJournal(*found); !removed)
        return undoFailed(removed.error());
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
