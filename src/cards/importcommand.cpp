// velmora-cards import [--cut] CSV FILIS: a spreadsheet's cards into a card file; CSV may be
// - for standard input.

#include "cardimport.h"
#include "command.h"
#include "csvcolumns.h"
#include "englishfailure.h"
#include "inputfile.h"
#include "outputfile.h"

#include <QFile>

namespace velmora::cards {

namespace {

int runImport(const CommandLine &line, Console &console)
{
    const QString &csvPath = line.arguments.at(0);
    const QString &cardPath = line.arguments.at(1);
    const bool cut = line.has(QStringLiteral("--cut"));

    QFile csv;
    const Result<FileIdentity> input = openInput(csvPath, csv);
    if (!input) {
        console.err << englishText(input.error()) << Qt::endl;
        return Failure;
    }
    OutputFile out;
    if (const Result<void> opened = out.open(cardPath, OutputFile::Accept::RegularFile, *input); !opened) {
        console.err << englishText(opened.error()) << "; nothing written" << Qt::endl;
        return Failure;
    }

    const ImportOutcome outcome = importCards(csv, [&out](const CardRecord &card, int storedBytes) {
        out.write(QByteArrayView(card.bytes().data(), storedBytes));
    });
    if (!outcome.failure.isEmpty()) {
        console.err << csvPath << ':' << outcome.failureLine << ": " << outcome.failure << '\n'
                    << "nothing written" << Qt::endl;
        return Failure;
    }
    for (const ValueProblem &p : outcome.problems)
        console.err << csvPath << ':' << p.line << ':' << p.column << ": " << columnName(p.field) << ": "
                    << p.what << (cut ? QStringLiteral(" (cut)") : QString()) << '\n';
    if (!outcome.problems.isEmpty() && !cut) {
        console.err << outcome.problems.size() << " value(s) do not fit their field; nothing written "
                    << "(--cut writes them cut to the width, with '?' for characters outside Windows-1253)"
                    << Qt::endl;
        return Failure;
    }

    if (const Result<void> written = out.commit(); !written) {
        console.err << englishText(written.error()) << "; nothing written" << Qt::endl;
        return Failure;
    }
    console.out << outcome.cardCount << " cards written to " << cardPath << Qt::endl;
    return Success;
}

} // namespace

Command importCommand()
{
    return Command{
        QStringLiteral("import"),
        QStringLiteral("import [--cut] CSV FILIS"),
        QStringLiteral("UTF-8 CSV with the header Isbn,Author,Title,OtherName,Publication,PagesNotes into a "
                       "card file; a value that does not fit stops the import unless --cut"),
        {QStringLiteral("--cut")},
        2,
        runImport,
    };
}

} // namespace velmora::cards
