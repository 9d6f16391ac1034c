// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "printheader.h"

#include "clock.h"

namespace velmora {

QString printHeaderLine(Clock &clock)
{
    // Each part is read on its own, the date first.
    const QDate date = clock.today();
    const QTime time = clock.now();
    return QStringLiteral("Βελμόρα 3.0 Σερβαλίνη: Εκτυπώθηκε %1/%2/%3, %4")
        .arg(date.day())
        .arg(date.month())
        .arg(date.year(), 4, 10, QLatin1Char('0'))
        .arg(time.toString(QStringLiteral("HH:mm")));
}

} // namespace velmora
