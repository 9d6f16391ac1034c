// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "duplicates.h"

#include "isbn.h"

#include <algorithm>

namespace velmora::citation {

QString comparable(const QString &text)
{
    QString out;
    for (QChar c : text.normalized(QString::NormalizationForm_D)) {
        if (c.isSpace() || c.category() == QChar::Mark_NonSpacing)
            continue;
        out += c;
    }
    return out.toCaseFolded();
}

DuplicateFinder::Digest DuplicateFinder::digest(const QString &text)
{
    return {qHash(text, size_t(0x9E3779B97F4A7C15ULL)), qHash(text, size_t(0xC2B2AE3D27D4EB4FULL))};
}

void DuplicateFinder::note(QHash<Digest, qint64> &first, QHash<Digest, QList<qint64>> &more,
                           const QString &key, qint64 number)
{
    const Digest d = digest(key);
    const auto found = first.constFind(d);
    if (found == first.constEnd()) {
        first.insert(d, number);
        return;
    }
    QList<qint64> &cards = more[d];
    if (cards.isEmpty())
        cards << found.value();
    cards << number;
}

std::optional<QString> DuplicateFinder::isbnKey(const CardRecord &card)
{
    const QString isbn = card.shown(Field::Isbn);
    if (const QString digits = isbnDigits(isbn); !digits.isEmpty() && isbn != QStringLiteral("960-"))
        return digits;
    return std::nullopt;
}

std::optional<QString> DuplicateFinder::authorTitleKey(const CardRecord &card)
{
    const QString title = card.shown(Field::Title);
    if (title.isEmpty())
        return std::nullopt;
    // A separator no field holds, so that author and title cannot run into each other.
    return comparable(card.shown(Field::Author)) + QChar(0xFFFF) + comparable(title);
}

void DuplicateFinder::add(qint64 number, const CardRecord &card)
{
    if (const std::optional<QString> key = isbnKey(card))
        note(m_firstByIsbn, m_moreByIsbn, *key, number);
    if (const std::optional<QString> key = authorTitleKey(card))
        note(m_firstByAuthorTitle, m_moreByAuthorTitle, *key, number);
}

std::optional<DuplicateFinder::Match> DuplicateFinder::firstLike(const CardRecord &card) const
{
    if (const std::optional<QString> key = isbnKey(card))
        if (const auto found = m_firstByIsbn.constFind(digest(*key)); found != m_firstByIsbn.constEnd())
            return Match{Kind::SameIsbn, found.value()};
    if (const std::optional<QString> key = authorTitleKey(card))
        if (const auto found = m_firstByAuthorTitle.constFind(digest(*key));
            found != m_firstByAuthorTitle.constEnd())
            return Match{Kind::SameAuthorTitle, found.value()};
    return std::nullopt;
}

QList<DuplicateFinder::Group> DuplicateFinder::groups() const
{
    QList<Group> found;
    for (const QList<qint64> &cards : m_moreByIsbn)
        found << Group{Kind::SameIsbn, cards};
    const qsizetype byIsbn = found.size();
    for (const QList<qint64> &cards : m_moreByAuthorTitle) {
        const bool told = std::any_of(found.cbegin(), found.cbegin() + byIsbn,
                                      [&](const Group &g) { return g.cards == cards; });
        if (!told)
            found << Group{Kind::SameAuthorTitle, cards};
    }
    std::sort(found.begin(), found.end(), [](const Group &a, const Group &b) {
        return std::pair(a.cards, int(a.kind)) < std::pair(b.cards, int(b.kind));
    });
    return found;
}

} // namespace velmora::citation
