// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "captions.h"

#include "numbertext.h"

namespace velmora {

QString cardCaption(qint32 card, qint32 cardCount)
{
    return PlainTitle + QStringLiteral(" - Καρτέλλα: ") + NumberText(card) + QStringLiteral("  από ") +
           NumberText(cardCount);
}

QString scanCaption(qint32 card, qint32 cardCount)
{
    return PlainTitle + QStringLiteral(" - Διερευνώ Καρτέλλα: ") + NumberText(card) +
           QStringLiteral("  από ") + NumberText(cardCount);
}

} // namespace velmora
