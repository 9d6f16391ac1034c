// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QSet>
#include <QString>

namespace velmora::citation {

// A BibTeX value's TeX as the text it prints: accents ({\'a}, \"o, \c{c}) as the accented
// letters, the special letters (\ss, \o, \ae), the escaped characters (\&, \%, \$), the text
// symbols the export writes (\textbackslash{} ...), dashes and quotes; braces, ties and the
// commands that only set the type (\emph, \textit ...) dropped. A command it does not know
// is dropped too, and named in `unknown`, its argument kept.
QString textOfTex(const QString &tex, QSet<QString> *unknown);

} // namespace velmora::citation
