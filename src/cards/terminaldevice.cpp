// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "terminaldevice.h"

#include "terminaltext.h"

#include <QTextStream>

namespace velmora::cards {

TerminalDevice::TerminalDevice(QTextStream &to) : m_to(to)
{
    open(QIODevice::WriteOnly | QIODevice::Unbuffered);
}

qint64 TerminalDevice::writeData(const char *data, qint64 size)
{
    const QString text = m_utf8.decode(QByteArrayView(data, size));
    QStringList lines = text.split(QLatin1Char('\n'));
    for (QString &line : lines)
        line = shownOnTerminal(line);
    m_to << lines.join(QLatin1Char('\n'));
    m_to.flush();
    return size;
}

} // namespace velmora::cards
