// The window's key handler. An application-wide event filter hands it every key meant
// for a control of this window before the control sees it, as a focused line edit would
// otherwise take Alt+letter for itself and type the letter.

#include "frmtervani.h"

#include "keycodes.h"

#include <QAction>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace velmora {

namespace {

struct KeyCommand
{
    int key;
    bool altAlone; // the modifier mask must be exactly Alt; otherwise any mask
    void (frmTervani::*command)();
};

// Tested from the top; the first match runs.
constexpr KeyCommand KeyMap[] = {
    {Qt::Key_PageDown, false, &frmTervani::cmdNext_Click},
    {Qt::Key_PageUp, false, &frmTervani::cmdPrevious_Click},
    {Qt::Key_H, true, &frmTervani::cmdNext_Click},
    {Qt::Key_P, true, &frmTervani::cmdPrevious_Click},
    {Qt::Key_R, true, &frmTervani::cmdFindcode_Click},
    {Qt::Key_I, true, &frmTervani::cmdFindISBN_Click},
    {Qt::Key_S, true, &frmTervani::cmdFindAuthor_Click},
    {Qt::Key_T, true, &frmTervani::cmdFindTitle_Click},
    {Qt::Key_L, true, &frmTervani::cmdFindAlloi_Click},
    {Qt::Key_O, true, &frmTervani::cmdFindEkdot_Click},
    {Qt::Key_X, true, &frmTervani::cmdExit_Click},
};

const KeyCommand *findKeyCommand(int keyCode, int shift)
{
    for (const KeyCommand &row : KeyMap)
        if (row.key == keyCode && (!row.altAlone || shift == AltBit))
            return &row;
    return nullptr;
}

// A letter of the key map typed with Alt and perhaps Shift: the buttons' mnemonics sit on
// these letters, and must not answer the key a second time.
bool isKeyMapLetter(int keyCode, int shift)
{
    if ((shift & (AltBit | CtrlBit)) != AltBit)
        return false;
    for (const KeyCommand &row : KeyMap)
        if (row.altAlone && row.key == keyCode)
            return true;
    return false;
}

} // namespace

bool frmTervani::Form_KeyDown(int keyCode, int shift)
{
    const KeyCommand *row = findKeyCommand(keyCode, shift);
    if (!row)
        return false;
    (this->*row->command)();
    return true;
}

bool frmTervani::isMenuShortcut(const QKeyEvent &key) const
{
    const QKeySequence pressed(QKeyCombination(
        key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier),
        Qt::Key(key.key())));
    const auto actions = findChildren<QAction *>();
    for (const QAction *action : actions)
        if (action->isEnabled() && action->isVisible() && action->shortcut() == pressed)
            return true;
    return false;
}

void frmTervani::activateMenuBar()
{
    menuBar()->setActiveAction(mnuFile->menuAction());
}

bool frmTervani::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::WindowActivate) {
        if (watched == this)
            updateLockPanels();
        return false;
    }
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    if (!watched->isWidgetType() || static_cast<QWidget *>(watched)->window() != this)
        return false;

    auto *key = static_cast<QKeyEvent *>(event);
    if (type == QEvent::KeyRelease) {
        updateLockPanels();
        return false;
    }
    const int code = keyCodeOf(*key);
    const int shift = shiftMaskOf(key->modifiers());

    if (type == QEvent::ShortcutOverride) {
        // Claimed as a plain key press, so that no mnemonic answers it as well: one press,
        // one command.
        if (findKeyCommand(code, shift) || isKeyMapLetter(code, shift) ||
            isKeyMapLetter(latinKeyOfQtKey(key->key()), shift)) {
            key->accept();
            return true;
        }
        // A menu shortcut comes before a field's own use of the key (Ctrl+A selects all).
        if (isMenuShortcut(*key)) {
            key->ignore();
            return true;
        }
        return false;
    }

    updateLockPanels();
    if (key->key() == Qt::Key_F10 && shift == 0) {
        activateMenuBar();
        key->accept();
        return true;
    }
    // The command runs once; the key goes no further, so that neither the control nor its
    // parents, to which a control passes the keys it ignores, run it again.
    if (Form_KeyDown(code, shift)) {
        key->accept();
        return true;
    }
    // A letter typed with Alt is a command or nothing: it never lands in a field. (AltGr,
    // which types the third letter of a key, is not Alt here.)
    if ((shift & AltBit) && !key->text().isEmpty() && key->text().front().isPrint()) {
        key->accept();
        return true;
    }
    return false;
}

} // namespace velmora
