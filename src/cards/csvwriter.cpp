// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "csvwriter.h"

#include <csv.h>

namespace velmora::cards {

namespace {

bool needsQuotes(const QByteArray &value)
{
    if (value.isEmpty())
        return false;
    return value.front() == ' ' || value.back() == ' ' || value.contains(',') || value.contains('"') ||
           value.contains('\n') || value.contains('\r');
}

} // namespace

QByteArray csvRow(const QStringList &values)
{
    QByteArray row;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0)
            row += ',';
        const QByteArray value = values[i].toUtf8();
        if (!needsQuotes(value)) {
            row += value;
            continue;
        }
        // Two quotes around it, and every quote inside doubled: at most 2n + 2 bytes.
        QByteArray quoted(2 * value.size() + 2, Qt::Uninitialized);
        const size_t used =
            csv_write(quoted.data(), size_t(quoted.size()), value.constData(), size_t(value.size()));
        quoted.truncate(qsizetype(used));
        row += quoted;
    }
    row += '\n';
    return row;
}

} // namespace velmora::cards
