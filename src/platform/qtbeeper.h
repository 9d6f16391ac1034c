#pragma once

#include "beeper.h"

namespace velmora {

class QtBeeper final : public Beeper
{
public:
    void beep() override;
};

} // namespace velmora
