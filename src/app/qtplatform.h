// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "desktopnotifier.h"
#include "helpbrowser.h"
#include "linuxsettingsstore.h"
#include "localfilesystem.h"
#include "platform.h"
#include "printdocument.h"
#include "qtbeeper.h"
#include "qtinputbox.h"
#include "qtmessagebox.h"
#include "qtprintrenderer.h"
#include "qtprogramlauncher.h"
#include "systemclock.h"
#include "x11keyboardstate.h"
#include "xdgpaths.h"

namespace velmora {

// The real world, as the program's windows reach it. Created once, after the
// QApplication, and kept for the life of the program, on the card file chosen at start.
class QtPlatform
{
public:
    // `installed`: the card file is the bibliography installed with the program.
    explicit QtPlatform(const QString &cardFile, bool installed = false);
    QtPlatform(const QtPlatform &) = delete;
    QtPlatform &operator=(const QtPlatform &) = delete;

    Platform &platform() { return m_platform; }
    // Where the program tells that a printed PDF file could not be opened from its notice.
    void whenPdfNotOpened(std::function<void(const QString &)> tell)
    {
        m_notices.whenNotOpened(std::move(tell));
    }

private:
    QtMessageBox m_messages;
    QtInputBox m_input;
    QtBeeper m_beeper;
    SystemClock m_clock;
    DesktopNotifier m_notices;
    QtPrintRenderer m_renderer{m_messages, m_clock, QString(), &m_notices};
    PrintDocument m_printer{m_renderer};
    HelpBrowser m_help{m_messages};
    LinuxSettingsStore m_settings;
    QtProgramLauncher m_launcher;
    LocalFileSystem m_files;
    XdgPaths m_paths;
    X11KeyboardState m_keyboard;
    Platform m_platform;
};

} // namespace velmora
