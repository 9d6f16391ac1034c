#include "systemclock.h"

namespace velmora {

QDate SystemClock::today()
{
    return QDate::currentDate();
}

QTime SystemClock::now()
{
    return QTime::currentTime();
}

} // namespace velmora
