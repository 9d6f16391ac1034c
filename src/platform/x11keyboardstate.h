#pragma once

#include "keyboardstate.h"

namespace velmora {

// The Caps Lock and Num Lock lights as the X server keeps them. Other window systems
// (and the headless one of the tests) do not tell, and both read as off.
class X11KeyboardState final : public KeyboardState
{
public:
    bool isOn(Light light) override;
};

} // namespace velmora
