// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

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
