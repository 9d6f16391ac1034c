// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "commandline.h"

#include "fileops.h"
#include "terminaltext.h"
#include "version.h"

#include <QCommandLineParser>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStringDecoder>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>

namespace velmora {

namespace {

const QString Program = QStringLiteral("velmora");
const QString CardFileName = QStringLiteral("Filis.dat");

// The texts of QCommandLineParser that --help and the errors print, kept in the program's
// own translations: Debian's Qt carries none for the command line.
[[maybe_unused]] constexpr const char *ParserTexts[] = {
    QT_TRANSLATE_NOOP("QCommandLineParser", "Usage: %1"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "[options]"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Options:"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Arguments:"),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unknown option '%1'."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unknown options: %1."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Missing value after '%1'."),
    QT_TRANSLATE_NOOP("QCommandLineParser", "Unexpected value after '%1'."),
};

StartChoice leave(const QString &text, int status)
{
    StartChoice choice;
    choice.text = text;
    choice.status = status;
    return choice;
}

StartChoice refuse(const QString &problem)
{
    return leave(QCoreApplication::translate("CommandLine", "%1: %2\nTry '%1 --help' for more information.\n")
                     .arg(Program, problem),
                 UsageStatus);
}

// An argument as it can be shown on a terminal whatever its bytes.
QString escaped(const QByteArray &argument)
{
    QString shown;
    for (const char c : argument) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte >= 0x20 && byte < 0x7f)
            shown += QLatin1Char(c);
        else
            shown += QStringLiteral("\\x") + QString::number(byte, 16).toUpper().rightJustified(2, u'0');
    }
    return shown;
}

// The same file by whatever name: a symbolic or hard link, another spelling.
bool sameFile(const QString &a, const QString &b)
{
    const Result<struct stat> sa = statusAt(a);
    const Result<struct stat> sb = statusAt(b);
    return sa && sb && identityOf(*sa) == identityOf(*sb);
}

QString helpText(QCommandLineParser &parser)
{
    QString text = parser.helpText();
    // The parser names the program by the path it was started with, or by a placeholder
    // before there is an application object.
    const QString options = QLatin1Char(' ') + QCommandLineParser::tr("[options]");
    text.replace(0, text.indexOf(options), QCommandLineParser::tr("Usage: %1").arg(Program));
    return text + QCoreApplication::translate("CommandLine",
                                              "\nExit status: 0 done, 1 the card file could not be used or "
                                              "another\neditor has it, 2 wrong command line.\n");
}

} // namespace

StartChoice readCommandLine(const QByteArrayList &arguments, const StartFolders &folders)
{
    const QString installedCards = QDir::cleanPath(folders.data + QLatin1Char('/') + CardFileName);

    QCommandLineParser parser;
    parser.setApplicationDescription(QCoreApplication::translate(
        "CommandLine", "Consults the Servalini bibliography of history and archaeology, a card "
                       "file\nof 195-byte cards in Windows-1253."));
    const QCommandLineOption help({QStringLiteral("h"), QStringLiteral("help")},
                                  QCoreApplication::translate("CommandLine", "Displays this help."));
    const QCommandLineOption version({QStringLiteral("v"), QStringLiteral("version")},
                                     QCoreApplication::translate("CommandLine", "Displays the version."));
    const QCommandLineOption installed(
        QStringLiteral("installed"),
        QCoreApplication::translate(
            "CommandLine", "Without CARDFILE, opens the bibliography installed with the program, %1, "
                           "for reading only.")
            .arg(installedCards));
    const QCommandLineOption edit(
        QStringLiteral("edit"),
        QCoreApplication::translate("CommandLine",
                                    "Edits the card file: files the card on the screen (F12), adds (F3) and "
                                    "deletes cards. One editor at a time; the card file is copied beside it "
                                    "(%1.bak) before the first card is filed.")
            .arg(CardFileName));
    parser.addOptions({help, version, installed, edit});
    parser.addPositionalArgument(
        QStringLiteral("CARDFILE"),
        QCoreApplication::translate("CommandLine",
                                    "The card file to open, of any name, or a folder whose %1 is opened. "
                                    "Without it, %1 in the working folder. A %1 that is missing is created "
                                    "empty; a card file named in full must exist.")
            .arg(CardFileName),
        QStringLiteral("[CARDFILE]"));

    QStringList decoded{Program};
    for (const QByteArray &argument : arguments) {
        QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
        decoded << utf8(argument);
        // A name that cannot be held as text could not be opened by the same bytes again.
        if (utf8.hasError())
            return refuse(
                QCoreApplication::translate("CommandLine", "'%1' is not UTF-8 text").arg(escaped(argument)));
    }
    if (!parser.parse(decoded))
        return refuse(shownOnTerminal(parser.errorText()));
    if (parser.isSet(help))
        return leave(helpText(parser), 0);
    if (parser.isSet(version))
        return leave(QStringLiteral("%1 %2\n").arg(Program, QString::fromLatin1(version::Text)), 0);

    const QStringList named = parser.positionalArguments();
    if (named.size() > 1)
        return refuse(
            QCoreApplication::translate("CommandLine", "one CARDFILE at most, %1 given").arg(named.size()));

    StartChoice choice;
    choice.run = true;
    choice.edit = parser.isSet(edit);
    if (named.isEmpty()) {
        choice.cardFile =
            parser.isSet(installed) ? installedCards : QDir(folders.working).filePath(CardFileName);
        // Started in the installation's folder, the working folder's card file is the installed one.
        choice.installed = parser.isSet(installed) || sameFile(choice.cardFile, installedCards);
        return choice;
    }
    const QString &name = named.first();
    if (name.isEmpty())
        return refuse(QCoreApplication::translate("CommandLine", "the card file name is empty"));
    const QString path = QDir(folders.working).absoluteFilePath(name);
    const Result<struct stat> st = statusAt(path);
    if (!st)
        return refuse(QStringLiteral("%1: %2").arg(shownOnTerminal(name),
                                                   QString::fromLocal8Bit(std::strerror(st.error().error))));
    // Anything else that is no regular file is left to the card file, which says what it is.
    choice.cardFile = S_ISDIR(st->st_mode) ? QDir(path).filePath(CardFileName) : path;
    choice.installed = sameFile(choice.cardFile, installedCards);
    return choice;
}

QString createdEmptyNotice(const QString &cardFile)
{
    return QCoreApplication::translate("CommandLine",
                                       "%1: created the empty card file %2; 'velmora --installed' opens the "
                                       "bibliography installed with the program.\n")
        .arg(Program, shownOnTerminal(QDir::toNativeSeparators(cardFile)));
}

QString installedDataFolder()
{
    // From the program's own place, so that an installation moved elsewhere (a staging
    // folder, a package for another prefix) finds its own. A program run from its build
    // tree has none there: it names the folder it is configured to be installed with, as
    // its manual page does.
    const QString program = QFile::symLinkTarget(QStringLiteral("/proc/self/exe"));
    const QString beside =
        QDir::cleanPath(QFileInfo(program).absolutePath() + QStringLiteral("/" VELMORA_DATADIR_FROM_BINDIR));
    return QFileInfo(beside).isDir() ? beside : QStringLiteral(VELMORA_DATADIR);
}

} // namespace velmora
