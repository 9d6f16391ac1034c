// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <Qt>

class QKeyEvent;

namespace velmora {

// The modifier mask the windows' key handlers compare: 1 Shift, 2 Ctrl, 4 Alt.
constexpr int ShiftBit = 1;
constexpr int CtrlBit = 2;
constexpr int AltBit = 4;
int shiftMaskOf(Qt::KeyboardModifiers modifiers);

// The key code a window's key handler compares. A letter key gives its Latin capital
// ('A' to 'Z') whatever layout is active, since the Alt and Ctrl combinations mean the
// key, not the letter: on the Greek layout the key that types "η" is still H. Any other
// key gives Qt's key code.
int keyCodeOf(const QKeyEvent &event);

// The Latin key that Qt's own key code names, or 0. A button's mnemonic is matched on
// that code, and on the Greek layout the W key (ς) carries the code of Σ, the S key.
int latinKeyOfQtKey(int key);

} // namespace velmora
