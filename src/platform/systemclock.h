#pragma once

#include "clock.h"

namespace velmora {

// The computer's own date and time, in local time.
class SystemClock final : public Clock
{
public:
    QDate today() override;
    QTime now() override;
};

} // namespace velmora
