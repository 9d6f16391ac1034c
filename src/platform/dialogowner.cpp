// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "dialogowner.h"

#include <QApplication>
#include <QDialog>
#include <QScreen>
#include <QWindow>

namespace velmora {

void detachFromActiveWindow(QDialog &dialog)
{
    dialog.setWindowModality(Qt::ApplicationModal);
    QWidget *active = QApplication::activeWindow();
    if (!active || active == &dialog)
        return;
    // A transient parent keeps the box above the window and tells the window manager
    // whose it is; Qt drops it by itself when that window goes first.
    dialog.winId();
    if (QWindow *own = dialog.windowHandle())
        own->setTransientParent(active->windowHandle());
    dialog.adjustSize();
    dialog.move(active->frameGeometry().center() - dialog.rect().center());
}

} // namespace velmora
