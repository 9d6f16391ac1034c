// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardrecord.h"

#include <QStringView>

#include <initializer_list>

namespace velmora {

// The fields a search text is looked for in; a card holds the text when any of them does.
class FieldSet
{
public:
    constexpr FieldSet() = default;
    constexpr FieldSet(std::initializer_list<Field> fields)
    {
        for (Field f : fields)
            m_bits |= quint8(1u << int(f));
    }
    constexpr bool contains(Field f) const { return (m_bits >> int(f)) & 1u; }
    constexpr bool isEmpty() const { return m_bits == 0; }

private:
    quint8 m_bits = 0;
};

// One input box of a search, and where its text is looked for.
struct SearchInput
{
    QStringView title;
    QStringView prompt;
    FieldSet fields{};
};

enum class MatchRule {
    Containment, // anywhere in the field, fill blanks included
    Prefix,      // the first characters of the field: the card window's ISBN search alone
};

// A search of the card window or an exploration of the exploration window, described by
// what it asks, where it looks and what it says; one procedure per window runs them all.
// A search with a second input is a combined one: a card is found only when it holds both
// texts, each in its own fields.
struct Search
{
    SearchInput first;
    SearchInput second{};
    MatchRule rule = MatchRule::Containment;
    // Nothing found: before + first text [+ middle + second text] + after.
    QStringView notFoundBefore;
    QStringView notFoundMiddle{};
    QStringView notFoundAfter;
    // A combined search given only one of its two texts.
    QStringView missingText{};
    // An exploration's footer on its printed pages.
    QStringView heading{};

    // The few ways single explorations have always behaved differently.
    bool clearsHeadingAtStart = false;        // footers stay empty until a page is printed
    bool pagePrintDisablesPrint = false;      // a page printed at the page question
    bool keepsPrintAfterLastCardPage = false; // final page printed right after the last card

    constexpr bool isCombined() const { return !second.fields.isEmpty(); }
    constexpr int inputCount() const { return isCombined() ? 2 : 1; }
    constexpr const SearchInput &input(int i) const { return i == 0 ? first : second; }
};

} // namespace velmora
