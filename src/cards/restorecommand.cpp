// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// velmora-cards restore [--list] FILIS [1|2]: a card file put back as one of its backups was.

#include "atomicfile.h"
#include "cardbackup.h"
#include "cardfilelock.h"
#include "cardjournal.h"
#include "command.h"
#include "datafolder.h"
#include "failurewords.h"
#include "fileops.h"
#include "programfiles.h"
#include "trust.h"

#include <QCoreApplication>

#include <QDateTime>
#include <QFile>

#include <cstring>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <vector>

namespace velmora::cards {

namespace {

const QString BeforeRestore = QStringLiteral("before-restore");

// One backup of the card file, open for reading.
struct Copy
{
    QString path;
    FileDescriptor fd;
    struct stat status = {};
};

bool newer(const struct stat &a, const struct stat &b)
{
    return a.st_mtim.tv_sec != b.st_mtim.tv_sec ? a.st_mtim.tv_sec > b.st_mtim.tv_sec
                                                : a.st_mtim.tv_nsec > b.st_mtim.tv_nsec;
}

QString described(const struct stat &st)
{
    const qint32 cards = cardCountForLength(st.st_size);
    return (cards == 1 ? QCoreApplication::translate("Restore", "%1, %2 card")
                       : QCoreApplication::translate("Restore", "%1, %2 cards"))
        .arg(QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss")))
        .arg(cards);
}

// The copies of one place, latest first: each session's copy moved the ones before it back.
std::vector<Copy> copiesAt(const QString &latest, const struct stat &card, bool keepersToo, Console &console)
{
    std::vector<Copy> found;
    for (int g = 0; g < BackupGenerations; ++g) {
        const QString path = backupGeneration(latest, g);
        Result<FileDescriptor> fd = openRegularFile(QFile::encodeName(path), O_RDONLY | O_NOFOLLOW);
        if (!fd && fd.error().fault == Fault::System && fd.error().error == ENOENT)
            continue;
        const Result<struct stat> st = fd ? statusOf(fd->get()) : tl::unexpected(fd.error());
        if (!st) {
            console.err << QCoreApplication::translate("Restore", "%1; not taken as a backup")
                               .arg(failureLine(st.error()))
                        << Qt::endl;
            continue;
        }
        // Beside the card file a backup may be another keeper's, as its journal may; one that
        // somebody who could not write the card file put there is no backup of it.
        if (!ownedByUser(*st) && !(keepersToo && mayWrite(st->st_uid, card))) {
            console.err << QCoreApplication::translate(
                               "Restore",
                               "%1: put there by a user who cannot write %2; not taken as a backup")
                               .arg(path, realCardPath(latest))
                        << Qt::endl;
            continue;
        }
        found.push_back(Copy{path, std::move(*fd), *st});
    }
    return found;
}

// The backups of both places as one list, latest first: each session made its copy in one
// of the two, and when each was made (its modification time, which a rename keeps) tells
// the sessions' order; within a place the generations do. The three latest are the last
// three sessions'.
std::vector<Copy> findCopies(const QString &cardPath, const QString &dataFolder, const struct stat &card,
                             Console &console)
{
    std::vector<Copy> beside = copiesAt(backupBeside(cardPath), card, true, console);
    std::vector<Copy> elsewhere;
    if (!dataFolder.isEmpty())
        elsewhere = copiesAt(backupInFolder(cardPath, dataFolder), card, false, console);
    std::vector<Copy> all;
    auto b = beside.begin();
    auto e = elsewhere.begin();
    while (int(all.size()) < BackupGenerations && (b != beside.end() || e != elsewhere.end())) {
        const bool fromBeside = e == elsewhere.end() || (b != beside.end() && !newer(e->status, b->status));
        all.push_back(std::move(fromBeside ? *b++ : *e++));
    }
    return all;
}

Result<bool> sameBytes(int a, int b, qint64 length)
{
    QByteArray x(CardReader::BlockBytes, Qt::Uninitialized);
    QByteArray y(CardReader::BlockBytes, Qt::Uninitialized);
    for (qint64 offset = 0; offset < length; offset += x.size()) {
        const Result<qint64> gotX = readAt(a, offset, x.data(), x.size());
        const Result<qint64> gotY = readAt(b, offset, y.data(), y.size());
        if (!gotX || !gotY)
            return tl::unexpected(!gotX ? gotX.error() : gotY.error());
        if (*gotX != *gotY || std::memcmp(x.constData(), y.constData(), size_t(*gotX)) != 0)
            return false;
    }
    return true;
}

// Copies every byte of the open file `from` to the place of the program's own at `target`.
Result<void> copyTo(int from, const QString &target, mode_t mode)
{
    Result<AtomicFile> out = AtomicFile::create(target, mode, AtomicFile::Replacing::OwnFileOnly);
    if (!out)
        return tl::unexpected(out.error());
    QByteArray block(CardReader::BlockBytes, Qt::Uninitialized);
    for (qint64 offset = 0;; offset += block.size()) {
        const Result<qint64> got = readAt(from, offset, block.data(), block.size());
        if (!got)
            return tl::unexpected(got.error());
        if (Result<void> put = out->write(block.constData(), *got); !put)
            return put;
        if (*got < block.size())
            return out->commit();
    }
}

// The card file as it is now, beside it ("Filis.dat.before-restore") or, when its folder
// cannot take it, in the data folder: the one copy no session's backup replaces.
Result<QString> keepAsItIs(int card, const QString &cardPath, mode_t mode, const QString &dataFolder)
{
    const QString beside = besideCardFile(cardPath, BeforeRestore);
    const Result<void> there = copyTo(card, beside, mode);
    if (there || dataFolder.isEmpty())
        return there ? Result<QString>(beside) : tl::unexpected(there.error());
    const QString elsewhere = inDataFolder(cardPath, dataFolder, BeforeRestore);
    Result<void> kept = makeOwnFolder(dataFolder);
    if (kept)
        kept = copyTo(card, elsewhere, mode);
    if (kept)
        return elsewhere;
    velmora::Failure why = there.error();
    why.also.push_back(kept.error());
    return failure(std::move(why));
}

// The backup's bytes written into the card file itself, which keeps its inode, owner,
// permissions and every link; cut to the backup's length and synced.
Result<void> writeInPlace(int card, const QString &cardPath, const Copy &copy)
{
    QByteArray block(CardReader::BlockBytes, Qt::Uninitialized);
    qint64 offset = 0;
    for (;;) {
        const Result<qint64> got = readAt(copy.fd.get(), offset, block.data(), block.size());
        if (!got)
            return systemFailure(got.error().error, copy.path);
        Result<void> put = writeAt(card, offset, block.constData(), *got);
        if (!put)
            return systemFailure(put.error().error, cardPath);
        offset += *got;
        if (*got < block.size())
            break;
    }
    Result<void> done = truncateTo(card, offset);
    if (done)
        done = syncData(card);
    if (!done)
        done.error().path = cardPath;
    return done;
}

int listCopies(const QString &cardPath, const struct stat &card, const std::vector<Copy> &copies,
               Console &console)
{
    console.out << QCoreApplication::translate("Restore", "%1: now %2").arg(cardPath, described(card))
                << '\n';
    if (copies.empty())
        console.out << QCoreApplication::translate("Restore", "no backup: none at %1 nor at %2")
                           .arg(backupBeside(cardPath), backupInFolder(cardPath, userDataFolder()))
                    << '\n';
    for (size_t g = 0; g < copies.size(); ++g)
        console.out << g << "  " << described(copies[g].status) << "  " << copies[g].path << '\n';
    console.out.flush();
    return Success;
}

int runRestore(const CommandLine &line, Console &console)
{
    const QString &cardPath = line.arguments.at(0);
    const bool list = line.has(QStringLiteral("--list"));
    const QString wanted = line.arguments.value(1, QStringLiteral("0"));
    static const QStringList Generations{QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("2")};
    if (list && line.arguments.size() > 1) {
        console.err << QCoreApplication::translate("Restore", "restore: --list takes the card file alone")
                    << Qt::endl;
        return Usage;
    }
    if (!Generations.contains(wanted)) {
        console.err << QCoreApplication::translate(
                           "Restore", "restore: \"%1\" is no backup: 1 or 2 for the sessions before the last")
                           .arg(wanted)
                    << Qt::endl;
        return Usage;
    }
    // Locked before anything is read, so that no editor files a card meanwhile.
    CardFileLock lock;
    Result<FileDescriptor> card = openRegularFile(QFile::encodeName(cardPath), list ? O_RDONLY : O_RDWR);
    if (card && !list)
        if (const Result<void> locked = lock.acquire(cardPath); !locked)
            card = tl::unexpected(locked.error());
    const Result<struct stat> status = card ? statusOf(card->get()) : tl::unexpected(card.error());
    if (!status || (!list && identityOf(*status) != lock.identity())) {
        console.err << QCoreApplication::translate("Restore", "%1; nothing restored")
                           .arg(failureLine(status ? velmora::Failure{Fault::Replaced, 0, cardPath}
                                                   : status.error()))
                    << Qt::endl;
        return Failure;
    }
    const QString dataFolder =
        dataFolderToUse(console, QT_TRANSLATE_NOOP("CardTool", "no backup there is used"));
    const std::vector<Copy> copies = findCopies(cardPath, dataFolder, *status, console);
    if (list)
        return listCopies(cardPath, *status, copies, console);
    const size_t generation = wanted.toUInt();
    if (generation >= copies.size()) {
        console.err << (copies.empty()
                            ? QCoreApplication::translate(
                                  "Restore", "%1: no backup; restore --list shows those there are")
                                  .arg(cardPath)
                            : QCoreApplication::translate(
                                  "Restore", "%1: no backup %2; restore --list shows those there are")
                                  .arg(cardPath, QString::number(generation)))
                    << Qt::endl;
        return Failure;
    }
    const Copy &chosen = copies[generation];
    if (identityOf(chosen.status) == identityOf(*status)) {
        console.err << QCoreApplication::translate("Restore", "%1; nothing restored")
                           .arg(failureLine(velmora::Failure{Fault::IsInput, 0, chosen.path}))
                    << Qt::endl;
        return Failure;
    }

    // The file as it is now is kept, unless it is byte for byte a backup, which keeps it:
    // restoring again must not replace the copy made before the first restore.
    QString keptIn;
    for (const Copy &copy : copies) {
        if (!keptIn.isEmpty() || copy.status.st_size != status->st_size)
            continue;
        if (const Result<bool> same = sameBytes(card->get(), copy.fd.get(), status->st_size); same && *same)
            keptIn = copy.path;
    }
    if (keptIn.isEmpty()) {
        const Result<QString> kept = keepAsItIs(card->get(), cardPath, status->st_mode & 07777, dataFolder);
        if (!kept) {
            for (const velmora::Failure &why :
                 QList{kept.error()} + QList(kept.error().also.begin(), kept.error().also.end()))
                console.err << failureLine(why) << '\n';
            console.err << QCoreApplication::translate(
                               "Restore", "the file as it is could not be kept; nothing restored")
                        << Qt::endl;
            return Failure;
        }
        keptIn = *kept;
    }
    // A journal stands for a filing cut short: it goes only once the restore is on the
    // medium, so that the next editor can never write its old card into the restored file.
    std::optional<FoundJournal> journal = findJournal(cardPath, dataFolder);
    if (journal)
        console.out
            << (journal->keeper.isEmpty()
                    ? QCoreApplication::translate(
                          "Restore",
                          "%1: the journal of an interrupted filing; removed once the file is restored")
                          .arg(journal->path)
                    : QCoreApplication::translate(
                          "Restore",
                          "%1: the journal of an interrupted filing by %2; removed once the file is restored")
                          .arg(journal->path, journal->keeper))
            << '\n';
    if (const Result<void> restored = writeInPlace(card->get(), cardPath, chosen); !restored) {
        console.err << QCoreApplication::translate(
                           "Restore", "%1; the file may be partly restored; as it was, it is kept in %2")
                           .arg(failureLine(restored.error()), keptIn)
                    << Qt::endl;
        return Failure;
    }
    console.out << QCoreApplication::translate(
                       "Restore", "%1: restored as %2 was (%3)\nas it was before the restore: %4")
                       .arg(cardPath, chosen.path, described(chosen.status), keptIn)
                << '\n';
    // Beside the card file, then in the data folder: each place holds one.
    for (int place = 0; journal && place < 2; ++place, journal = findJournal(cardPath, dataFolder)) {
        if (const Result<void> removed = removeFile(journal->path, journal->identity); !removed) {
            console.err << QCoreApplication::translate(
                               "Restore", "%1; the journal stays: remove it before the next velmora --edit")
                               .arg(failureLine(removed.error()))
                        << Qt::endl;
            return Failure;
        }
        console.out << QCoreApplication::translate("Restore", "%1: removed").arg(journal->path) << '\n';
    }
    console.out.flush();
    return Success;
}

} // namespace

Command restoreCommand()
{
    return Command{
        QStringLiteral("restore"),
        QStringLiteral("restore FILIS [1|2]\n  restore --list FILIS"),
        QT_TRANSLATE_NOOP(
            "CardTool", "puts the card file back as it was before the last editing session, or with 1 or 2 "
                        "before the sessions before that, from its own backups: FILIS.bak, .bak.1 and .bak.2 "
                        "beside it and those ~/.local/share/Velmora keeps for it, the three latest of both "
                        "places by the time each was made. The file as it is goes first to "
                        "FILIS.before-restore, unless a backup holds it; the backup is written into the card "
                        "file itself, which keeps its permissions, and a journal of an interrupted filing is "
                        "removed after. Refused while an editor has the file. --list shows the backups, "
                        "latest first, with their dates and cards"),
        {QStringLiteral("--list")},
        1,
        runRestore,
        1,
    };
}

} // namespace velmora::cards
