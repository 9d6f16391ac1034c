// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// velmora-cards restore [--list] FILIS [1|2]: a card file put back as one of its backups was.

#include "cardappend.h"
#include "cardbackup.h"
#include "command.h"
#include "datafolder.h"
#include "failurewords.h"
#include "programfiles.h"
#include "restoring.h"

#include <QCoreApplication>

#include <QDateTime>

namespace velmora::cards {

namespace {

QString madeAt(const struct stat &st)
{
    return QDateTime::fromSecsSinceEpoch(st.st_mtim.tv_sec).toString(QStringLiteral("yyyy-MM-dd HH:mm:ss"));
}

QString described(const struct stat &st)
{
    const qint32 cards = cardCountForLength(st.st_size);
    return (cards == 1 ? QCoreApplication::translate("Restore", "%1, %2 card")
                       : QCoreApplication::translate("Restore", "%1, %2 cards"))
        .arg(madeAt(st))
        .arg(cards);
}

// Each keeper's restore undoes the sessions of the others since the copy it puts back.
void tellOthersUndone(const CardRestore &restore, size_t generation, const QString &before, Console &console)
{
    for (const size_t g : restore.othersUndoneBy(generation)) {
        const Generation &later = restore.generations()[g];
        console.out << before
                    << QCoreApplication::translate("Restore",
                                                   "restoring %1 also undoes the session %2 began %3")
                           .arg(generation)
                           .arg(later.keeper, madeAt(later.status))
                    << '\n';
    }
}

// What stood at a backup's name and was not taken.
void tellNotTaken(const CardRestore &restore, Console &console)
{
    for (const velmora::Failure &why : restore.notTaken()) {
        if (why.fault == Fault::StrangersFile)
            console.err << failureLine(why);
        else if (why.fault == Fault::TooManyLinks)
            console.err << QCoreApplication::translate(
                               "Restore", "%1: has another name too (a hard link); not taken as a backup")
                               .arg(why.path);
        else
            console.err
                << QCoreApplication::translate("Restore", "%1; not taken as a backup").arg(failureLine(why));
        console.err << Qt::endl;
    }
}

int listCopies(const QString &cardPath, const CardRestore &restore, Console &console)
{
    const std::vector<Generation> &copies = restore.generations();
    console.out
        << QCoreApplication::translate("Restore", "%1: now %2").arg(cardPath, described(restore.status()))
        << '\n';
    if (copies.empty())
        console.out << QCoreApplication::translate("Restore", "no backup: none at %1 nor at %2")
                           .arg(backupBeside(cardPath), backupInFolder(cardPath, userDataFolder()))
                    << '\n';
    for (size_t g = 0; g < copies.size(); ++g) {
        console.out << g << "  "
                    << QCoreApplication::translate("Restore", "%1, by %2")
                           .arg(described(copies[g].status), copies[g].keeper)
                    << "  " << copies[g].path << '\n';
        tellOthersUndone(restore, g, QStringLiteral("   "), console);
    }
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
    const auto nothingRestored = [&console](const velmora::Failure &why) {
        console.err << QCoreApplication::translate("Restore", "%1; nothing restored").arg(failureLine(why))
                    << Qt::endl;
        return Failure;
    };
    CardRestore restore(dataFolderToUse(console, QT_TRANSLATE_NOOP("CardTool", "no backup there is used")));
    if (const Result<void> begun =
            restore.begin(cardPath, list ? CardRestore::Purpose::List : CardRestore::Purpose::Restore);
        !begun)
        return nothingRestored(begun.error());
    tellLockFileUnused(restore.takeLockFileUnused(), console);
    tellNotTaken(restore, console);
    if (list)
        return listCopies(cardPath, restore, console);
    const size_t generation = wanted.toUInt();
    if (generation >= restore.generations().size()) {
        console.err << (restore.generations().empty()
                            ? QCoreApplication::translate(
                                  "Restore", "%1: no backup; restore --list shows those there are")
                                  .arg(cardPath)
                            : QCoreApplication::translate(
                                  "Restore", "%1: no backup %2; restore --list shows those there are")
                                  .arg(cardPath, QString::number(generation)))
                    << Qt::endl;
        return Failure;
    }
    if (const std::optional<FoundJournal> &journal = restore.journal())
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
    tellOthersUndone(restore, generation, cardPath + QStringLiteral(": "), console);
    const Result<void> restored = restore.restore(generation);
    if (!restored && restored.error().stage == Stage::Backup) {
        for (const velmora::Failure &why :
             QList{restored.error()} + QList(restored.error().also.begin(), restored.error().also.end()))
            console.err << failureLine(why) << '\n';
        console.err << QCoreApplication::translate("Restore",
                                                   "the file as it is could not be kept; nothing restored")
                    << Qt::endl;
        return Failure;
    }
    if (!restored && restore.keptIn().isEmpty())
        return nothingRestored(restored.error());
    if (!restored && restored.error().stage != Stage::JournalRemoval) {
        console.err << QCoreApplication::translate(
                           "Restore", "%1; the file may be partly restored; as it was, it is kept in %2")
                           .arg(failureLine(restored.error()), restore.keptIn())
                    << Qt::endl;
        return Failure;
    }
    const Generation &chosen = restore.generations()[generation];
    console.out << QCoreApplication::translate(
                       "Restore", "%1: restored as %2 was (%3)\nas it was before the restore: %4")
                       .arg(cardPath, chosen.path, described(chosen.status), restore.keptIn())
                << '\n';
    for (const QString &journal : restore.removedJournals())
        console.out << QCoreApplication::translate("Restore", "%1: removed").arg(journal) << '\n';
    for (const velmora::Failure &emptied : restore.emptiedJournals())
        console.out << failureLine(emptied) << '\n';
    if (!restored) {
        console.out.flush();
        console.err << QCoreApplication::translate(
                           "Restore", "%1; the journal stays: remove it before the next velmora --edit")
                           .arg(failureLine(restored.error()))
                    << Qt::endl;
        return Failure;
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
