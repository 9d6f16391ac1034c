// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Fails with a card file error in the way named by its argument, under the program's own
// failure handling, and prints every message box it is asked to show:
//   top        from a timer of the main event loop
//   nested     from a timer inside a modal loop inside a handler
//   cardwindow from the card window's button that opens the exploration window, after
//              the card file has turned into a folder
//   search     from the card window's title search, whose reading of the file fails
// A run that gets past the failure prints "carried on" and ends with status 0.

#include "cardfileerror.h"
#include "fakes.h"
#include "frmsplash.h"
#include "frmtervani.h"
#include "handlerguard.h"
#include "seam.h"
#include "startup.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QPushButton>
#include <QTimer>

#include <cstdio>
#include <optional>

using namespace velmora;

namespace {

[[noreturn]] void fail()
{
    throw CardFileError(Failure(Fault::System, EIO, QStringLiteral("/nowhere/Filis.dat")));
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    test::TestPlatform tp;
    tp.messages.onShow = [](const test::MessageCall &m) {
        std::printf("message: %s|%s\n", qPrintable(m.title), qPrintable(m.prompt));
        std::fflush(stdout);
    };
    CardWindowSession session;
    registerForms(tp.platform(), tp.forms, session);
    installFailureHandler(tp.platform());

    const QString mode = argc > 1 ? QString::fromLocal8Bit(argv[1]) : QString();
    std::optional<test::InterceptedCalls> intercepted;
    if (mode == QLatin1String("top")) {
        QTimer::singleShot(0, guarded([] { fail(); }));
    } else if (mode == QLatin1String("nested")) {
        QTimer::singleShot(0, guarded([] {
                               QEventLoop modal;
                               QTimer::singleShot(0, guarded([] { fail(); }));
                               modal.exec();
                               std::puts("modal loop ended");
                           }));
    } else if (mode == QLatin1String("cardwindow")) {
        tp.writeCards({test::card(QStringLiteral("1")), test::card(QStringLiteral("2"))});
        if (!startProgram(tp.platform(), tp.forms))
            return 3;
        tp.forms.form<frmSplash>(FormName::frmSplash)->tmrSplash_Timer();
        QFile::rename(tp.cardFile(), tp.cardFile() + QStringLiteral(".old"));
        QDir().mkdir(tp.cardFile());
        auto *cardWindow = tp.forms.form<frmTervani>(FormName::frmTervani);
        QTimer::singleShot(0, cardWindow, [cardWindow] { cardWindow->cmdMulti->click(); });
    } else if (mode == QLatin1String("search")) {
        tp.writeCards({test::card(QStringLiteral("1")), test::card(QStringLiteral("2"))});
        if (!startProgram(tp.platform(), tp.forms))
            return 3;
        tp.forms.form<frmSplash>(FormName::frmSplash)->tmrSplash_Timer();
        tp.input.answers << QStringLiteral("ΙΣΤΟΡΙΑ");
        intercepted.emplace();
        test::beforeCall = [](const test::CallSite &site) {
            return site.call == test::Call::Pread ? EIO : 0;
        };
        auto *cardWindow = tp.forms.form<frmTervani>(FormName::frmTervani);
        QTimer::singleShot(0, cardWindow, [cardWindow] { cardWindow->cmdFindTitle->click(); });
    } else {
        return 4;
    }
    QTimer::singleShot(2000, &app, [] { QCoreApplication::exit(0); });
    const int status = app.exec();
    std::puts("carried on");
    destroyRemainingWindows();
    return status;
}
