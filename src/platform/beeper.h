// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

namespace velmora {

class Beeper
{
public:
    virtual void beep() = 0;

protected:
    virtual ~Beeper() = default;
};

} // namespace velmora
