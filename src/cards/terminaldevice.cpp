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
    m_to << shownOnTerminalByLine(m_utf8.decode(QByteArrayView(data, size)));
    m_to.flush();
    return size;
}

} // namespace velmora::cards
