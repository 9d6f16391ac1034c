// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "restoring.h"

#include "atomicfile.h"
#include "cardbackup.h"
#include "filecopy.h"
#include "fileops.h"
#include "namedfile.h"
#include "placement.h"
#include "trust.h"

#include <algorithm>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace velmora {

namespace {

const QString BeforeRestore = QStringLiteral("before-restore");

bool newer(const struct stat &a, const struct stat &b)
{
    return a.st_mtim.tv_sec != b.st_mtim.tv_sec ? a.st_mtim.tv_sec > b.st_mtim.tv_sec
                                                : a.st_mtim.tv_nsec > b.st_mtim.tv_nsec;
}

// The copies of one place, latest first: each session's copy moved the ones before it back.
std::vector<Generation> copiesAt(const QString &latest, const struct stat &card, bool keepersToo,
                                 std::vector<Failure> &notTaken)
{
    std::vector<Generation> found;
    for (int g = 0; g < BackupGenerations; ++g) {
        const QString path = backupGeneration(latest, g);
        Result<FileDescriptor> fd = openNamedFile(path, O_RDONLY, LastLink::Kept);
        if (!fd && fd.error().fault == Fault::System && fd.error().error == ENOENT)
            continue;
        Result<struct stat> st = fd ? statusOf(fd->get()) : tl::unexpected(fd.error());
        if (!st) {
            notTaken.push_back(st.error());
            notTaken.back().path = path;
            continue;
        }
        // Beside the card file a backup may be another keeper's, as its journal may; one that
        // somebody who may not write the card file put there is no backup of it, and one with
        // another name is changed by whoever holds that name.
        if (std::optional<Failure> why = whyNotKeepersFile(path, *st, card, keepersToo)) {
            notTaken.push_back(std::move(*why));
            continue;
        }
        found.push_back(Generation{path, std::move(*fd), *st, userName(st->st_uid)});
    }
    return found;
}

// Every byte of the open file `from` to a file of the program's own at `target`.
Result<void> copyTo(int from, const QString &fromPath, const QString &target, mode_t mode)
{
    Result<AtomicFile> out = AtomicFile::create(target, mode, AtomicFile::Replacing::OwnFileOnly);
    if (!out)
        return tl::unexpected(out.error());
    const Result<qint64> copied = copyBlocks(
        from, fromPath, [&out](qint64, const char *data, qint64 size) { return out->write(data, size); });
    if (!copied)
        return tl::unexpected(copied.error());
    return out->commit();
}

// The backup's bytes written into the card file itself, cut to the backup's length, synced.
Result<void> writeInPlace(int card, const QString &cardPath, const Generation &copy)
{
    const Result<qint64> copied =
        copyBlocks(copy.fd.get(), copy.path, [&](qint64 offset, const char *data, qint64 size) {
            Result<void> put = writeAt(card, offset, data, size);
            if (!put)
                put.error().path = cardPath;
            return put;
        });
    if (!copied)
        return tl::unexpected(copied.error());
    Result<void> done = truncateTo(card, *copied);
    if (done)
        done = syncData(card);
    if (!done)
        done.error().path = cardPath;
    return done;
}

} // namespace

CardRestore::CardRestore(QString fallbackFolder)
    : m_fallbackFolder(std::move(fallbackFolder)), m_session(m_fallbackFolder)
{
}

Result<void> CardRestore::begin(const QString &cardPath, Purpose purpose)
{
    m_cardPath = cardPath;
    m_generations.clear();
    m_notTaken.clear();
    m_keptIn.clear();
    m_removedJournals.clear();
    m_emptiedJournals.clear();
    m_session.end();
    Result<FileDescriptor> card = openNamedFile(cardPath, purpose == Purpose::List ? O_RDONLY : O_RDWR);
    if (!card)
        return tl::unexpected(card.error());
    m_card = std::move(*card);
    if (purpose == Purpose::Restore)
        if (Result<void> begun = m_session.begin(cardPath, CardEditSession::CutShort::Left); !begun)
            return begun;
    const Result<struct stat> status = statusOf(m_card.get());
    if (!status)
        return systemFailure(status.error().error, cardPath);
    if (purpose == Purpose::Restore && identityOf(*status) != m_session.cardFile())
        return failure(Fault::Replaced, cardPath);
    m_status = *status;

    std::vector<Generation> beside = copiesAt(backupBeside(cardPath), m_status, true, m_notTaken);
    std::vector<Generation> elsewhere;
    if (!m_fallbackFolder.isEmpty())
        elsewhere = copiesAt(backupInFolder(cardPath, m_fallbackFolder), m_status, false, m_notTaken);
    auto b = beside.begin();
    auto e = elsewhere.begin();
    while (int(m_generations.size()) < BackupGenerations && (b != beside.end() || e != elsewhere.end())) {
        const bool fromBeside = e == elsewhere.end() || (b != beside.end() && !newer(e->status, b->status));
        m_generations.push_back(std::move(fromBeside ? *b++ : *e++));
    }
    m_journal = findJournal(cardPath, m_fallbackFolder);
    // The session's look beside the card file finds the strangers' backups found above too.
    for (Failure &why : m_session.takeLeftAlone())
        if (std::none_of(m_notTaken.begin(), m_notTaken.end(),
                         [&](const Failure &f) { return f.path == why.path; }))
            m_notTaken.push_back(std::move(why));
    return {};
}

std::vector<size_t> CardRestore::othersUndoneBy(size_t generation) const
{
    std::vector<size_t> others;
    for (size_t g = 0; g <= generation && g < m_generations.size(); ++g)
        if (!ownedByUser(m_generations[g].status))
            others.push_back(g);
    return others;
}

Result<void> CardRestore::restore(size_t generation)
{
    if (!m_session.isActive())
        return failure(Failure{Fault::ReadOnly, 0, m_cardPath});
    if (generation >= m_generations.size())
        return systemFailure(ENOENT, backupBeside(m_cardPath));
    const Generation &chosen = m_generations[generation];
    if (identityOf(chosen.status) == identityOf(m_status))
        return failure(Fault::IsInput, chosen.path);

    // A copy of the same length may still differ in any byte: only equal bytes keep the file.
    for (const Generation &copy : m_generations) {
        if (copy.status.st_size != m_status.st_size)
            continue;
        if (const Result<bool> same = sameBytes(m_card.get(), copy.fd.get()); same && *same) {
            m_keptIn = copy.path;
            break;
        }
    }
    if (m_keptIn.isEmpty()) {
        const mode_t mode = m_status.st_mode & 07777;
        Result<QString> kept =
            placeProgramFile(m_cardPath, BeforeRestore, m_fallbackFolder, [&](const QString &target) {
                return copyTo(m_card.get(), m_cardPath, target, mode);
            });
        if (!kept)
            return failure(kept.error().at(Stage::Backup));
        m_keptIn = *kept;
    }
    if (Result<void> restored = writeInPlace(m_card.get(), m_cardPath, chosen); !restored)
        return restored;
    // Beside the card file, then in the data folder: each place holds one. One emptied is
    // passed by when the next is looked for.
    int places = 0;
    for (std::optional<FoundJournal> journal = m_journal; journal && places++ < 2;
         journal = findJournal(m_cardPath, m_fallbackFolder)) {
        const Result<SpentJournal> spent = removeSpentJournal(*journal);
        if (!spent)
            return failure(Failure(spent.error()).at(Stage::JournalRemoval));
        if (*spent == SpentJournal::Removed) {
            m_removedJournals << journal->path;
            continue;
        }
        Failure emptied{Fault::SpentJournal, 0, journal->path, FileKind::Regular};
        emptied.owner = journal->keeper;
        m_emptiedJournals.push_back(std::move(emptied));
    }
    return {};
}

} // namespace velmora
