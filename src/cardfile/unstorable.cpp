// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "unstorable.h"

#include "cp1253.h"

namespace velmora {

QStringList unstorableCharacters(QStringView textAsTyped)
{
    QStringList found;
    // What the card stores is the composed form: a character the code page holds under
    // canonical equivalence is not one to ask about.
    const QString nfc = cp1253::composed(textAsTyped);
    const QStringView text(nfc);
    for (qsizetype i = 0; i < text.size();) {
        const bool pair = text[i].isHighSurrogate() && i + 1 < text.size() && text[i + 1].isLowSurrogate();
        const QStringView character = text.sliced(i, pair ? 2 : 1);
        i += character.size();
        if (!pair && cp1253::isEncodable(character[0].unicode()))
            continue;
        if (!found.contains(character))
            found << character.toString();
    }
    return found;
}

} // namespace velmora
