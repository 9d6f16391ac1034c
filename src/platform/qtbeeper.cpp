// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qtbeeper.h"

#include <QApplication>

namespace velmora {

void QtBeeper::beep()
{
    QApplication::beep();
}

} // namespace velmora
