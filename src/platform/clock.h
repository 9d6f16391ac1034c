#pragma once

#include <QDateTime>

namespace velmora {

class Clock
{
public:
    virtual ~Clock() = default;
    virtual QDate today() = 0;
    virtual QTime now() = 0;
};

// The page header line shared by the card list and the exploration pages:
// "Βελμόρα 3.0 Σερβαλίνη: Εκτυπώθηκε 6/12/2026, 09:05". Date first, then time, each
// read on its own.
QString printHeaderLine(Clock &clock);

} // namespace velmora
