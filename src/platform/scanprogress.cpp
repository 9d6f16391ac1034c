#include "scanprogress.h"

#include <QCoreApplication>

namespace velmora {

ScanProgress::ScanProgress(std::function<void()> push)
    : m_push(std::move(push))
{
    m_timer.start();
}

void ScanProgress::pushNow()
{
    m_push();
    m_timer.restart();
}

void ScanProgress::pushAndRepaint()
{
    pushNow();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

} // namespace velmora
