// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "titlesampler.h"

#include <X11/Xatom.h>
#include <X11/Xlib.h>

#include <poll.h>

namespace velmora::bench {

namespace {

QString titleOf(Display *display, Window window, Atom name, Atom utf8)
{
    Atom type = None;
    int format = 0;
    unsigned long count = 0, after = 0;
    unsigned char *data = nullptr;
    QString title;
    if (XGetWindowProperty(display, window, name, 0, 1024, False, utf8, &type, &format, &count, &after,
                           &data) == Success &&
        data) {
        title = QString::fromUtf8(reinterpret_cast<const char *>(data), qsizetype(count));
    }
    if (data)
        XFree(data);
    return title;
}

} // namespace

TitleSampler::TitleSampler(unsigned long window) : m_window(window) {}

TitleSampler::~TitleSampler()
{
    stop();
}

bool TitleSampler::start()
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return false;
    m_samples.clear();
    m_stop = false;
    m_listening = false;
    m_started = std::chrono::steady_clock::now();
    m_thread = std::thread([this, display] { run(display); });
    return true;
}

void TitleSampler::stop()
{
    if (!m_thread.joinable())
        return;
    m_stop = true;
    m_thread.join();
}

void TitleSampler::run(void *opaque)
{
    auto *display = static_cast<Display *>(opaque);
    const Atom name = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const auto record = [&] {
        const double ms =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - m_started).count();
        const QString title = titleOf(display, m_window, name, utf8);
        if (m_samples.isEmpty() || m_samples.last().title != title)
            m_samples.append({ms, title});
    };

    XSelectInput(display, m_window, PropertyChangeMask);
    XSync(display, False);
    record();
    m_listening = true;
    pollfd fd{ConnectionNumber(display), POLLIN, 0};
    while (!m_stop) {
        if (XPending(display) == 0) {
            ::poll(&fd, 1, 2);
            continue;
        }
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == PropertyNotify && event.xproperty.atom == name)
            record();
    }
    // Whatever the server announced before the stop is still read.
    XSync(display, False);
    while (XPending(display) > 0) {
        XEvent event;
        XNextEvent(display, &event);
        if (event.type == PropertyNotify && event.xproperty.atom == name)
            record();
    }
    XCloseDisplay(display);
}

double waitForWindowTitled(const QString &text, int timeoutMs, std::chrono::steady_clock::time_point since)
{
    Display *display = XOpenDisplay(nullptr);
    if (!display)
        return -1;
    const Atom name = XInternAtom(display, "_NET_WM_NAME", False);
    const Atom utf8 = XInternAtom(display, "UTF8_STRING", False);
    const auto elapsed = [since] {
        return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - since).count();
    };
    double found = -1;
    while (found < 0 && elapsed() < timeoutMs) {
        Window root = 0, parent = 0;
        Window *children = nullptr;
        unsigned int count = 0;
        if (XQueryTree(display, DefaultRootWindow(display), &root, &parent, &children, &count)) {
            for (unsigned int i = 0; i < count && found < 0; ++i) {
                XWindowAttributes attributes;
                if (XGetWindowAttributes(display, children[i], &attributes) &&
                    attributes.map_state == IsViewable &&
                    titleOf(display, children[i], name, utf8).contains(text))
                    found = elapsed();
            }
            if (children)
                XFree(children);
        }
        if (found < 0)
            ::poll(nullptr, 0, 2);
    }
    XCloseDisplay(display);
    return found;
}

} // namespace velmora::bench
