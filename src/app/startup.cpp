// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "startup.h"

#include "cardeditsession.h"
#include "cardfileerror.h"
#include "cardfilefailure.h"
#include "cardjournal.h"
#include "fileops.h"
#include "frmabout.h"
#include "frmhelp.h"
#include "frmmulti.h"
#include "frmsplash.h"
#include "frmtervani.h"
#include "greekfailure.h"
#include "handlerguard.h"
#include "platform.h"

#include <QApplication>
#include <QFileInfo>
#include <QPointer>

#include <cstdio>
#include <memory>

namespace velmora {

namespace {

// A window whose load step throws is destroyed before the error goes on.
template<typename Window, typename... Args> Forms::Factory factoryOf(Args &...args)
{
    return [&args...]() -> QWidget * {
        auto window = std::make_unique<Window>(args...);
        window->Form_Load();
        return window.release();
    };
}

} // namespace

void registerForms(Platform &platform, Forms &forms, CardWindowSession &session)
{
    forms.registerForm(FormName::frmSplash, factoryOf<frmSplash>(platform, forms));
    forms.registerForm(FormName::frmTervani, factoryOf<frmTervani>(platform, forms, session));
    forms.registerForm(FormName::frmMulti, factoryOf<frmMulti>(platform, forms));
    forms.registerForm(FormName::frmAbout, factoryOf<frmAbout>(platform, forms));
    forms.registerForm(FormName::frmHelp, factoryOf<frmHelp>(platform, forms));
}

void installFailureHandler(Platform &platform)
{
    setHandlerFailureReporter([&platform](const CardFileError &error) {
        reportCardFileError(platform, error);
        leaveAfterFailure(CardFileFailureStatus);
    });
}

namespace {

// `left`: also a journal left alone, which the card window names when the undo refused
// editing.
void tellOfJournal(Platform &platform, const QString &cardFile, bool left)
{
    const std::optional<JournalVerdict> verdict =
        editingWasInterrupted(cardFile, platform.paths.dataFolder());
    if (!verdict)
        return;
    if (verdict->action != JournalAction::Undo) {
        if (left)
            platform.messages.show(greekText(verdict->why), AppTitle, Buttons::Ok, Icon::Exclamation);
        return;
    }
    platform.messages.show(QStringLiteral("Μια διόρθωση του αρχείου καρτελλών διακόπηκε στη μέση μιας "
                                          "καταχώρισης. Το αρχείο δείχνεται όπως είναι· η επόμενη διόρθωση "
                                          "(velmora --edit) θα το επαναφέρει όπως ήταν πριν από αυτήν."),
                           AppTitle, Buttons::Ok, Icon::Exclamation);
}

} // namespace

void tellOfInterruptedEditing(Platform &platform, const QString &cardFile)
{
    tellOfJournal(platform, cardFile, true);
}

void tellOfAnUnsafeDataFolder(Platform &platform)
{
    const QString folder = platform.paths.dataFolder();
    if (!QFileInfo::exists(folder))
        return;
    const Result<void> safe = checkOwnFolder(folder);
    if (safe)
        return;
    const QString text =
        greekText(safe.error()) +
        QStringLiteral("\nΤο πρόγραμμα δεν γράφει τίποτα εκεί: ούτε σελίδες Διερευνήσεων, ούτε "
                       "αντίγραφα ασφαλείας, ούτε ό,τι πληκτρολογείται για ανάκτηση.");
    std::fputs((text + QLatin1Char('\n')).toUtf8().constData(), stderr);
    platform.messages.show(text, AppTitle, Buttons::Ok, Icon::Exclamation);
}

bool beginEditing(Platform &platform, CardEditSession &editing, const QString &cardFile, bool installed)
{
    if (installed) {
        tellOfInterruptedEditing(platform, cardFile);
        return true;
    }
    // A filing undone here is told by the card window, which puts its card back on the screen.
    const Result<void> begun = editing.begin(cardFile);
    QStringList leftAlone;
    for (const Failure &why : editing.takeLeftAlone())
        leftAlone << greekText(why);
    if (!leftAlone.isEmpty())
        platform.messages.show(leftAlone.join(QLatin1Char('\n')), AppTitle, Buttons::Ok, Icon::Exclamation);
    if (const std::optional<Failure> unused = begun ? editing.takeLockFileUnused() : std::nullopt)
        platform.messages.show(greekText(*unused), AppTitle, Buttons::Ok, Icon::Exclamation);
    if (begun)
        return true;
    // Any other failure leaves the file to be read, and the card window says why; of a
    // journal that could not be undone, it alone: the next edit would not undo it either.
    if (!heldByAnother(begun.error())) {
        tellOfJournal(platform, cardFile, begun.error().stage != Stage::Undo);
        return true;
    }
    platform.messages.show(greekText(begun.error()), AppTitle, Buttons::Ok, Icon::Exclamation);
    return false;
}

bool startProgram(Platform &platform, Forms &forms)
{
    try {
        forms.load(FormName::frmSplash);
        return true;
    } catch (const CardFileError &error) {
        reportCardFileError(platform, error);
        return false;
    }
}

void showInMessagePanel(Forms &forms, const QString &text)
{
    // The two main windows take turns: one is on the screen at a time.
    for (const FormName name : {FormName::frmMulti, FormName::frmTervani})
        if (auto *window = forms.form<MainWindow>(name); window && window->isVisible()) {
            window->StatusBar1.setMessage(text);
            return;
        }
}

void destroyRemainingWindows()
{
    QList<QPointer<QWidget>> windows;
    const auto topLevel = QApplication::topLevelWidgets();
    for (QWidget *w : topLevel)
        if (!w->parentWidget())
            windows << w;
    for (const QPointer<QWidget> &w : windows)
        delete w.data();
}

} // namespace velmora
