// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "auxlook.h"

#include <QApplication>
#include <QFont>

namespace velmora {

QFont boldSansFont(qreal pointSize)
{
    QFont font = QApplication::font();
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}

QFont boldSerifFont(qreal pointSize)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}

} // namespace velmora
