// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArrayView>
#include <QString>

#include <array>

namespace velmora {

enum class Field { Isbn, Author, Title, OtherName, Publication, PagesNotes };

struct FieldLayout
{
    int offset;
    int width;
};

constexpr int RecordLength = 195;
constexpr int FieldCount = 6;
constexpr std::array<Field, FieldCount> AllFields = {Field::Isbn,      Field::Author,      Field::Title,
                                                     Field::OtherName, Field::Publication, Field::PagesNotes};

constexpr FieldLayout layoutOf(Field f)
{
    constexpr FieldLayout table[FieldCount] = {{0, 20}, {20, 20}, {40, 65}, {105, 30}, {135, 40}, {175, 20}};
    return table[static_cast<int>(f)];
}

constexpr int widthOf(Field f)
{
    return layoutOf(f).width;
}

// The label that names the field in the card window: "ΑΡIΘΜ. ISBN", "ΣΥΓΓΡΑΦΕΑΣ" ...
QString fieldLabel(Field f);

// One card, kept as the 195 bytes it has on disk (Windows-1253, blank-filled fields), so
// that reading a card and writing it back changes no byte. Text is decoded at the edges.
class CardRecord
{
public:
    using Bytes = std::array<char, RecordLength>;

    CardRecord();                                      // six blank fields
    static CardRecord fromBytes(QByteArrayView bytes); // short input is blank-filled
    static CardRecord newCard();                       // "960-" and five blank fields
    static CardRecord deletedCard();                   // "~~~" in all six fields

    // The field at its full width, fill blanks included.
    QString field(Field f) const;
    // Without leading and trailing U+0020; other white space stays.
    QString trimmed(Field f) const;
    // The trimmed value as the windows show it, made legible (see legible()).
    QString shown(Field f) const;
    // Left-justified: cut after the last character that fits the width, the rest
    // blank-filled (cp1253::encodeForStorage).
    void setField(Field f, const QString &text);

    QByteArrayView fieldBytes(Field f) const;
    const Bytes &bytes() const { return m_bytes; }
    Bytes &bytes() { return m_bytes; }

    bool operator==(const CardRecord &) const = default;

private:
    Bytes m_bytes;
};

// Trims U+0020 only, as the card window shows a field.
QString trimBlanks(const QString &text);

// Control characters (NUL, tab, line breaks ..., from a file written by other means) as
// their control pictures U+2400..U+241F: a text field shows them as visible signs instead
// of nothing or a line break, and the code page writes each picture back as the control
// byte it stands for, so showing a card and saving it changes no byte.
QString legible(QString text);

} // namespace velmora
