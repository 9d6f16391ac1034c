#include "cardappend.h"

#include "appending.h"
#include "cardeditsession.h"
#include "datafolder.h"
#include "duplicates.h"
#include "englishfailure.h"

namespace velmora::cards {

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
                        << (like->kind == DuplicateFinder::Kind::SameIsbn ? "the same ISBN"
                                                                          : "the same author and title")
                        << " as card " << like->card << "; ";
            if (!request.keepDoubles) {
                console.err << "left out (--all appends it)\n";
                ++leftOut;
                continue;
            }
            console.err << "appended all the same, as card " << number << '\n';
        }
        books.add(number, c.card);
        kept << c;
    }
    if (leftOut > 0)
        console.err << leftOut << (leftOut == 1 ? " entry" : " entries")
                    << " left out as books already in the card file" << Qt::endl;
    return kept;
}

// What the session says once, after the filing that made it so.
void tellWhereFilesWent(CardEditSession &session, Console &console)
{
    if (const std::optional<QString> elsewhere = session.takeBackupElsewhere())
        console.out << "the backup could not be made beside the card file and is " << *elsewhere << '\n';
    if (const std::optional<QString> elsewhere = session.takeJournalElsewhere())
        console.out << "the journal that keeps each filing whole is " << *elsewhere
                    << ", where other keepers of the file would not find it\n";
}

} // namespace

int appendCards(const AppendRequest &request, const QList<InputCard> &cards, Console &console)
{
    const auto refused = [&console](const velmora::Failure &why) {
        console.err << englishText(why) << "; nothing appended" << Qt::endl;
        return Failure;
    };
    // The session would create a missing card file: appending is to one that exists.
    {
        CardFile existing;
        if (const Result<void> there = existing.openForReading(request.cardPath); !there)
            return refused(there.error());
    }
    CardEditSession session(dataFolderToUse(console, QStringLiteral("no backup or journal goes there")));
    if (const Result<void> begun = session.begin(request.cardPath); !begun)
        return refused(begun.error());
    if (const std::optional<UndoneFiling> undone = session.takeUndoneFiling())
        console.out << request.cardPath << ": card " << undone->number
                    << ", whose filing was cut short, is as it was before it\n";

    CardFile file;
    try {
        file.open(request.cardPath);
    } catch (const CardFileError &error) {
        return refused(error.failure());
    }
    if (file.identity() == request.input)
        return refused(velmora::Failure{Fault::IsInput, 0, request.cardPath});
    const Result<qint64> length = file.storedLength();
    if (!length)
        return refused(length.error());
    if (*length > MaxFileLength) {
        velmora::Failure tooLong(Fault::TooLong, 0, request.cardPath);
        tooLong.length = *length;
        return refused(tooLong);
    }
    const qint32 held = cardsHeld(*length);
    DuplicateFinder books;
    if (const Result<void> noted = noteStoredBooks(file, held, books); !noted)
        return refused(noted.error());
    const QList<InputCard> kept = withoutDoubles(request, cards, held, books, console);
    if ((held + kept.size()) * RecordLength > MaxFileLength) {
        console.err << request.cardPath << ": " << kept.size() << " cards after its " << held
                    << " would make it longer than the " << MaxFileLength
                    << " bytes a card file holds; nothing appended" << Qt::endl;
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
            console.out << request.cardPath << ": card " << held << ", of " << *length % RecordLength
                        << " bytes, made whole first\n";
        }
        tellWhereFilesWent(session, console);
        if (!added) {
            console.out.flush();
            console.err << englishText(added.error()) << "\nstopped at " << entryOf(request, c) << ": "
                        << appended << (appended == 1 ? " card" : " cards") << " appended before it stay in "
                        << request.cardPath << Qt::endl;
            return Failure;
        }
        ++appended;
    }
    console.out << appended << (appended == 1 ? " card" : " cards") << " appended to " << request.cardPath;
    if (appended > 0)
        console.out << ", cards " << held + 1 << " to " << held + appended
                    << "; as it was before: " << session.backupPath();
    console.out << Qt::endl;
    return Success;
}

} // namespace velmora::cards
