// velmora-cards import [--format FORMAT] [--cut | --keep-case] INPUT FILIS: a spreadsheet's
// cards, or a reference manager's books (citation/), into a new card file; INPUT may be - for
// standard input.

#include "cardfile.h"
#include "cardimport.h"
#include "command.h"
#include "csvcolumns.h"
#include "englishfailure.h"
#include "inputfile.h"
#include "outputfile.h"
#include "referenceimport.h"

#include <QCoreApplication>
#include <QFile>

namespace velmora::cards {

namespace {

// The cards written, or -1 when nothing is to be.
qint64 importCsv(const QString &csvPath, QFile &csv, OutputFile &out, bool cut, Console &console)
{
    const ImportOutcome outcome = importCards(csv, [&out](const CardRecord &card, int storedBytes) {
        out.write(QByteArrayView(card.bytes().data(), storedBytes));
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

// The cards written, or -1 when nothing is to be. Every entry a card, each told what was cut, stored as '?',
// not kept or wrong; an entry that cannot be read is told with its line and left out, and the rest imported.
qint64 importReferenceFile(ReferenceFormat format, const QString &inputPath, QFile &input, OutputFile &out,
                           bool keepCase, Console &console)
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
            out.write(QByteArrayView(entry.card->bytes().data(), RecordLength));
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

int runImport(const CommandLine &line, Console &console)
{
    const QString &inputPath = line.arguments.at(0);
    const QString &cardPath = line.arguments.at(1);
    const bool cut = line.has(QStringLiteral("--cut"));
    const bool keepCase = line.has(QStringLiteral("--keep-case"));

    // A file's ending names its format; CSV is what any other file is read as.
    const std::optional<ReferenceFormat> byName = referenceFormatOfFile(inputPath);
    const QString formatName = line.value(QStringLiteral("--format"), QString());
    std::optional<ReferenceFormat> format = formatName.isEmpty() ? byName : referenceFormatNamed(formatName);
    if (!formatName.isEmpty() && !format && formatName != QLatin1String("csv")) {
        console.err << QCoreApplication::translate(
                           "Import", "import: unknown format \"%1\" (csv, ris, bibtex, biblatex "
                                     "or csl-json)")
                           .arg(formatName)
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
        console.err << QCoreApplication::translate("Import",
                                                   "import: --keep-case is for ris, bibtex, biblatex "
                                                   "and csl-json; CSV is always kept as written")
                    << Qt::endl;
        return Usage;
    }

    QFile input;
    const Result<FileIdentity> read = openInput(inputPath, input);
    if (!read) {
        console.err << englishText(read.error()) << Qt::endl;
        return Failure;
    }
    OutputFile out;
    if (const Result<void> opened = out.open(cardPath, OutputFile::Accept::RegularFile, *read); !opened) {
        console.err
            << QCoreApplication::translate("CardTool", "%1; nothing written").arg(englishText(opened.error()))
            << Qt::endl;
        return Failure;
    }
    const qint64 cards = format ? importReferenceFile(*format, inputPath, input, out, keepCase, console)
                                : importCsv(inputPath, input, out, cut, console);
    if (cards < 0)
        return Failure;
    if (const Result<void> written = out.commit(); !written) {
        console.err << QCoreApplication::translate("CardTool", "%1; nothing written")
                           .arg(englishText(written.error()))
                    << Qt::endl;
        return Failure;
    }
    console.out << QCoreApplication::translate("CardTool", "%1 cards written to %2")
                       .arg(QString::number(cards), cardPath)
                << Qt::endl;
    return Success;
}

} // namespace

Command importCommand()
{
    return Command{
        QStringLiteral("import"),
        QStringLiteral("import [--cut] CSV FILIS\n  import [--format FORMAT] [--keep-case] INPUT FILIS"),
        QT_TRANSLATE_NOOP(
            "CardTool",
            "a UTF-8 CSV with the header Isbn,Author,Title,OtherName,Publication,PagesNotes into a "
            "new card file; a value that does not fit stops the import unless --cut.\n"
            "      FORMAT ris, bibtex, biblatex or csl-json (by default from INPUT's ending: .ris, "
            ".bibtex, .bib, .json; csv otherwise): a reference manager's books, articles and "
            "chapters, each a card as the bibliography writes one, in capitals without accents "
            "unless --keep-case; what is cut, stored as '?', not kept or left out is told on the "
            "standard error"),
        {QStringLiteral("--cut"), QStringLiteral("--format="), QStringLiteral("--keep-case")},
        2,
        runImport,
    };
}

} // namespace velmora::cards
