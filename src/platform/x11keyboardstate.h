// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "keyboardstate.h"

namespace velmora {

// The Caps Lock and Num Lock lights as the X server keeps them. Other window systems
// (Wayland, and the headless one of the tests) do not tell.
class X11KeyboardState final : public KeyboardState
{
public:
    bool reports() override;
    bool isOn(Light light) override;
};

} // namespace velmora
