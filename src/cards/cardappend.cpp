// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardappend.h"

#include "appending.h"
#include "cardeditsession.h"
#include "datafolder.h"
#include "duplicates.h"
#include "failurewords.h"

#include <QCoreApplication>

namespace velmora::cards {

using citation::DuplicateFinder;

namespace {

QString entryOf(const AppendRequest &request, const InputCard &card)
{
    QString text = request.inputPath + QLatin1Char(':') + QString::number(card.line);
    if (!card.name.isEmpty())
        text += QStringLiteral(": ") + card.name;
    return text;
}

// The books the file holds, as check compares them; deleted and unfilled cards are none.
Result<void> noteStoredBooks(const CardFile &file, qint32 held, DuplicateFinder &books)
{
    const CardRecord deleted = CardRecord::deletedCard();
    const CardRecord fresh = CardRecord::newCard();
    CardReader reader(file);
    for (qint32 n = 1; n <= held; ++n) {
        const Result<QByteArrayView> stored = reader.stored(n);
        if (!stored)
            return tl::unexpected(stored.error());
        const CardRecord card = CardRecord::fromBytes(*stored);
        if (card != deleted && card != fresh)
            books.add(n, card);
    }
    return {};
}

// The cards to file, each with the number it will have; the doubles told, and left out
// unless kept. A double within the input matches the card its first entry becomes.
QList<InputCard> withoutDoubles(const AppendRequest &request, const QList<InputCard> &cards, qint32 held,
                                DuplicateFinder &books, Console &console)
{
    QList<InputCard> kept;
    qint64 leftOut = 0;
    for (const InputCard &c : cards) {
        const qint64 number = held + kept.size() + 1;
        if (const std::optional<DuplicateFinder::Match> like = books.firstLike(c.card)) {
            console.err << entryOf(request, c) << ": "
                        << (like->kind == DuplicateFinder::Kind::SameIsbn
                                ? QCoreApplication::translate("Append", "the same ISBN as card %1; ")
                                : QCoreApplication::translate("Append",
                                                              "the same author and title as card %1; "))
                               .arg(like->card);
            if (!request.keepDoubles) {
                console.err << QCoreApplication::translate("Append", "left out (--all appends it)") << '\n';
                ++leftOut;
                continue;
            }
            console.err
                << QCoreApplication::translate("Append", "appended all the same, as card %1").arg(number)
                << '\n';
        }
        books.add(number, c.card);
        kept << c;
    }
    if (leftOut > 0)
        console.err << (leftOut == 1 ? QCoreApplication::translate(
                                           "Append", "%1 entry left out as a book already in the card file")
                                     : QCoreApplication::translate(
                                           "Append", "%1 entries left out as books already in the card file"))
                           .arg(leftOut)
                    << Qt::endl;
    return kept;
}

// What the session says once, after the filing that made it so.
void tellWhereFilesWent(CardEditSession &session, Console &console)
{
    if (const std::optional<QString> elsewhere = session.takeBackupElsewhere())
        console.out << QCoreApplication::translate(
                           "Append", "the backup could not be made beside the card file and is %1")
                           .arg(*elsewhere)
                    << '\n';
    if (const std::optional<QString> elsewhere = session.takeJournalElsewhere())
        console.out << QCoreApplication::translate("Append",
                                                   "the journal that keeps each filing whole is %1, where "
                                                   "other keepers of the file would not find it")
                           .arg(*elsewhere)
                    << '\n';
}

} // namespace

int appendCards(const AppendRequest &request, const QList<InputCard> &cards, Console &console)
{
    const auto refused = [&console](const velmora::Failure &why) {
        console.err << QCoreApplication::translate("Append", "%1; nothing appended").arg(failureLine(why))
                    << Qt::endl;
        return Failure;
    };
    // The session would create a missing card file: appending is to one that exists.
    {
        CardFile existing;
        if (const Result<void> there = existing.openForReading(request.cardPath); !there)
            return refused(there.error());
    }
    CardEditSession session(
        dataFolderToUse(console, QT_TRANSLATE_NOOP("CardTool", "no backup or journal goes there")));
    if (const Result<void> begun = session.begin(request.cardPath); !begun)
        return refused(begun.error());
    if (const std::optional<UndoneFiling> undone = session.takeUndoneFiling())
        console.out << QCoreApplication::translate(
                           "Append", "%1: card %2, whose filing was cut short, is as it was before it")
                           .arg(request.cardPath)
                           .arg(undone->number)
                    << '\n';

    CardFile file;
    if (const Result<void> opened = file.open(request.cardPath); !opened)
        return refused(opened.error());
    const Result<FileIdentity> identity = file.identity();
    if (!identity)
        return refused(identity.error());
    if (*identity == request.input)
        return refused(velmora::Failure{Fault::IsInput, 0, request.cardPath});
    const Result<qint64> length = file.length();
    if (!length)
        return refused(length.error());
    const qint32 held = cardsHeld(*length);
    DuplicateFinder books;
    if (const Result<void> noted = noteStoredBooks(file, held, books); !noted)
        return refused(noted.error());
    const QList<InputCard> kept = withoutDoubles(request, cards, held, books, console);
    if ((held + kept.size()) * RecordLength > MaxFileLength) {
        console.err << QCoreApplication::translate("Append",
                                                   "%1: %2 cards after its %3 would make it longer than the "
                                                   "%4 bytes a card file holds; nothing appended")
                           .arg(request.cardPath)
                           .arg(kept.size())
                           .arg(held)
                           .arg(MaxFileLength)
                    << Qt::endl;
        return Failure;
    }

    bool partial = *length % RecordLength != 0;
    qint64 appended = 0;
    for (const InputCard &c : kept) {
        const Result<qint32> added = appendCard(file, c.card, [&](qint32 number, const CardRecord &card) {
            return session.write(file, number, card);
        });
        // Told once it is so, even when the card after it failed.
        if (const Result<qint64> now = file.storedLength(); partial && now && *now % RecordLength == 0) {
            partial = false;
            console.out << QCoreApplication::translate("Append", "%1: card %2, of %3 bytes, made whole first")
                               .arg(request.cardPath)
                               .arg(held)
                               .arg(*length % RecordLength)
                        << '\n';
        }
        tellWhereFilesWent(session, console);
        if (!added) {
            console.out.flush();
            console.err << failureLine(added.error()) << '\n'
                        << (appended == 1
                                ? QCoreApplication::translate(
                                      "Append", "stopped at %1: %2 card appended before it stays in %3")
                                : QCoreApplication::translate(
                                      "Append", "stopped at %1: %2 cards appended before it stay in %3"))
                               .arg(entryOf(request, c))
                               .arg(appended)
                               .arg(request.cardPath)
                        << Qt::endl;
            return Failure;
        }
        ++appended;
    }
    console.out << (appended == 1 ? QCoreApplication::translate("Append", "%1 card appended to %2")
                                  : QCoreApplication::translate("Append", "%1 cards appended to %2"))
                       .arg(appended)
                       .arg(request.cardPath);
    if (appended > 0)
        console.out << QCoreApplication::translate("Append", ", cards %1 to %2; as it was before: %3")
                           .arg(held + 1)
                           .arg(held + appended)
                           .arg(session.backupPath());
    console.out << Qt::endl;
    return Success;
}

} // namespace velmora::cards
