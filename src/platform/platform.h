#pragma once

#include "clock.h"
#include "dialogs.h"
#include "filesystem.h"
#include "forms.h"
#include "helpviewer.h"
#include "printdocument.h"
#include "settingsstore.h"

namespace velmora {

// Everything a window may do to the world outside it. The program hands every window
// the Qt implementations; the tests hand in fakes that record and answer from a script.
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
    Forms &forms;
};

// Window titles and message box titles.
inline const QString AppTitle = QStringLiteral("Βελμόρα 3.0");

} // namespace velmora
