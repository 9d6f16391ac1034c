// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "numbertext.h"

namespace velmora {

QString NumberText(qint64 n)
{
    return n < 0 ? QString::number(n) : QLatin1Char(' ') + QString::number(n);
}

QString PrintedNumber(qint64 n)
{
    return NumberText(n) + QLatin1Char(' ');
}

} // namespace velmora
