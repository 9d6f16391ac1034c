// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The window's key map: the keys its key handler (Form_KeyDown) answers before the
// focused control sees them.

#include "frmtervani.h"

#include "keypositions.h"

namespace velmora {

void frmTervani::installKeyMap()
{
    // Tested from the top; the first match runs. Page Down and Page Up run whatever is held
    // with them; the letters only with Alt alone, on the key that carries the button's
    // mnemonic on the Greek layout.
    KeyMap map({
        {Qt::Key_PageDown, AnyMask, [this] { cmdNext_Click(); }},
        {Qt::Key_PageUp, AnyMask, [this] { cmdPrevious_Click(); }},
        {Qt::Key_H, AltBit, [this] { cmdNext_Click(); }},
        {Qt::Key_P, AltBit, [this] { cmdPrevious_Click(); }},
        {Qt::Key_R, AltBit, [this] { cmdFindcode_Click(); }},
        {Qt::Key_I, AltBit, [this] { cmdFindISBN_Click(); }},
        {Qt::Key_S, AltBit, [this] { cmdFindAuthor_Click(); }},
        {Qt::Key_T, AltBit, [this] { cmdFindTitle_Click(); }},
        {Qt::Key_L, AltBit, [this] { cmdFindAlloi_Click(); }},
        {Qt::Key_O, AltBit, [this] { cmdFindEkdot_Click(); }},
        {Qt::Key_X, AltBit, [this] { cmdExit_Click(); }},
    });
    installKeys(std::move(map), true, [this] { updateLockPanels(); });
}

} // namespace velmora
