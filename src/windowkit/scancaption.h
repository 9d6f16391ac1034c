// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QElapsedTimer>
#include <QString>

#include <functional>

class QWidget;

namespace velmora {

// A long scan shows the card it examines in the window caption. The caption's text is
// exact for every card, but pushing it to the window system for each of a million cards
// would cost seconds: the title is pushed at a steady rate, and the window repaints
// without admitting user input, so no click or key slips into a running scan. Before
// anything modal opens, and when a scan ends, the latest caption goes up at once (see
// MainWindow, captionflush.h), so that the caption is exact whenever the user can look at it.
class ScanCaption
{
public:
    // A scan of a million cards lasts a small fraction of a second: pushed a hundred times
    // a second the caption still visibly moves during it, for a cost (some 20 µs a push on
    // X11) that the scan does not feel.
    static constexpr int IntervalMs = 10;

    // `scanText` gives the scan caption as it stands at the moment it is pushed.
    ScanCaption(QWidget *window, std::function<QString()> scanText);

    // Called for every card a scan examines (ShowSRN); cheap when it is not yet time to push.
    void examining(qint32 card)
    {
        m_due = true;
        if ((card & 0xFF) == 0 && m_timer.elapsed() >= IntervalMs)
            pushAndRepaint();
    }
    // The scan caption, if one is due, at once, and the interval starts again. No repaint: what follows (a
    // box's own event loop, or the application's) repaints anyway, and repainting here as well would paint
    // each full page of an exploration once more before its question, which costs more than
    // the scan itself.
    void flush();
    // A caption of the window's own (a card shown, the plain title), replacing any scan
    // caption still due, which would otherwise overwrite it at the next push.
    void set(const QString &caption);

private:
    void push();
    void pushAndRepaint();

    QWidget *m_window;
    std::function<QString()> m_scanText;
    QElapsedTimer m_timer;
    bool m_due = false; // examining() has a caption not yet pushed
};

} // namespace velmora
