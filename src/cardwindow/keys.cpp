// The window's key handler. An application-wide event filter hands it every key meant
// for a control of this window before the control sees it, as a focused line edit would
// otherwise take Alt+letter for itself and type the letter.

#include "frmtervani.h"

#include <QAction>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>

namespace velmora {

namespace {

constexpr int ShiftBit = 1;
constexpr int CtrlBit = 2;
constexpr int AltBit = 4;

// The standard Greek layout, key by key from A to Z, in capitals. Q carries no letter
// there, and W the final sigma, which has no capital of its own.
constexpr char16_t GreekByLatin[26 + 1] = u"ΑΒΨΔΕΦΓΗΙΞΚΛΜΝΟΠ-ΡΣΤΘΩ-ΧΥΖ";

int latinKeyOf(QChar ch)
{
    if (ch == u'ς') // the W key; in capitals it would pass for Σ, the S key
        return Qt::Key_W;
    const char16_t upper = ch.toUpper().unicode();
    if (upper >= u'A' && upper <= u'Z')
        return upper;
    for (int at = 0; at < 26; ++at)
        if (GreekByLatin[at] == upper)
            return Qt::Key_A + at;
    return 0;
}

// The Latin key that Qt's own key code names: a mnemonic is matched on that code, and on
// the Greek layout the W key (ς) carries the code of Σ, the mnemonic of the S key.
int latinKeyOfQtKey(int key)
{
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;
    if (key > 0 && key <= 0xFFFF && QChar(char16_t(key)).isLetter())
        return latinKeyOf(QChar(char16_t(key)));
    return 0;
}

// X keycodes of the letter rows (evdev codes + 8), for layouts with letters of neither
// alphabet: the key's position is all that is left.
int latinKeyOfScanCode(quint32 scanCode)
{
    static constexpr struct
    {
        quint8 code;
        char letter;
    } Keys[] = {{24, 'Q'}, {25, 'W'}, {26, 'E'}, {27, 'R'}, {28, 'T'}, {29, 'Y'}, {30, 'U'},
                {31, 'I'}, {32, 'O'}, {33, 'P'}, {38, 'A'}, {39, 'S'}, {40, 'D'}, {41, 'F'},
                {42, 'G'}, {43, 'H'}, {44, 'J'}, {45, 'K'}, {46, 'L'}, {52, 'Z'}, {53, 'X'},
                {54, 'C'}, {55, 'V'}, {56, 'B'}, {57, 'N'}, {58, 'M'}};
    for (const auto &k : Keys)
        if (k.code == scanCode)
            return k.letter;
    return 0;
}

// The key code the key map compares: a letter key gives its Latin capital whatever the
// layout, since the Alt combinations mean the key (on the Greek layout the key that types
// "η" is H); any other key gives Qt's key code.
int keyCodeOf(const QKeyEvent &event)
{
    const int key = event.key();
    if (key >= Qt::Key_A && key <= Qt::Key_Z)
        return key;
    const QString text = event.text();
    if (text.size() == 1 && text.front().isLetter())
        if (const int latin = latinKeyOf(text.front()))
            return latin;
    if (const int latin = latinKeyOfQtKey(key))
        return latin;
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("xcb") || platform.startsWith(QLatin1String("wayland")))
        if (const int latin = latinKeyOfScanCode(event.nativeScanCode()))
            return latin;
    return key;
}

int shiftMaskOf(Qt::KeyboardModifiers modifiers)
{
    return (modifiers & Qt::ShiftModifier ? ShiftBit : 0) | (modifiers & Qt::ControlModifier ? CtrlBit : 0) |
           (modifiers & Qt::AltModifier ? AltBit : 0);
}

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
