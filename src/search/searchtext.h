// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardrecord.h"

#include <QByteArray>
#include <QString>

namespace velmora {

// The typed text upper-cased by the standard one-to-one mapping, code point by code
// point: "ά" -> "Ά", "ς" -> "Σ", "ΐ" stays. Nothing is trimmed.
QString upperCased(const QString &typed);

// A search text as every search and exploration compares it: upper-cased once, encoded
// once, then compared in the cards' own bytes.
class SearchText
{
public:
    SearchText() = default;
    static SearchText fromTyped(const QString &typed);

    const QString &text() const { return m_text; } // as compared, for the messages
    bool isEmpty() const { return m_text.isEmpty(); }

    // Anywhere in the field's full width, fill blanks included; the field is not
    // upper-cased, so letters stored in small letters never match.
    bool foundIn(const CardRecord &card, Field field) const;
    // The first characters of the field (the card window's ISBN search alone).
    bool prefixOf(const CardRecord &card, Field field) const;

private:
    QString m_text;
    QByteArray m_bytes;
    bool m_encodable = false; // a character outside the code page matches nothing
};

} // namespace velmora
