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
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_timer.restart();
}

} // namespace velmora
