#include "scancaption.h"

#include <QCoreApplication>
#include <QWidget>

namespace velmora {

ScanCaption::ScanCaption(QWidget *window, std::function<QString()> scanText)
    : m_window(window), m_scanText(std::move(scanText))
{
    m_timer.start();
}

void ScanCaption::flush()
{
    if (m_due)
        push();
}

void ScanCaption::set(const QString &caption)
{
    m_due = false;
    m_window->setWindowTitle(caption);
}

void ScanCaption::push()
{
    m_due = false;
    m_window->setWindowTitle(m_scanText());
    m_timer.restart();
}

void ScanCaption::pushAndRepaint()
{
    push();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace velmora
