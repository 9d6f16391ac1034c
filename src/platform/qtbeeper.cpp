#include "qtbeeper.h"

#include <QApplication>

namespace velmora {

void QtBeeper::beep()
{
    QApplication::beep();
}

} // namespace velmora
