#pragma once

namespace velmora {

class Beeper
{
public:
    virtual void beep() = 0;

protected:
    ~Beeper() = default;
};

} // namespace velmora
