// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "beeper.h"

namespace velmora {

class QtBeeper final : public Beeper
{
public:
    void beep() override;
};

} // namespace velmora
