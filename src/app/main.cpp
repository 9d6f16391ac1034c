// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Velmora: a bibliography of history and archaeology, one card at a time.

#include "auxlook.h"
#include "cardeditsession.h"
#include "cardfile.h"
#include "cardfilefailure.h"
#include "commandline.h"
#include "filedescriptor.h"
#include "forms.h"
#include "frmtervani.h"
#include "programend.h"
#include "qtmessagebox.h"
#include "qtplatform.h"
#include "startup.h"
#include "version.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QIcon>
#include <QLocale>
#include <QTranslator>

#include <cstdio>
#include <cstdlib>
#include <optional>
#include <unistd.h>

namespace {

// No terminal to read the standard error, and a display to show a message on.
bool startedFromTheDesktop()
{
    return !::isatty(STDIN_FILENO) && !::isatty(STDERR_FILENO) &&
           (qEnvironmentVariableIsSet("DISPLAY") || qEnvironmentVariableIsSet("WAYLAND_DISPLAY"));
}

} // namespace

int main(int argc, char *argv[])
{
    using namespace velmora;
    // Before anything opens a file: a standard stream closed by whoever started the program
    // would otherwise lend its number to the card file.
    if (!openStandardStreams())
        return EXIT_FAILURE;
    ignoreFileSizeSignal();

    // Read under an application object that needs no display, which only carries the
    // command line's translation: the windows' texts are Greek whatever the locale.
    StartChoice choice;
    QString createdNotice;
    {
        int coreArgc = 1;
        QCoreApplication core(coreArgc, argv);
        QTranslator translator;
        if (translator.load(QLocale(), QStringLiteral("velmora"), QStringLiteral("_"),
                            QStringLiteral(":/i18n")))
            QCoreApplication::installTranslator(&translator);
        choice = readCommandLine(QByteArrayList(argv + 1, argv + argc),
                                 {QDir::currentPath(), installedDataFolder()});
        createdNotice = createdEmptyNotice(choice.cardFile);
    }
    if (!choice.run) {
        std::fputs(choice.text.toUtf8().constData(), choice.status == 0 ? stdout : stderr);
        // Started from the desktop, nobody reads the standard error: the error is shown too.
        if (choice.status != 0 && startedFromTheDesktop()) {
            int qtArgc = 1;
            QApplication app(qtArgc, argv);
            QtMessageBox().show(choice.text.trimmed(), AppTitle, Buttons::Ok, Icon::Exclamation);
        }
        return choice.status;
    }
    // The installed bibliography is never created; any other card file is, when missing.
    const bool cardFileMissing = !choice.installed && !QFileInfo::exists(choice.cardFile);

    // The command line is read: Qt is given none of it to interpret again.
    int qtArgc = 1;
    QApplication app(qtArgc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmora"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(version::Text));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velmora.Velmora"));
    QApplication::setWindowIcon(QIcon(ProgramIconPath));

    // The installed bibliography belongs to the package, even when root runs the program.
    QtPlatform qtPlatform(choice.cardFile, choice.installed);
    Platform &platform = qtPlatform.platform();
    Forms forms;
    CardWindowSession session; // what the card window keeps across its reloads
    // The keeper's backup goes beside the card file, or else into the user's data folder.
    std::optional<CardEditSession> editing;
    if (choice.edit) {
        editing.emplace(platform.paths.dataFolder());
        if (!beginEditing(platform, *editing, choice.cardFile, choice.installed))
            return CardFileFailureStatus;
        session.editing = &*editing;
    } else {
        tellOfInterruptedEditing(platform, choice.cardFile);
    }
    tellOfAnUnsafeDataFolder(platform);
    registerForms(platform, forms, session);
    qtPlatform.whenPdfNotOpened([&forms](const QString &text) { showInMessagePanel(forms, text); });
    installFailureHandler(platform);
    const ProgramEnd programEnd(forms); // a signal or a logout keeps the typing first

    int status = CardFileFailureStatus;
    if (startProgram(platform, forms)) {
        // Typed in the home folder, the usual first try, the program shows a blank card 1
        // of 1: say where it came from and how to reach the bibliography instead.
        if (cardFileMissing && QFileInfo(choice.cardFile).size() == 0 && QFileInfo::exists(choice.cardFile))
            std::fputs(createdNotice.toUtf8().constData(), stderr);
        status = app.exec();
    }
    destroyRemainingWindows();
    return status;
}
