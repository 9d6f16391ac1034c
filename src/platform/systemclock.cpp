// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

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
