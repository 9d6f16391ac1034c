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
