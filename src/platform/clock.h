// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QDate>
#include <QDeadlineTimer>
#include <QTime>

namespace velmora {

class Clock
{
public:
    virtual QDate today() = 0;
    virtual QTime now() = 0;
    // Milliseconds on a clock that never goes back, to tell how long something has taken.
    virtual qint64 monotonicMsecs() { return QDeadlineTimer::current().deadline(); }

protected:
    virtual ~Clock() = default;
};

} // namespace velmora
