// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "duplicates.h"

#include "isbn.h"

#include <algorithm>
#include <limits>

namespace velmora::citation {

namespace {

// What two cards of the same book share; none when the card has nothing to tell it by.
std::optional<QString> isbnKey(const CardRecord &card)
{
    const QString isbn = card.shown(Field::Isbn);
    if (const QString digits = isbnDigits(isbn); !digits.isEmpty() && isbn != QStringLiteral("960-"))
        return digits;
    return std::nullopt;
}

std::optional<QString> authorTitleKey(const CardRecord &card)
{
    const QString title = card.shown(Field::Title);
    if (title.isEmpty())
        return std::nullopt;
    // A separator no field holds, so that author and title cannot run into each other.
    return comparable(card.shown(Field::Author)) + QChar(0xFFFF) + comparable(title);
}

std::optional<QString> keyOf(DuplicateFinder::Kind kind, const CardRecord &card)
{
    return kind == DuplicateFinder::Kind::SameIsbn ? isbnKey(card) : authorTitleKey(card);
}

constexpr DuplicateFinder::Kind Kinds[] = {DuplicateFinder::Kind::SameIsbn,
                                           DuplicateFinder::Kind::SameAuthorTitle};

} // namespace

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

void DuplicateFinder::add(qint64 number, const CardRecord &card)
{
    if (const std::optional<QString> key = isbnKey(card))
        note(m_firstByIsbn, m_moreByIsbn, *key, number);
    if (const std::optional<QString> key = authorTitleKey(card))
        note(m_firstByAuthorTitle, m_moreByAuthorTitle, *key, number);
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

void KnownBooks::Table::resize(qsizetype places)
{
    const QList<quint64> oldDigests = std::exchange(digests, QList<quint64>(places, 0));
    const QList<qint32> oldNumbers = std::exchange(numbers, QList<qint32>(places, 0));
    used = 0;
    for (qsizetype at = 0; at < oldNumbers.size(); ++at)
        if (oldNumbers[at] != 0)
            insert(oldDigests[at], oldNumbers[at]);
}

void KnownBooks::Table::insert(quint64 digest, qint32 number)
{
    // Kept at most three quarters full, so that a search meets a free place soon.
    if ((used + 1) * 4 > numbers.size() * 3)
        resize(std::max<qsizetype>(1024, numbers.size() * 2));
    const qsizetype mask = numbers.size() - 1;
    qsizetype at = qsizetype(digest) & mask;
    while (numbers[at] != 0)
        at = (at + 1) & mask;
    digests[at] = digest;
    numbers[at] = number;
    ++used;
}

void KnownBooks::reserve(qint64 cards)
{
    qsizetype places = 1024;
    while (places * 3 < cards * 4)
        places *= 2;
    for (Table *t : {&m_byIsbn, &m_byAuthorTitle})
        if (t->numbers.size() < places)
            t->resize(places);
}

Result<qint64> KnownBooks::numberOf(Kind kind, const QString &key, quint64 digest) const
{
    const Table &t = table(kind);
    const qsizetype mask = t.numbers.size() - 1;
    for (qsizetype at = qsizetype(digest) & mask; !t.numbers.isEmpty() && t.numbers[at] != 0;
         at = (at + 1) & mask) {
        if (t.digests[at] != digest)
            continue;
        const Result<CardRecord> noted = m_cardNumbered(t.numbers[at]);
        if (!noted)
            return tl::unexpected(noted.error());
        if (keyOf(kind, *noted) == key)
            return t.numbers[at];
    }
    return 0;
}

Result<std::optional<KnownBooks::Match>> KnownBooks::firstLike(const CardRecord &card) const
{
    for (const Kind kind : Kinds) {
        const std::optional<QString> key = keyOf(kind, card);
        if (!key)
            continue;
        const Result<qint64> number = numberOf(kind, *key, qHash(*key, size_t(0)));
        if (!number)
            return tl::unexpected(number.error());
        if (*number != 0)
            return Match{kind, *number};
    }
    return std::nullopt;
}

Result<void> KnownBooks::note(qint64 number, const CardRecord &card)
{
    Q_ASSERT(number >= 1 && number <= std::numeric_limits<qint32>::max());
    for (const Kind kind : Kinds) {
        const std::optional<QString> key = keyOf(kind, card);
        if (!key)
            continue;
        const quint64 digest = qHash(*key, size_t(0));
        const Result<qint64> first = numberOf(kind, *key, digest);
        if (!first)
            return tl::unexpected(first.error());
        if (*first == 0)
            (kind == Kind::SameIsbn ? m_byIsbn : m_byAuthorTitle).insert(digest, qint32(number));
    }
    return {};
}

} // namespace velmora::citation
