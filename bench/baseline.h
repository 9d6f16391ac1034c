// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

namespace velmora::bench {

// What the machine itself needs for a scan: the card file read in large blocks and the
// text looked for in each card's title with memmem, in a plain C loop. Returns the number
// of cards whose title holds `needle` (bytes in the file's code page).
qint64 scanTitlesBaseline(const QString &path, const QByteArray &needle);

} // namespace velmora::bench
