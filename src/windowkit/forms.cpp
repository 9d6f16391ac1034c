// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "forms.h"

#include <QCoreApplication>

#include <stdexcept>
#include <string>
#include <utility>

namespace velmora {

namespace {

int indexOf(FormName name)
{
    return static_cast<int>(name);
}

} // namespace

void Forms::registerForm(FormName name, Factory factory)
{
    m_factories[indexOf(name)] = std::move(factory);
}

QWidget *Forms::load(FormName name)
{
    if (QWidget *w = form(name))
        return w;
    const Factory &factory = m_factories[indexOf(name)];
    if (!factory)
        throw std::logic_error("no window is registered as window " + std::to_string(indexOf(name)));
    QWidget *w = factory();
    w->setAttribute(Qt::WA_DeleteOnClose);
    m_loaded[indexOf(name)] = w;
    return w;
}

void Forms::show(FormName name)
{
    QWidget *w = load(name);
    w->show();
    w->raise();
    w->activateWindow();
}

void Forms::unload(FormName name)
{
    // Hidden now, destroyed once control returns to the event loop: a window may unload
    // itself from one of its own handlers. Hiding rather than closing does not count as
    // the last window closing, so the program goes on to show the next one.
    QPointer<QWidget> w = std::exchange(m_loaded[indexOf(name)], nullptr);
    if (w) {
        if (auto *f = dynamic_cast<Form *>(w.data()))
            f->Form_Unload();
        w->hide();
        w->deleteLater();
    }
}

bool Forms::isLoaded(FormName name) const
{
    return form(name) != nullptr;
}

QWidget *Forms::form(FormName name) const
{
    return m_loaded[indexOf(name)].data();
}

void Forms::endProgram()
{
    const auto loaded = std::exchange(m_loaded, {});
    for (const QPointer<QWidget> &w : loaded)
        if (w) {
            if (auto *f = dynamic_cast<Form *>(w.data()))
                f->Form_Unload();
            w->hide();
            w->deleteLater();
        }
    if (onEnd)
        onEnd();
    else
        QCoreApplication::exit(0);
}

} // namespace velmora
