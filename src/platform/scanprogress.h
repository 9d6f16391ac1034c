#pragma once

#include <QElapsedTimer>

#include <functional>

namespace velmora {

// A long scan shows the card it examines in the window caption. The caption's text is
// exact for every card, but pushing it to the window system for each of a million cards
// would cost seconds: the title is pushed at a steady rate, and the window repaints
// without admitting user input, so no click or key slips into a running scan.
class ScanProgress
{
public:
    // A scan of a million cards lasts a small fraction of a second: pushed a hundred times
    // a second the caption still visibly moves during it, for a cost (some 20 µs a push on
    // X11) that the scan does not feel.
    static constexpr int IntervalMs = 10;

    explicit ScanProgress(std::function<void()> push);
    // Called for every card examined; cheap when it is not yet time to push.
    void tick(qint32 card)
    {
        if ((card & 0xFF) == 0 && m_timer.elapsed() >= IntervalMs)
            pushAndRepaint();
    }
    // The caption alone, at once: before anything modal is shown and at the end of a scan.
    // Both are followed by an event loop (the box's own, or the application's) that
    // repaints the window; repainting here as well would paint each full page of an
    // exploration once more before its question, which costs more than the scan itself.
    void pushNow();

private:
    void pushAndRepaint();

    std::function<void()> m_push;
    QElapsedTimer m_timer;
};

} // namespace velmora
