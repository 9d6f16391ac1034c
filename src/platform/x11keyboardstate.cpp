// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "x11keyboardstate.h"

#include <QGuiApplication>

#if defined(VELMORA_HAVE_X11)
#include <QtGui/qguiapplication_platform.h>

#include <X11/XKBlib.h>
#endif

namespace velmora {

bool X11KeyboardState::reports()
{
#if defined(VELMORA_HAVE_X11) && QT_CONFIG(xcb)
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    return x11 && x11->display();
#else
    return false;
#endif
}

bool X11KeyboardState::isOn(Light light)
{
    const char *name = light == Light::CapsLock ? "Caps Lock" : "Num Lock";
#if defined(VELMORA_HAVE_X11) && QT_CONFIG(xcb)
    if (QGuiApplication::platformName() != QLatin1String("xcb"))
        return false;
    auto *x11 = qGuiApp->nativeInterface<QNativeInterface::QX11Application>();
    if (!x11 || !x11->display())
        return false;
    Display *display = x11->display();
    // Asked by name: which bit stands for which light depends on the keymap.
    const Atom atom = XInternAtom(display, name, True);
    if (atom == None)
        return false;
    Bool on = False;
    if (!XkbGetNamedIndicator(display, atom, nullptr, &on, nullptr, nullptr))
        return false;
    return on;
#else
    Q_UNUSED(name);
    return false;
#endif
}

} // namespace velmora
