// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "keyboardstate.h"

#include <QList>
#include <QString>

class QLabel;
class QMainWindow;

namespace velmora {

// StatusBar1 of a main window: a row of sunken panels, numbered from 1 as the program
// names them. Panel 2, the widest, is the program's message area.
class StatusPanels
{
public:
    static constexpr int MessagePanel = 2;

    StatusPanels(QMainWindow *window, int count);

    QLabel *panel(int number) const { return m_panels.at(number - 1); }
    int count() const { return int(m_panels.size()); }
    QString message() const;
    void setMessage(const QString &text);
    // A lock key's panel: its name, greyed while the light is off; blank where the
    // platform does not tell, rather than saying off.
    void showLight(int number, const QString &name, KeyboardState &keyboard, KeyboardState::Light light);

private:
    QList<QLabel *> m_panels;
};

} // namespace velmora
