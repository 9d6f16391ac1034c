#pragma once

#include <QDate>
#include <QTime>

namespace velmora {

class Clock
{
public:
    virtual QDate today() = 0;
    virtual QTime now() = 0;

protected:
    ~Clock() = default;
};

} // namespace velmora
