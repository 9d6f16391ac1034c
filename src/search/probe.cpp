// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "probe.h"

namespace velmora {

SearchProbe::SearchProbe(const Search &search, const QString &first, const QString &second) : m_search(search)
{
    const QString typed[2] = {first, second};
    for (int i = 0; i < search.inputCount(); ++i) {
        Text &t = m_texts[i];
        t.text = SearchText::fromTyped(typed[i]);
        for (Field f : AllFields)
            if (search.input(i).fields.contains(f))
                t.fields[t.fieldCount++] = f;
    }
}

bool SearchProbe::textMissing() const
{
    for (int i = 0; i < m_search.inputCount(); ++i)
        if (m_texts[i].text.isEmpty())
            return true;
    return false;
}

QString SearchProbe::notFoundMessage() const
{
    QString message = m_search.notFoundBefore.toString();
    message += m_texts[0].text.text();
    if (m_search.isCombined()) {
        message += m_search.notFoundMiddle;
        message += m_texts[1].text.text();
    }
    message += m_search.notFoundAfter;
    return message;
}

} // namespace velmora
