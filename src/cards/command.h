// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QHash>
#include <QSet>
#include <QStringList>
#include <QTextStream>

#include <functional>

namespace velmora::cards {

// Where a command writes: its results to `out`, problems and errors to `err`.
struct Console
{
    QTextStream &out;
    QTextStream &err;
};

// A command's arguments once its options are taken out.
struct CommandLine
{
    QStringList arguments;
    QSet<QString> options;
    QHash<QString, QString> values; // of the options that take one: "--format" -> "ris"
    bool has(const QString &option) const { return options.contains(option); }
    QString value(const QString &option, const QString &otherwise) const
    {
        return values.value(option, otherwise);
    }
};

// Exit statuses of every command.
// Damaged: check found something wrong with the card file.
enum ExitStatus { Success = 0, Failure = 1, Usage = 2, Damaged = 3 };

struct Command
{
    QString name;
    QString synopsis;    // after the program's name: "import [--cut] CSV FILIS"
    const char *summary; // for the list of commands; in the "CardTool" context, translated when shown
    QStringList options; // "--format=" takes a value: "--format ris" or "--format=ris"
    int argumentCount;
    std::function<int(const CommandLine &, Console &)> run;
    int optionalArguments = 0; // that may follow the others: "restore FILIS [1|2]"
};

// Every command of the tool, in the order the help lists them.
const QList<Command> &commands();

// The tool as main() runs it, with the arguments after the program's name. Every line it
// writes to `console` is as shownOnTerminal() writes it (terminaldevice.h).
int runCardTool(const QStringList &arguments, Console &console);

// The commands, one source file each.
Command importCommand();
Command exportCommand();
Command checkCommand();
Command showCommand();
Command restoreCommand();

} // namespace velmora::cards
