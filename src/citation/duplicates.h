// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardrecord.h"
#include "failure.h"

#include <QHash>
#include <QList>
#include <QString>

#include <functional>
#include <optional>
#include <utility>

namespace velmora::citation {

// Cards that look like the same book: the same ISBN however hyphenated (the bare prefix
// "960-" aside), or the same author and title once blanks, accents and case are set aside.
// Each card costs a 128-bit digest and its number, so that a file of a million cards is
// checked in tens of megabytes.
class DuplicateFinder
{
public:
    void add(qint64 number, const CardRecord &card);

    enum class Kind { SameIsbn, SameAuthorTitle };
    struct Group
    {
        Kind kind;
        QList<qint64> cards;
    };
    // Each group once, in the order of its first card; a group found both ways is told once,
    // as the same ISBN.
    QList<Group> groups() const;

private:
    using Digest = std::pair<size_t, size_t>;
    static Digest digest(const QString &text);
    void note(QHash<Digest, qint64> &first, QHash<Digest, QList<qint64>> &more, const QString &key,
              qint64 number);

    QHash<Digest, qint64> m_firstByIsbn, m_firstByAuthorTitle;
    QHash<Digest, QList<qint64>> m_moreByIsbn, m_moreByAuthorTitle;
};

// The first card of each book among those noted, by DuplicateFinder's rule, for telling
// whether a card is a book already there. A book costs a 64-bit digest of each of its two
// keys and its card's number, in flat tables of 12 bytes a place, so that the eleven
// million cards of the longest card file take a few hundred megabytes; the card of a digest
// met again is read back and compared exactly, so that no book is ever taken for another
// whose digest it shares.
class KnownBooks
{
public:
    using Kind = DuplicateFinder::Kind;
    // Card `number` as it was noted.
    using CardLookup = std::function<Result<CardRecord>(qint64 number)>;

    explicit KnownBooks(CardLookup cardNumbered) : m_cardNumbered(std::move(cardNumbered)) {}
    // Room for `cards` without growing.
    void reserve(qint64 cards);

    // The first card noted that `card` looks like the same book as, by its ISBN before its
    // author and title; none when it looks like no card noted.
    struct Match
    {
        Kind kind;
        qint64 card;
    };
    Result<std::optional<Match>> firstLike(const CardRecord &card) const;
    // Notes card `number` as the first of each of its books that no card noted before is.
    Result<void> note(qint64 number, const CardRecord &card);

private:
    // Card numbers by the digests of one key, at most one a key: open addressing, each
    // digest at its first free place from the one its low bits name; a number 0 is no card.
    struct Table
    {
        QList<quint64> digests;
        QList<qint32> numbers;
        qsizetype used = 0;
        void resize(qsizetype places);
        void insert(quint64 digest, qint32 number);
    };
    // The card noted with `key` as its key of `kind`; 0 for none.
    Result<qint64> numberOf(Kind kind, const QString &key, quint64 digest) const;
    const Table &table(Kind kind) const { return kind == Kind::SameIsbn ? m_byIsbn : m_byAuthorTitle; }

    CardLookup m_cardNumbered;
    Table m_byIsbn, m_byAuthorTitle;
};

// Without blanks, accents and case: "Ιστορία  της" and "ΙΣΤΟΡΙΑ ΤΗΣ" compare equal.
QString comparable(const QString &text);

} // namespace velmora::citation
