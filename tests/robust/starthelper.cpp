// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Starts the program as main() does over the card file of the folder given, on the fakes,
// prints every message box it is asked to show, and ends with main()'s status: the card
// file failure status when the start failed, 0 when the card window came up. Run by
// tst_badcardfiles as a child process, as another user where the test needs one.

#include "cardfilefailure.h"
#include "fakes.h"
#include "frmtervani.h"
#include "startup.h"
#include <QApplication>

#include <QTimer>

#include <cstdio>

using namespace velmora;

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc < 2)
        return 2;
    test::TestPlatform tp(QString::fromLocal8Bit(argv[1]));
    Platform &platform = tp.platform();
    tp.messages.onShow = [](const test::MessageCall &m) {
        std::printf("message: %s|%s\n", qPrintable(m.title), qPrintable(m.prompt));
        std::fflush(stdout);
    };
    CardWindowSession session;
    registerForms(platform, tp.forms, session);
    installFailureHandler(platform);

    int status = CardFileFailureStatus;
    if (startProgram(platform, tp.forms)) {
        if (auto *w = tp.forms.form<frmTervani>(FormName::frmTervani))
            std::printf("caption: %s\n", qPrintable(w->windowTitle()));
        QTimer::singleShot(0, &app, [] { QCoreApplication::exit(0); });
        status = app.exec();
    }
    destroyRemainingWindows();
    return status;
}
