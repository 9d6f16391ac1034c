// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardappend.h"

#include "appending.h"
#include "datafolder.h"
#include "duplicates.h"
#include "failurewords.h"

#include <QCoreApplication>

#include <cerrno>

namespace velmora::cards {

using citation::KnownBooks;

namespace {

QString entryOf(const AppendRequest &request, const InputCard &card)
{
    QString text = request.inputPath + QLatin1Char(':') + QString::number(card.line);
    if (!card.name.isEmpty())
        text += QStringLiteral(": ") + card.name;
    return text;
}

// The entry of card `index` of the input; the input alone when even that cannot be read.
QString entryAt(const AppendRequest &request, InputCards &cards, qint64 index)
{
    const Result<InputCard> card = cards.at(index);
    return card ? entryOf(request, *card) : request.inputPath;
}

// The books the file holds, as check compares them; deleted and unfilled cards are none.
Result<void> noteStoredBooks(const CardFile &file, qint32 held, KnownBooks &books)
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
            if (Result<void> noted = books.note(n, card); !noted)
                return noted;
    }
    return {};
}

// Leaves the cards to file first in `cards`, each with the number it will have, and gives
// how many they are; the doubles told, and left out unless kept. A double within the input
// matches the card its first entry becomes.
Result<qint64> withoutDoubles(const AppendRequest &request, InputCards &cards, qint32 held, KnownBooks &books,
                              Console &console)
{
    qint64 kept = 0, leftOut = 0;
    for (qint64 i = 0; i < cards.size(); ++i) {
        const Result<InputCard> c = cards.at(i, InputCards::Key::Left);
        if (!c)
            return tl::unexpected(c.error());
        const qint64 number = held + kept + 1;
        const Result<std::optional<KnownBooks::Match>> like = books.firstLike(c->card);
        if (!like)
            return tl::unexpected(like.error());
        if (*like) {
            console.err << entryAt(request, cards, i) << ": "
                        << ((*like)->kind == KnownBooks::Kind::SameIsbn
                                ? QCoreApplication::translate("Append", "the same ISBN as card %1; ")
                                : QCoreApplication::translate("Append",
                                                              "the same author and title as card %1; "))
                               .arg((*like)->card);
            if (!request.keepDoubles) {
                console.err << QCoreApplication::translate("Append", "left out (--all appends it)") << '\n';
                ++leftOut;
                continue;
            }
            console.err
                << QCoreApplication::translate("Append", "appended all the same, as card %1").arg(number)
                << '\n';
        }
        // In the place of the first left out, where the books noted find it as card `number`.
        if (kept != i)
            if (Result<void> moved = cards.move(i, kept); !moved)
                return tl::unexpected(moved.error());
        if (Result<void> noted = books.note(number, c->card); !noted)
            return tl::unexpected(noted.error());
        ++kept;
    }
    cards.truncate(kept);
    if (leftOut > 0)
        console.err << (leftOut == 1 ? QCoreApplication::translate(
                                           "Append", "%1 entry left out as a book already in the card file")
                                     : QCoreApplication::translate(
                                           "Append", "%1 entries left out as books already in the card file"))
                           .arg(leftOut)
                    << Qt::endl;
    return kept;
}

} // namespace

bool noCardRead(const velmora::Failure &why)
{
    return why.fault == Fault::System && why.error == ENODATA;
}

int tellNoCard(const QString &inputPath, Console &console)
{
    console.err << QCoreApplication::translate("Import", "%1: no card in it; nothing written").arg(inputPath)
                << Qt::endl;
    return Failure;
}

void tellUndoneFiling(CardEditSession &session, const QString &cardPath, Console &console)
{
    for (const velmora::Failure &why : session.takeLeftAlone())
        console.err << failureLine(why) << Qt::endl;
    if (const std::optional<UndoneFiling> undone = session.takeUndoneFiling())
        console.out << QCoreApplication::translate(
                           "Append", "%1: card %2, whose filing was cut short, is as it was before it")
                           .arg(cardPath)
                           .arg(undone->number)
                    << '\n';
}

void tellLockFileUnused(const std::optional<velmora::Failure> &unused, Console &console)
{
    if (unused)
        console.err << failureLine(*unused) << Qt::endl;
}

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

int appendCards(const AppendRequest &request, const InputReading &read, Console &console)
{
    const auto refused = [&console](const velmora::Failure &why) {
        console.err << QCoreApplication::translate("Append", "%1; nothing appended").arg(failureLine(why))
                    << Qt::endl;
        return Failure;
    };
    const QString dataFolder =
        dataFolderToUse(console, QT_TRANSLATE_NOOP("CardTool", "no backup or journal goes there"));
    // The whole input is read before the card file is touched: an input that cannot be
    // read appends nothing, and no editor waits on a slow standard input.
    InputCards cards;
    if (const Result<void> opened = cards.open(dataFolder); !opened)
        return refused(opened.error());
    if (read([&cards](const InputCard &card) { cards.add(card); }) < 0)
        return Failure;
    if (const Result<void> kept = cards.finish(); !kept)
        return refused(kept.error());

    CardAppending appending(dataFolder);
    if (const Result<void> begun = appending.begin(request.cardPath, request.input); !begun)
        return refused(begun.error());
    CardEditSession &session = appending.session();
    tellUndoneFiling(session, request.cardPath, console);
    tellLockFileUnused(session.takeLockFileUnused(), console);

    const qint64 length = appending.length();
    const qint32 held = cardsHeld(length);
    KnownBooks books([&](qint64 number) {
        return number <= held ? appending.file().read(qint32(number)) : cards.cardAt(number - held - 1);
    });
    books.reserve(held + cards.size());
    if (const Result<void> noted = noteStoredBooks(appending.file(), held, books); !noted)
        return refused(noted.error());
    const Result<qint64> kept = withoutDoubles(request, cards, held, books, console);
    if (!kept)
        return refused(kept.error());

    qint64 appended = 0;
    const Result<void> done = appending.append(
        *kept,
        [&cards](qint64 index) {
            return cards.at(index, InputCards::Key::Left).map([](const InputCard &c) { return c.card; });
        },
        [&](qint64 index, qint32 number) {
            if (index < 0)
                console.out << QCoreApplication::translate("Append",
                                                           "%1: card %2, of %3 bytes, made whole first")
                                   .arg(request.cardPath)
                                   .arg(number)
                                   .arg(length % RecordLength)
                            << '\n';
            else
                ++appended;
            tellWhereFilesWent(session, console);
        });
    if (!done && done.error().fault == Fault::TooLong && appended == 0 && done.error().length > length) {
        console.err << QCoreApplication::translate("Append",
                                                   "%1: %2 cards after its %3 would make it longer than the "
                                                   "%4 bytes a card file holds; nothing appended")
                           .arg(request.cardPath)
                           .arg(*kept)
                           .arg(held)
                           .arg(MaxFileLength)
                    << Qt::endl;
        return Failure;
    }
    if (!done && noCardRead(done.error()))
        return tellNoCard(request.inputPath, console);
    if (!done) {
        console.out.flush();
        console.err << failureLine(done.error()) << '\n'
                    << (appended == 1
                            ? QCoreApplication::translate(
                                  "Append", "stopped at %1: %2 card appended before it stays in %3")
                            : QCoreApplication::translate(
                                  "Append", "stopped at %1: %2 cards appended before it stay in %3"))
                           .arg(entryAt(request, cards, appended))
                           .arg(appended)
                           .arg(request.cardPath)
                    << Qt::endl;
        return Failure;
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
