#pragma once

#include "filesystem.h"

namespace velmora {

// The Caps Lock and Num Lock lights as the X server keeps them. Other window systems
// (and the headless one of the tests) do not tell, and both read as off.
class X11KeyboardState : public KeyboardState
{
public:
    bool capsLock() override;
    bool numLock() override;

private:
    bool indicator(const char *name);
};

} // namespace velmora
