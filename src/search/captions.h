// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace velmora {

// The captions both main windows show, and the card tool with them.
// The exploration window's plain title, and the start of every caption below.
inline const QString PlainTitle = QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη");
// A card shown: "Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα:  5  από  120".
QString cardCaption(qint32 card, qint32 cardCount);
// A scan examining a card: "Βελμόρα 3.0 - Σερβαλίνη - Διερευνώ Καρτέλλα:  5  από  120".
QString scanCaption(qint32 card, qint32 cardCount);

} // namespace velmora
