// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "beeper.h"
#include "clock.h"
#include "filesystem.h"
#include "helpviewer.h"
#include "inputbox.h"
#include "keyboardstate.h"
#include "messagebox.h"
#include "paths.h"
#include "printdocument.h"
#include "programlauncher.h"
#include "settingsstore.h"

namespace velmora {

// Everything a window may do to the world outside it. The program hands every window
// the Qt implementations; the tests hand in fakes that record and answer from a script.
// Built with named fields: Platform{.messages = ..., .input = ..., ...}. Each service is a
// member of whoever provides it and never owned through its interface, whose destructor is
// protected for that reason.
struct Platform
{
    MessageBox &messages;
    InputBox &input;
    Beeper &beeper;
    Clock &clock;
    PrintDocument &printer;
    HelpViewer &help;
    SettingsStore &settings;
    ProgramLauncher &launcher;
    FileSystem &files;
    Paths &paths;
    KeyboardState &keyboard;
};

// Window titles and message box titles.
inline const QString AppTitle = QStringLiteral("Βελμόρα 3.0");

} // namespace velmora
