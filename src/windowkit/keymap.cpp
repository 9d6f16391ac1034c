// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "keymap.h"

#include "handlerguard.h"

#include "keypositions.h"

#include <QAction>
#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenuBar>

namespace velmora {

const KeyBinding *KeyMap::find(int keyCode, int mask) const
{
    for (const KeyBinding &row : m_bindings)
        if (row.key == keyCode && (row.mask == AnyMask || row.mask == mask))
            return &row;
    return nullptr;
}

bool KeyMap::run(int keyCode, int mask) const
{
    const KeyBinding *row = find(keyCode, mask);
    if (!row)
        return false;
    row->command();
    return true;
}

bool KeyMap::isAltLetter(int keyCode, int mask) const
{
    if (mask < 0 || (mask & (AltBit | CtrlBit)) != AltBit)
        return false;
    for (const KeyBinding &row : m_bindings)
        if (row.mask == AltBit && row.key == keyCode)
            return true;
    return false;
}

WindowKeys::WindowKeys(QMainWindow *window, const KeyMap &map, Options options)
    : QObject(window), m_window(window), m_map(map), m_options(std::move(options))
{
    qApp->installEventFilter(this);
}

WindowKeys::~WindowKeys()
{
    qApp->removeEventFilter(this);
}

bool WindowKeys::isMenuShortcut(const QKeyEvent &key) const
{
    const QKeySequence pressed(QKeyCombination(
        key.modifiers() & (Qt::ShiftModifier | Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier),
        Qt::Key(key.key())));
    const auto actions = m_window->findChildren<QAction *>();
    for (const QAction *action : actions)
        if (action->isEnabled() && action->isVisible() && action->shortcut() == pressed)
            return true;
    return false;
}

bool WindowKeys::claimsShortcut(QKeyEvent &key) const
{
    const int code = keyCodeOf(key);
    const int mask = shiftMaskOf(key.modifiers());
    // Claimed as a plain key press, so that no mnemonic or menu shortcut answers it as well.
    if (m_map.find(code, mask) || m_map.isAltLetter(code, mask) ||
        m_map.isAltLetter(latinKeyOfQtKey(key.key()), mask)) {
        key.accept();
        return true;
    }
    // A menu shortcut comes before a field's own use of the key (Ctrl+A selects all).
    if (isMenuShortcut(key)) {
        key.ignore();
        return true;
    }
    return false;
}

bool WindowKeys::eventFilter(QObject *watched, QEvent *event)
{
    const QEvent::Type type = event->type();
    if (type == QEvent::WindowActivate) {
        if (watched == m_window && m_options.locksChanged)
            m_options.locksChanged();
        return false;
    }
    if (type != QEvent::ShortcutOverride && type != QEvent::KeyPress && type != QEvent::KeyRelease)
        return false;
    if (!watched->isWidgetType() || static_cast<QWidget *>(watched)->window() != m_window)
        return false;

    auto *key = static_cast<QKeyEvent *>(event);
    // The Super key belongs to the desktop: nothing here answers a key held with it.
    if (key->modifiers() & Qt::MetaModifier)
        return false;
    if (type == QEvent::ShortcutOverride)
        return claimsShortcut(*key);
    if (m_options.locksChanged)
        m_options.locksChanged();
    if (type == QEvent::KeyRelease)
        return false;
    if (key->isAutoRepeat() && !m_options.autoRepeat) {
        // Swallowed when it would run a command, so that holding a key starts nothing twice.
        if (m_map.find(keyCodeOf(*key), shiftMaskOf(key->modifiers()))) {
            key->accept();
            return true;
        }
        return false;
    }

    const int mask = shiftMaskOf(key->modifiers());
    if (key->key() == Qt::Key_F10 && mask == 0) {
        // F10 opens the menu bar, as it does on the system the program was made for.
        const QList<QAction *> menus = m_window->menuBar()->actions();
        if (!menus.isEmpty())
            m_window->menuBar()->setActiveAction(menus.first());
        key->accept();
        return true;
    }
    bool ran = false;
    runGuarded([&] { ran = m_options.keyDown(keyCodeOf(*key), mask); });
    if (ran) {
        key->accept();
        return true;
    }
    // A letter typed with Alt is a command or nothing: it never lands in a field. (AltGr,
    // which types the third letter of a key, is not Alt here.)
    if ((mask & AltBit) && !key->text().isEmpty() && key->text().front().isPrint()) {
        key->accept();
        return true;
    }
    return false;
}

} // namespace velmora
