// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QStringList>

namespace velmora::cards {

// One CSV row as UTF-8, ended by a line feed. A value is quoted by libcsv when it holds
// a comma, a quote, a line break or blanks at either end, so that the reader gives back
// exactly the characters written; the others are written as they are, for people.
QByteArray csvRow(const QStringList &values);

} // namespace velmora::cards
