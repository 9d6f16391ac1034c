#include "librariancheck.h"

#include "isbn.h"

namespace velmora::cards {

qint64 LibrarianCheck::card(qint64 number, const CardRecord &card, QTextStream &out)
{
    m_duplicates.add(number, card);
    if (const std::optional<QString> finding = wrongCheckDigit(card.shown(Field::Isbn))) {
        out << "card " << number << ", Isbn: " << *finding << '\n';
        return 1;
    }
    return 0;
}

Result<qint64> LibrarianCheck::finish(StoredCards &cards, QTextStream &out) const
{
    const QList<DuplicateFinder::Group> groups = m_duplicates.groups();
    for (const DuplicateFinder::Group &g : groups) {
        const Result<CardRecord> read = cards.readCard(g.cards.first());
        if (!read)
            return tl::unexpected(read.error());
        const CardRecord &first = *read;
        QStringList numbers;
        for (qint64 n : g.cards)
            numbers << QString::number(n);
        out << "cards " << numbers.join(QStringLiteral(", ")) << ": the same book? ";
        if (g.kind == DuplicateFinder::Kind::SameIsbn)
            out << "the same ISBN " << first.shown(Field::Isbn) << '\n';
        else
            out << "the same author and title: " << first.shown(Field::Author) << ", "
                << first.shown(Field::Title) << '\n';
    }
    return groups.size();
}

} // namespace velmora::cards
