// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardrecord.h"

#include <QHash>
#include <QList>
#include <QString>

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

    // The first card added that `card` looks like the same book as, by its ISBN before its
    // author and title; none when it looks like no card added.
    struct Match
    {
        Kind kind;
        qint64 card;
    };
    std::optional<Match> firstLike(const CardRecord &card) const;

private:
    using Digest = std::pair<size_t, size_t>;
    static Digest digest(const QString &text);
    // What two cards of the same book share; none when the card has nothing to tell it by.
    static std::optional<QString> isbnKey(const CardRecord &card);
    static std::optional<QString> authorTitleKey(const CardRecord &card);
    void note(QHash<Digest, qint64> &first, QHash<Digest, QList<qint64>> &more, const QString &key,
              qint64 number);

    QHash<Digest, qint64> m_firstByIsbn, m_firstByAuthorTitle;
    QHash<Digest, QList<qint64>> m_moreByIsbn, m_moreByAuthorTitle;
};

// Without blanks, accents and case: "Ιστορία  της" and "ΙΣΤΟΡΙΑ ΤΗΣ" compare equal.
QString comparable(const QString &text);

} // namespace velmora::citation
