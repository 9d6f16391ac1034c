// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

class QDialog;

namespace velmora {

// Readies a modal box or input box that belongs to no widget: application-modal, and
// placed over the window that is active when it opens, as a child box would be. Owned by
// that window, it would be deleted with it: the splash closes itself on a timer and takes
// its children along, a box still open among them.
void detachFromActiveWindow(QDialog &dialog);

} // namespace velmora
