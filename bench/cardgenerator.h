// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace velmora::bench {

// Texts the generated cards hold a known number of times, for searches whose outcome the
// benchmark can check.
namespace planted {
// In the titles of about one card in a hundred: what the exploration looks for.
inline const QString TitleMarker = QStringLiteral("ΚΝΩΣΟΥ");
// Starts the ISBN of about one card in a hundred thousand.
inline const QString IsbnMarker = QStringLiteral("999-");
// In no card at all: what the full scans look for.
inline const QString Absent = QStringLiteral("ΘΕΡΜΟΠΥΛΩΝ");
} // namespace planted

struct GeneratedFile
{
    qint64 cards = 0;
    qint64 titleMarkers = 0; // cards whose title holds planted::TitleMarker
    qint64 isbnMarkers = 0;  // cards whose ISBN begins with planted::IsbnMarker
};

// Writes `cards` varied cards in Windows-1253: Greek titles, authors, publishers, small
// and capital letters, a few new and deleted cards. The same count always gives the same
// bytes. Throws std::runtime_error when the file cannot be written.
GeneratedFile writeCardFile(const QString &path, qint64 cards);

} // namespace velmora::bench
