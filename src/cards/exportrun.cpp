// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "exportrun.h"

#include "failurewords.h"

#include <QCoreApplication>

namespace velmora::cards {

namespace {

constexpr qsizetype FlushAt = 1 << 20;

} // namespace

ExportRun::ExportRun(Console &console) : m_console(console)
{
    m_text.reserve(FlushAt + (FlushAt >> 2));
}

bool ExportRun::open(const QString &cardPath, const QString &outPath)
{
    Result<void> opened = m_cards.open(cardPath);
    if (opened)
        opened = m_out.open(outPath, identityOf(cardPath));
    if (!opened)
        m_console.err << failureLine(opened.error()) << Qt::endl;
    return opened.has_value();
}

std::optional<QByteArray> ExportRun::stored(qint64 number)
{
    Result<QByteArray> bytes = m_cards.readStored(number);
    if (!bytes) {
        nothingWritten(bytes.error());
        return std::nullopt;
    }
    return std::move(*bytes);
}

void ExportRun::flushWhenFull()
{
    if (m_text.size() < FlushAt)
        return;
    m_out.write(m_text);
    m_text.truncate(0);
}

bool ExportRun::finish()
{
    m_out.write(m_text);
    m_text.truncate(0);
    if (const Result<void> committed = m_out.commit(); !committed)
        return nothingWritten(committed.error());
    return true;
}

bool ExportRun::nothingWritten(const velmora::Failure &why)
{
    m_console.err << QCoreApplication::translate("CardTool", "%1; nothing written").arg(failureLine(why))
                  << Qt::endl;
    return false;
}

} // namespace velmora::cards
