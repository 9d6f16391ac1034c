#include "forms.h"

#include <QCoreApplication>

namespace velmora {

void Forms::registerForm(const QString &name, Factory factory)
{
    m_factories.insert(name, std::move(factory));
}

QWidget *Forms::load(const QString &name)
{
    if (QWidget *w = form(name))
        return w;
    const auto factory = m_factories.find(name);
    Q_ASSERT_X(factory != m_factories.end(), "Forms::load", qPrintable(name));
    QWidget *w = (*factory)();
    w->setAttribute(Qt::WA_DeleteOnClose);
    m_loaded.insert(name, w);
    return w;
}

void Forms::show(const QString &name)
{
    QWidget *w = load(name);
    w->show();
    w->raise();
    w->activateWindow();
}

void Forms::unload(const QString &name)
{
    // Hidden now, destroyed once control returns to the event loop: a window may unload
    // itself from one of its own handlers. Hiding rather than closing does not count as
    // the last window closing, so the program goes on to show the next one.
    QPointer<QWidget> w = m_loaded.take(name);
    if (w) {
        if (auto *f = dynamic_cast<Form *>(w.data()))
            f->Form_Unload();
        w->hide();
        w->deleteLater();
    }
}

bool Forms::isLoaded(const QString &name) const
{
    return form(name) != nullptr;
}

QWidget *Forms::form(const QString &name) const
{
    return m_loaded.value(name).data();
}

void Forms::endProgram()
{
    const auto loaded = m_loaded;
    m_loaded.clear();
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
