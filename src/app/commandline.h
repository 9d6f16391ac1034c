// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "terminaltext.h"

#include <QByteArrayList>
#include <QString>

namespace velmora {

// The exit status of a command line the program cannot follow.
constexpr int UsageStatus = 2;

// The folders a card file is looked for in when the command line names none.
struct StartFolders
{
    QString working; // the folder the program was started in
    QString data;    // the installation's share/velmora, found from the program's own place
};

// What the command line asks for: the card file to run on, or a text to print and a
// status to leave with.
struct StartChoice
{
    bool run = false;
    QString cardFile;       // absolute
    bool installed = false; // the card file is the bibliography installed with the program
    bool edit = false;      // the keeper asked to file, add and delete cards
    QString text;           // on the standard output for status 0, else on the standard error
    int status = 0;
};

// Reads the arguments that follow the program's name, as the system passed them. Looks
// at the file system, never changes it. Its texts are in the language of the translator
// installed on the application object, English without one.
StartChoice readCommandLine(const QByteArrayList &arguments, const StartFolders &folders);

// Said on the standard error when the program has just made `cardFile`, empty, because
// it was missing: a first start in the home folder opens that rather than the
// installed bibliography.
QString createdEmptyNotice(const QString &cardFile);

// The installation's data folder as seen from this running program's own file, or the
// configured one where there is none (a program in its build tree). Needs no application
// object.
QString installedDataFolder();

} // namespace velmora
