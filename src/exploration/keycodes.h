#pragma once

#include <Qt>

class QKeyEvent;

namespace velmora {

// The key code a window's key handler compares. A letter key gives its Latin capital
// ('A' to 'Z') whatever layout is active: on the Greek layout the key that types "τ"
// is still T, as the handlers' Alt and Ctrl combinations mean the key, not the letter.
// Any other key gives Qt's key code.
int keyCodeOf(const QKeyEvent *event);

// The handlers' modifier mask: 1 Shift, 2 Ctrl, 4 Alt, added together.
int shiftMaskOf(Qt::KeyboardModifiers modifiers);

} // namespace velmora
