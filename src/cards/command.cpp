// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command.h"

#include "terminaldevice.h"
#include "version.h"

#include <QCoreApplication>

namespace velmora::cards {

namespace {

const QString Program = QStringLiteral("velmora-cards");

void printHelp(QTextStream &to)
{
    to << QCoreApplication::translate("CardTool", "usage: %1")
              .arg(Program + QStringLiteral(" COMMAND ARGUMENTS..."))
       << "\n\n"
       << QCoreApplication::translate(
              "CardTool",
              "Builds, reads and checks Velmora's card file (Filis.dat: 195-byte cards in Windows-1253).")
       << "\n\n"
       << QCoreApplication::translate("CardTool", "commands:") << '\n';
    for (const Command &c : commands())
        to << "  " << c.synopsis << "\n      " << QCoreApplication::translate("CardTool", c.summary) << "\n";
    to << '\n'
       << QCoreApplication::translate(
              "CardTool",
              "FILIS is a card file, CSV a UTF-8 spreadsheet file (- for import's standard input)\n"
              "with the header row Isbn,Author,Title,OtherName,Publication,PagesNotes, OUT the file\n"
              "export writes in FORMAT: csv, ris, bibtex, biblatex or csl-json. Control bytes of a\n"
              "card (NUL, tab, line breaks) appear in CSV and on screen as their control pictures\n"
              "(\u2400 for NUL), which import writes back as the same bytes. What the tool writes to\n"
              "the terminal shows every other control character as \\xHH or \\uHHHH: DEL, those that\n"
              "bytes undefined in Windows-1253 stand for, and any in a file name but a line break.")
       << "\n\n"
       << QCoreApplication::translate(
              "CardTool",
              "exit status: 0 done, 1 failed (nothing written, but the cards import --append filed\n"
              "before it stopped), 2 wrong command line, 3 check found damage")
       << '\n';
    to.flush();
}

// Takes out the options the command knows; false, with a message, for anything else.
bool parse(const Command &command, const QStringList &arguments, CommandLine *line, QString *error)
{
    bool optionsEnd = false;
    for (qsizetype i = 0; i < arguments.size(); ++i) {
        const QString &a = arguments.at(i);
        const qsizetype equals = a.indexOf(QLatin1Char('='));
        const QString valued = equals > 0 ? a.left(equals + 1) : a + QLatin1Char('=');
        if (!optionsEnd && a == QLatin1String("--")) {
            optionsEnd = true;
        } else if (!optionsEnd && a.startsWith(QLatin1String("--")) && command.options.contains(valued)) {
            if (equals < 0 && i + 1 == arguments.size()) {
                *error = QCoreApplication::translate("CardTool", "%1: %2 needs a value").arg(command.name, a);
                return false;
            }
            line->values.insert(valued.chopped(1), equals > 0 ? a.mid(equals + 1) : arguments.at(++i));
        } else if (!optionsEnd && a.startsWith(QLatin1Char('-')) && a.size() > 1 && !a.at(1).isDigit()) {
            // "-1" is a (wrong) card number, not an option.
            if (!command.options.contains(a)) {
                *error =
                    QCoreApplication::translate("CardTool", "%1: unknown option %2").arg(command.name, a);
                return false;
            }
            line->options << a;
        } else {
            line->arguments << a;
        }
    }
    const qsizetype given = line->arguments.size();
    if (given < command.argumentCount || given > command.argumentCount + command.optionalArguments) {
        const QString expected = command.optionalArguments == 0
                                     ? QString::number(command.argumentCount)
                                     : QCoreApplication::translate("CardTool", "%1 to %2")
                                           .arg(command.argumentCount)
                                           .arg(command.argumentCount + command.optionalArguments);
        *error = QCoreApplication::translate("CardTool", "%1: %2 arguments expected, %3 given")
                     .arg(command.name, expected)
                     .arg(given);
        return false;
    }
    return true;
}

int runCommand(const QStringList &arguments, Console &console)
{
    if (arguments.isEmpty()) {
        printHelp(console.err);
        return Usage;
    }
    const QString &name = arguments.first();
    if (name == QLatin1String("help") || name == QLatin1String("--help") || name == QLatin1String("-h")) {
        printHelp(console.out);
        return Success;
    }
    if (name == QLatin1String("--version")) {
        console.out << Program << ' ' << version::Text << Qt::endl;
        return Success;
    }
    for (const Command &command : commands()) {
        if (command.name != name)
            continue;
        CommandLine line;
        QString error;
        if (!parse(command, arguments.mid(1), &line, &error)) {
            console.err << Program << ": " << error << '\n'
                        << QCoreApplication::translate("CardTool", "usage: %1")
                               .arg(Program + QLatin1Char(' ') + command.synopsis)
                        << Qt::endl;
            return Usage;
        }
        const int status = command.run(line, console);
        console.out.flush();
        console.err.flush();
        return status;
    }
    console.err << Program << ": "
                << QCoreApplication::translate("CardTool", "unknown command \"%1\"").arg(name) << '\n';
    printHelp(console.err);
    return Usage;
}

} // namespace

int runCardTool(const QStringList &arguments, Console &console)
{
    TerminalDevice outDevice(console.out);
    TerminalDevice errDevice(console.err);
    QTextStream out(&outDevice);
    QTextStream err(&errDevice);
    Console shown{out, err};
    const int status = runCommand(arguments, shown);
    out.flush();
    err.flush();
    return status;
}

} // namespace velmora::cards
