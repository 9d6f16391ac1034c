// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

#include <atomic>
#include <chrono>
#include <thread>

namespace velmora::bench {

// Watches a window's title from the X server, as another client would, on a connection and
// a thread of its own: every change the server announces is read back and kept. The
// window's own thread may be busy in a scan meanwhile; what counts is what reached the
// server.
class TitleSampler
{
public:
    struct Sample
    {
        double ms; // since start()
        QString title;
    };

    explicit TitleSampler(unsigned long window);
    ~TitleSampler();

    // False when no X display could be opened.
    bool start();
    void stop();
    const QList<Sample> &samples() const { return m_samples; }

    // True once the sampler listens to the window: changes before that are not seen.
    bool isListening() const { return m_listening; }

private:
    void run(void *display);

    unsigned long m_window;
    std::thread m_thread;
    std::atomic<bool> m_stop{false};
    std::atomic<bool> m_listening{false};
    std::chrono::steady_clock::time_point m_started;
    QList<Sample> m_samples;
};

// Milliseconds from `since` until a top-level window on the screen has a title holding
// `text`; -1 when none has after `timeoutMs`, or when there is no X display.
double waitForWindowTitled(const QString &text, int timeoutMs, std::chrono::steady_clock::time_point since);

} // namespace velmora::bench
