// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "windowcolours.h"

#include <QString>

class QFont;

namespace velmora {

// The program's icon and the splash window's title picture, from the resources.
inline const QString ProgramIconPath = QStringLiteral(":/images/velmora.png");
inline const QString TitlePicturePath = QStringLiteral(":/images/title.png");

// The system's own sans-serif family, bold, at the given size.
QFont boldSansFont(qreal pointSize);
// "Times New Roman" where it exists, otherwise the serif family that stands in for it.
QFont boldSerifFont(qreal pointSize);

} // namespace velmora
