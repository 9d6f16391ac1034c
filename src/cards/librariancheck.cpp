// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "librariancheck.h"

#include "isbn.h"

#include <QCoreApplication>

namespace velmora::cards {

using citation::DuplicateFinder;
using citation::wrongCheckDigit;

qint64 LibrarianCheck::card(qint64 number, const CardRecord &card, QTextStream &out)
{
    m_duplicates.add(number, card);
    if (const std::optional<QString> finding = wrongCheckDigit(card.shown(Field::Isbn))) {
        out << QCoreApplication::translate("Check", "card %1, %2: %3")
                   .arg(QString::number(number), QStringLiteral("Isbn"), *finding)
            << '\n';
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
        const QString cardList = numbers.join(QStringLiteral(", "));
        if (g.kind == DuplicateFinder::Kind::SameIsbn)
            out << QCoreApplication::translate("Check", "cards %1: the same book? the same ISBN %2")
                       .arg(cardList, first.shown(Field::Isbn));
        else
            out << QCoreApplication::translate("Check",
                                               "cards %1: the same book? the same author and title: %2, %3")
                       .arg(cardList, first.shown(Field::Author), first.shown(Field::Title));
        out << '\n';
    }
    return groups.size();
}

} // namespace velmora::cards
