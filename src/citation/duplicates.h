#pragma once

#include "cardrecord.h"

#include <QHash>
#include <QList>
#include <QString>

#include <utility>

namespace velmora::cards {

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

// Without blanks, accents and case: "Ιστορία  της" and "ΙΣΤΟΡΙΑ ΤΗΣ" compare equal.
QString comparable(const QString &text);

} // namespace velmora::cards
