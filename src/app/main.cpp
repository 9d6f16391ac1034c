// Velmora: a bibliography of history and archaeology, one card at a time.

#include "auxlook.h"
#include "cardeditsession.h"
#include "cardfile.h"
#include "cardfilefailure.h"
#include "commandline.h"
#include "forms.h"
#include "frmtervani.h"
#include "qtplatform.h"
#include "startup.h"
#include "version.h"

#include <QApplication>
#include <QDir>
#include <QIcon>

#include <cstdio>
#include <optional>

int main(int argc, char *argv[])
{
    using namespace velmora;

    // Read before there is an application object, which needs a display.
    const StartChoice choice =
        readCommandLine(QByteArrayList(argv + 1, argv + argc), {QDir::currentPath(), installedDataFolder()});
    if (!choice.run) {
        std::fputs(choice.text.toUtf8().constData(), choice.status == 0 ? stdout : stderr);
        return choice.status;
    }

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
        editing.emplace(platform.paths.exportFolder());
        if (!beginEditing(platform, *editing, choice.cardFile, choice.installed))
            return CardFileFailureStatus;
        session.editing = &*editing;
    } else {
        tellOfInterruptedEditing(platform, choice.cardFile);
    }
    registerForms(platform, forms, session);
    installFailureHandler(platform);

    int status = CardFileFailureStatus;
    if (startProgram(platform, forms))
        status = app.exec();
    destroyRemainingWindows();
    return status;
}
