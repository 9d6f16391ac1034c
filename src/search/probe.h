// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "search.h"
#include "searchtext.h"

#include <array>

namespace velmora {

// A search made ready for its scan: the typed texts, upper-cased and encoded once, and the
// fields each is looked for in, so that testing a card is a few byte comparisons with
// nothing built per card.
class SearchProbe
{
public:
    // The texts typed into the search's input boxes; `second` only for a combined search.
    SearchProbe(const Search &search, const QString &first, const QString &second = {});

    // A text left empty (or its box cancelled): a one-text search then ends silently, a
    // combined one with its missing-text warning.
    bool textMissing() const;
    // The card holds every text, each in one of its own fields. Called for every card a
    // scan reads, so kept where the compiler can see into it.
    bool matches(const CardRecord &card) const
    {
        if (!m_texts[0].heldBy(card, m_search.rule))
            return false;
        return !m_search.isCombined() || m_texts[1].heldBy(card, m_search.rule);
    }
    // The search's not-found message, with the texts as compared.
    QString notFoundMessage() const;

    const SearchText &text(int i) const { return m_texts[i].text; }

private:
    struct Text
    {
        SearchText text;
        std::array<Field, FieldCount> fields{};
        int fieldCount = 0;

        bool heldBy(const CardRecord &card, MatchRule rule) const
        {
            for (int i = 0; i < fieldCount; ++i) {
                const bool found = rule == MatchRule::Prefix ? text.prefixOf(card, fields[i])
                                                             : text.foundIn(card, fields[i]);
                if (found)
                    return true;
            }
            return false;
        }
    };

    const Search &m_search;
    std::array<Text, 2> m_texts;
};

} // namespace velmora
