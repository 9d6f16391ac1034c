#pragma once

#include "dialogs.h"

namespace velmora {

class QtBeeper : public Beeper
{
public:
    void beep() override;
};

} // namespace velmora
