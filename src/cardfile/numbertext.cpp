#include "numbertext.h"

namespace velmora {

QString NumberText(qint64 n)
{
    return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n);
}

} // namespace velmora
