// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "handlerguard.h"

#include <QAction>
#include <QKeySequence>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>

namespace velmora {

// Builds a window's menu bar entry by entry, each with its object name, caption, shortcut
// and handler, so that the code that makes a menu reads as its table. Key hints inside a
// caption are part of its text; the shortcut is what the menu shows on the right.
template<typename Window> class MenuBuilder
{
public:
    using Handler = void (Window::*)();

    explicit MenuBuilder(Window *window) : m_window(window)
    {
        window->menuBar()->setObjectName(QStringLiteral("menuBar"));
    }

    QMenu *menu(const char *name, const QString &title)
    {
        QMenu *m = m_window->menuBar()->addMenu(title);
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    }

    // An entry without a handler only names a key (F10 opens the menu bar).
    QAction *item(QMenu *menu, const char *name, const QString &caption, const QKeySequence &shortcut,
                  Handler handler)
    {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        if (handler) {
            Window *window = m_window;
            QObject::connect(action, &QAction::triggered, window,
                             guarded([window, handler] { (window->*handler)(); }));
        }
        return action;
    }

    QAction *separator(QMenu *menu, const char *name)
    {
        QAction *action = menu->addSeparator();
        action->setObjectName(QLatin1String(name));
        return action;
    }

private:
    Window *m_window;
};

} // namespace velmora
