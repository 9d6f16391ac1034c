// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QObject>

#include <functional>

class QKeyEvent;
class QMainWindow;

namespace velmora {

// The modifier mask a key binding names: 1 Shift, 2 Ctrl, 4 Alt, added together; AnyMask
// for a key that runs whatever is held with it.
constexpr int AnyMask = -1;

// One row of a window's key map: the key (a letter as its Latin capital, since the
// combinations mean the key's position, not the letter it types on the active layout),
// the exact mask it needs, and the command it runs.
struct KeyBinding
{
    int key;
    int mask;
    std::function<void()> command;
};

// A window's key map, tested from the top; the first row that matches runs.
class KeyMap
{
public:
    explicit KeyMap(QList<KeyBinding> bindings) : m_bindings(std::move(bindings)) {}

    const KeyBinding *find(int keyCode, int mask) const;
    // Runs the first matching row; false when no row matches.
    bool run(int keyCode, int mask) const;
    // A letter of the map typed with Alt and perhaps Shift: the buttons' mnemonics sit on
    // these letters and must not answer the key a second time.
    bool isAltLetter(int keyCode, int mask) const;

private:
    QList<KeyBinding> m_bindings;
};

// Hands a main window every key meant for it before the control that has the focus, as a
// focused line edit would otherwise take Alt+letter for itself and type the letter.
// Installed on the application; keys of other windows pass untouched. A key the map runs
// goes no further, so that neither the control nor its parents, to which a control passes
// the keys it ignores, run it again: one press, one command.
class WindowKeys : public QObject
{
public:
    struct Options
    {
        // The window's key handler (Form_KeyDown): key code and mask, true when it ran a command.
        std::function<bool(int keyCode, int mask)> keyDown;
        // Told whenever the keyboard lights may have changed.
        std::function<void()> locksChanged;
        // Whether holding a key down runs its command again and again.
        bool autoRepeat = true;
    };

    WindowKeys(QMainWindow *window, const KeyMap &map, Options options);
    ~WindowKeys() override;

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    bool claimsShortcut(QKeyEvent &key) const;
    bool isMenuShortcut(const QKeyEvent &key) const;

    QMainWindow *m_window;
    const KeyMap &m_map;
    Options m_options;
};

} // namespace velmora
