// Velmora: a bibliography of history and archaeology, one card at a time.

#include "auxlook.h"
#include "cardfilefailure.h"
#include "forms.h"
#include "frmtervani.h"
#include "qtplatform.h"
#include "startup.h"
#include "velmoraapplication.h"
#include "version.h"

#include <QIcon>

int main(int argc, char *argv[])
{
    using namespace velmora;

    VelmoraApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("velmora"));
    QCoreApplication::setApplicationVersion(QString::fromLatin1(version::Text));
    QGuiApplication::setDesktopFileName(QStringLiteral("org.velmora.Velmora"));
    QApplication::setWindowIcon(QIcon(ProgramIconPath));

    QtPlatform qtPlatform;
    Platform &platform = qtPlatform.platform();
    Forms forms;
    CardWindowSession session; // what the card window keeps across its reloads
    registerForms(platform, forms, session);
    installFailureHandler(app, platform);

    int status = CardFileFailureStatus;
    if (startProgram(platform, forms))
        status = app.exec();
    destroyRemainingWindows();
    return status;
}
