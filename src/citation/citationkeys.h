// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "bookfields.h"

#include <QHash>
#include <QString>

namespace velmora::citation {

// The first author's family name in Latin letters, by ELOT 743 (ISO 843) through ICU's
// Greek-Latin/UNGEGN transform, reduced to ASCII letters: "ΤΡΙΚΟΥΠΗΣ" -> "Trikoupis".
QString latinName(const QString &text);

// Citation keys in ASCII: family name and year ("Trikoupis1853"), "-nd" for no date, and a
// second, third ... book with the same ones "Trikoupis1853b", "Trikoupis1853c". A key never
// equals another: the family is letters only, so the year or "-nd" ends it unambiguously.
// Memory grows with the distinct name-year pairs, not with the cards.
class CitationKeys
{
public:
    QString next(const Book &book);

private:
    QHash<QString, qint64> m_used;
};

} // namespace velmora::citation
