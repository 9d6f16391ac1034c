#include "startup.h"

#include "cardeditsession.h"
#include "cardfilefailure.h"
#include "cardjournal.h"
#include "frmabout.h"
#include "frmhelp.h"
#include "frmmulti.h"
#include "frmsplash.h"
#include "frmtervani.h"
#include "handlerguard.h"
#include "platform.h"

#include <QApplication>
#include <QPointer>

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

void tellOfInterruptedEditing(Platform &platform, const QString &cardFile)
{
    if (!editingWasInterrupted(cardFile, platform.paths.exportFolder()))
        return;
    platform.messages.show(QStringLiteral("Μια διόρθωση του αρχείου καρτελλών διακόπηκε στη μέση μιας "
                                          "καταχώρισης. Το αρχείο δείχνεται όπως είναι· η επόμενη διόρθωση "
                                          "(velmora --edit) θα το επαναφέρει όπως ήταν πριν από αυτήν."),
                           AppTitle, Buttons::Ok, Icon::Exclamation);
}

bool beginEditing(Platform &platform, CardEditSession &editing, const QString &cardFile, bool installed)
{
    if (installed) {
        tellOfInterruptedEditing(platform, cardFile);
        return true;
    }
    const Result<void> begun = editing.begin(cardFile);
    if (begun) {
        if (editing.undidInterruptedFiling())
            platform.messages.show(QStringLiteral("Μια καταχώριση καρτέλλας που είχε διακοπεί αναιρέθηκε: το "
                                                  "αρχείο καρτελλών είναι όπως ήταν πριν από αυτήν."),
                                   AppTitle, Buttons::Ok, Icon::Information);
        return true;
    }
    // Any other failure leaves the file to be read, and the card window says why.
    if (!heldByAnother(begun.error())) {
        tellOfInterruptedEditing(platform, cardFile);
        return true;
    }
    platform.messages.show(begun.error().reason, AppTitle, Buttons::Ok, Icon::Exclamation);
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
