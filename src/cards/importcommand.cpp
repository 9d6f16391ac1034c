// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// velmora-cards import [--append [--all] | --replace] [--format FORMAT] [--cut | --keep-case] INPUT
// FILIS: a spreadsheet's cards, or a reference manager's books (citation/), into a new card file,
// after the last card of one, or in its place after a backup; INPUT may be - for standard input.

#include "cardappend.h"
#include "cardbackup.h"
#include "cardfile.h"
#include "cardimport.h"
#include "command.h"
#include "csvcolumns.h"
#include "datafolder.h"
#include "failurewords.h"
#include "importing.h"
#include "inputfile.h"
#include "referenceimport.h"

#include <QCoreApplication>
#include <QFile>

namespace velmora::cards {

using namespace velmora::citation;

namespace {

// Takes each card read, with the bytes of it to store (fewer than 195 for the partial last
// record of a raw export).
using CardTaker = std::function<void(const InputCard &card, int storedBytes)>;

// The cards read, or -1 when nothing is to be written.
qint64 importCsv(const QString &csvPath, QFile &csv, const CardTaker &take, bool cut, Console &console)
{
    const ImportOutcome outcome =
        importCards(csv, [&take](const CardRecord &card, int storedBytes, qint64 line) {
            take(InputCard{card, line, QString()}, storedBytes);
        });
    if (!outcome.failure.isEmpty()) {
        console.err << csvPath << ':' << outcome.failureLine << ": " << outcome.failure << '\n'
                    << QCoreApplication::translate("CardTool", "nothing written") << Qt::endl;
        return -1;
    }
    for (const ValueProblem &p : outcome.problems)
        console.err << csvPath << ':' << p.line << ':' << p.column << ": " << columnName(p.field) << ": "
                    << p.what << (cut ? QCoreApplication::translate("Import", " (cut)") : QString()) << '\n';
    if (!outcome.problems.isEmpty() && !cut) {
        console.err << QCoreApplication::translate(
                           "Import", "%1 value(s) do not fit their field; nothing written (--cut "
                                     "writes them cut to the width, with '?' for characters "
                                     "outside Windows-1253)")
                           .arg(outcome.problems.size())
                    << Qt::endl;
        return -1;
    }
    return outcome.cardCount;
}

// The cards read, or -1 when nothing is to be written. Every entry a card, each told what was cut, stored as
// '?', not kept or wrong; an entry that cannot be read is told with its line and left out, and the rest
// imported.
qint64 importReferenceFile(const ReferenceFormat &format, const QString &inputPath, QFile &input,
                           const CardTaker &take, bool keepCase, Console &console)
{
    qint64 cards = 0, leftOut = 0;
    bool full = false;
    const ReadOutcome read = importReferences(format, input, keepCase, [&](const ImportedEntry &entry) {
        for (const QString &report : entry.reports) {
            console.err << inputPath << ':' << entry.line << ": ";
            if (!entry.name.isEmpty())
                console.err << entry.name << ": ";
            console.err << report << '\n';
        }
        if (!entry.card) {
            leftOut += entry.definition ? 0 : 1;
        } else if ((cards + 1) * RecordLength > MaxFileLength) {
            full = true;
        } else {
            take(InputCard{*entry.card, entry.line, entry.name}, RecordLength);
            ++cards;
        }
    });
    if (!read.ok()) {
        console.err << inputPath << ':' << read.failureLine << ": " << read.failure << '\n'
                    << QCoreApplication::translate("CardTool", "nothing written") << Qt::endl;
        return -1;
    }
    if (full) {
        console.err << QCoreApplication::translate("Import",
                                                   "more cards than a card file of at most %1 bytes holds; "
                                                   "nothing written")
                           .arg(MaxFileLength)
                    << Qt::endl;
        return -1;
    }
    if (leftOut > 0)
        console.err << (leftOut == 1 ? QCoreApplication::translate("Import", "%1 entry left out")
                                     : QCoreApplication::translate("Import", "%1 entries left out"))
                           .arg(leftOut)
                    << Qt::endl;
    return cards;
}

int nothingWritten(const velmora::Failure &why, Console &console)
{
    for (const velmora::Failure &also : why.also)
        console.err << failureLine(also) << '\n';
    console.err << QCoreApplication::translate("CardTool", "%1; nothing written").arg(failureLine(why))
                << Qt::endl;
    return Failure;
}

// A card file that holds cards is kept from an import that did not say what becomes of them.
int refusedOverCards(const QString &cardPath, qint64 length, Console &console)
{
    const qint32 cards = cardsHeld(length);
    console.err << (cards == 1 ? QCoreApplication::translate(
                                     "Import", "%1 holds a card already; nothing written: --append adds the "
                                               "cards after it, --replace puts them in its place after a "
                                               "backup (%2)")
                                     .arg(cardPath, backupBeside(cardPath))
                               : QCoreApplication::translate(
                                     "Import", "%1 holds %2 cards already; nothing written: --append adds "
                                               "the cards after them, --replace puts them in their place "
                                               "after a backup (%3)")
                                     .arg(cardPath, QString::number(cards), backupBeside(cardPath)))
                << Qt::endl;
    return Failure;
}

int runImport(const CommandLine &line, Console &console)
{
    const QString &inputPath = line.arguments.at(0);
    const QString &cardPath = line.arguments.at(1);
    const bool cut = line.has(QStringLiteral("--cut"));
    const bool keepCase = line.has(QStringLiteral("--keep-case"));
    const bool append = line.has(QStringLiteral("--append"));
    const bool replace = line.has(QStringLiteral("--replace"));
    const bool all = line.has(QStringLiteral("--all"));

    // A file's ending names its format; CSV is what any other file is read as.
    const QString formatName = line.value(QStringLiteral("--format"), QString());
    const ReferenceFormat *format =
        formatName.isEmpty() ? referenceFormatOfFile(inputPath) : referenceFormatNamed(formatName);
    if (!formatName.isEmpty() && !format && formatName != QLatin1String("csv")) {
        console.err << QCoreApplication::translate("Import", "import: unknown format \"%1\" (%2)")
                           .arg(formatName, listedFormats(Joined::Or, {QStringLiteral("csv")}))
                    << Qt::endl;
        return Usage;
    }
    if (format && cut) {
        console.err << QCoreApplication::translate(
                           "Import",
                           "import: --cut is for CSV; the other formats are always cut to the width, "
                           "and told")
                    << Qt::endl;
        return Usage;
    }
    if (!format && keepCase) {
        console.err << QCoreApplication::translate(
                           "Import", "import: --keep-case is for %1; CSV is always kept as written")
                           .arg(listedFormats(Joined::And))
                    << Qt::endl;
        return Usage;
    }

    if (all && !append) {
        console.err
            << QCoreApplication::translate(
                   "Import",
                   "import: --all is for --append: it appends the books the card file already holds too")
            << Qt::endl;
        return Usage;
    }
    if (append && replace) {
        console.err << QCoreApplication::translate(
                           "Import", "import: --append or --replace, not both: the cards go after the "
                                     "last card or in the place of all of them")
                    << Qt::endl;
        return Usage;
    }

    QFile input;
    const Result<FileIdentity> read = openInput(inputPath, input);
    if (!read) {
        console.err << failureLine(read.error()) << Qt::endl;
        return Failure;
    }
    const auto readInto = [&](const CardTaker &take) {
        return format ? importReferenceFile(*format, inputPath, input, take, keepCase, console)
                      : importCsv(inputPath, input, take, cut, console);
    };
    if (append)
        return appendCards(
            AppendRequest{cardPath, inputPath, *read, all},
            [&](const std::function<void(const InputCard &)> &take) {
                return readInto([&take](const InputCard &card, int) { take(card); });
            },
            console);
    ImportedCardFile out(replace
                             ? dataFolderToUse(console, QT_TRANSLATE_NOOP("CardTool", "no backup goes there"))
                             : QString());
    if (const Result<void> opened = out.open(
            cardPath, replace ? ImportedCardFile::Existing::Replaced : ImportedCardFile::Existing::Refused,
            *read);
        !opened) {
        if (opened.error().fault == Fault::System && opened.error().error == EEXIST)
            return refusedOverCards(cardPath, opened.error().length, console);
        return nothingWritten(opened.error(), console);
    }
    tellUndoneFiling(out.session(), cardPath, console);
    tellLockFileUnused(out.session().takeLockFileUnused(), console);
    const qint64 cards = readInto([&out](const InputCard &card, int storedBytes) {
        out.write(QByteArrayView(card.card.bytes().data(), storedBytes));
    });
    if (cards < 0)
        return Failure;
    const bool replaced = out.replaces();
    // Not one card read: whatever the card file held stays.
    if (const Result<void> written = out.commit(); !written)
        return noCardRead(written.error()) ? tellNoCard(inputPath, console)
                                           : nothingWritten(written.error(), console);
    tellWhereFilesWent(out.session(), console);
    console.out << QCoreApplication::translate("CardTool", "%1 cards written to %2")
                       .arg(QString::number(cards), cardPath);
    if (replaced)
        console.out << QCoreApplication::translate("Import", "; as it was before: %1")
                           .arg(out.session().backupPath());
    console.out << Qt::endl;
    return Success;
}

} // namespace

Command importCommand()
{
    return Command{
        QStringLiteral("import"),
        QStringLiteral("import [--cut] CSV FILIS\n  import [--format FORMAT] [--keep-case] INPUT FILIS\n"
                       "  import --append [--all] [--format FORMAT] [--cut | --keep-case] INPUT FILIS\n"
                       "  import --replace [--format FORMAT] [--cut | --keep-case] INPUT FILIS"),
        QT_TRANSLATE_NOOP(
            "CardTool",
            "a UTF-8 CSV with the header Isbn,Author,Title,OtherName,Publication,PagesNotes into a "
            "new card file, or one that is empty; a value that does not fit stops the import unless --cut. "
            "A FILIS that holds cards is kept as it is unless --append or --replace says what becomes of "
            "them, and so is any FILIS when INPUT yields no card.\n"
            "      FORMAT ris, bibtex, biblatex or csl-json (by default from INPUT's ending: .ris, "
            ".bibtex, .bib, .json; csv otherwise): a reference manager's books, articles and "
            "chapters, each a card as the bibliography writes one, in capitals without accents "
            "unless --keep-case; what is cut, stored as '?', not kept or left out is told on the "
            "standard error.\n"
            "      --append adds the cards after the last card of an existing FILIS instead, each filed as "
            "velmora --edit files a card: refused while an editor has the file, after a backup of it "
            "(FILIS.bak), one journaled card at a time, a partial last card made whole first. A book FILIS "
            "or INPUT already holds (the same ISBN, or the same author and title, as check tells them) is "
            "told with its card and left out, unless --all. A failure stops it, telling how many cards "
            "were appended and at which entry; those cards stay.\n"
            "      --replace puts the cards in the place of those FILIS holds, refused while an editor has "
            "it, after a backup of it (FILIS.bak, the older ones kept as .bak.1 and .bak.2): all of them "
            "go into a new file beside it, which takes its name and its permissions only once it is "
            "whole, so that a failure leaves FILIS as it was"),
        {QStringLiteral("--all"), QStringLiteral("--append"), QStringLiteral("--cut"),
         QStringLiteral("--format="), QStringLiteral("--keep-case"), QStringLiteral("--replace")},
        2,
        runImport,
    };
}

} // namespace velmora::cards
