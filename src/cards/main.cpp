// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// velmora-cards: Velmora's card file from the command line.

#include "command.h"
#include "failurewords.h"
#include "filedescriptor.h"

#include <QCoreApplication>
#include <QLocale>
#include <QTranslator>

#include <cstdio>

int main(int argc, char *argv[])
{
    // Closed by whoever started the tool, the standard error would be the card file's number
    // by the time a message is written to it.
    if (!velmora::openStandardStreams())
        return velmora::cards::Failure;
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmora-cards"));
    // The user's language, as velmora chooses it; English where the tool has no translation.
    // What it says of a failure is translated with the windows' words, and the citation
    // library's words, which import passes on, come with a translation of their own.
    QTranslator translator;
    QTranslator citationTranslator;
    if (translator.load(QLocale(), QStringLiteral("velmora-cards"), QStringLiteral("_"),
                        QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(&translator);
    QTranslator failureWords;
    if (velmora::loadFailureWords(failureWords, QLocale()))
        QCoreApplication::installTranslator(&failureWords);
    if (citationTranslator.load(QLocale(), QStringLiteral("velmora-citation"), QStringLiteral("_"),
                                QStringLiteral(":/i18n")))
        QCoreApplication::installTranslator(&citationTranslator);
    QTextStream out(stdout);
    QTextStream err(stderr);
    velmora::cards::Console console{out, err};
    return velmora::cards::runCardTool(QCoreApplication::arguments().mid(1), console);
}
