// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The keeping of a card typed and not filed, without a window: kept in the recovery file a
// moment after the last keystroke, gone once the card is filed or shown anew, and offered
// back at the next start of the editing only where it belongs.

#include "cardbytes.h"
#include "cardfile.h"
#include "typingkeeper.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString Typed = QStringLiteral("ΤΙΤΛΟΣ ΠΟΥ ΠΛΗΚΤΡΟΛΟΓΗΘΗΚΕ");

CardRecord titled(const QString &title)
{
    CardRecord card;
    card.setField(Field::Title, title);
    return card;
}

std::array<QString, FieldCount> shownOf(const CardRecord &card)
{
    std::array<QString, FieldCount> shown;
    for (int i = 0; i < FieldCount; ++i)
        shown[i] = card.shown(AllFields[i]);
    return shown;
}

QByteArray withTitle(const QString &title)
{
    return cards(3).replace(RecordLength, RecordLength, titled(title).bytes().data(), RecordLength);
}

} // namespace

class tst_typingkeeper : public QObject
{
    Q_OBJECT

    QTemporaryDir dir;
    std::unique_ptr<TypingKeeper> keeper;
    std::array<QString, FieldCount> typed;

    QString cardPath() { return dir.filePath(QStringLiteral("Filis.dat")); }
    std::optional<KeptTyping> kept() { return readRecoveryFile(keeper->path(), cardPath()); }
    // Kept within a second of the last keystroke, not at every one of them.
    bool waitUntilKept()
    {
        QElapsedTimer clock;
        clock.start();
        return !kept() && QTest::qWaitFor([&] { return kept().has_value(); }, 2000) &&
               clock.elapsed() <= 1000;
    }
    void start(FileIdentity identity = {1, 1})
    {
        keeper = std::make_unique<TypingKeeper>(cardPath(), dir.filePath(QStringLiteral("data")), identity);
    }
    // Card 2 on the screen, its title typed over.
    void typeOnCard2()
    {
        start();
        const CardRecord card = titled(QStringLiteral("ΚΑΡΤΕΛΛΑ 2"));
        keeper->cardShown(2, card, typed = shownOf(card));
        typed[int(Field::Title)] = Typed;
        keeper->typed(typed);
    }

private slots:
    void init() { QVERIFY(writeBytes(cardPath(), cards(3))); }
    void cleanup()
    {
        keeper.reset();
        QDir(dir.filePath(QStringLiteral("data"))).removeRecursively();
    }

    // Filed, or its card shown anew (deleted, say), the typing is not kept any longer.
    void goesWhenFiledOrShownAnew_data()
    {
        QTest::addColumn<bool>("filed");
        QTest::newRow("filed") << true;
        QTest::newRow("card deleted") << false;
    }
    void goesWhenFiledOrShownAnew()
    {
        QFETCH(bool, filed);
        typeOnCard2();
        QVERIFY(waitUntilKept());
        if (filed) {
            keeper->filed(titled(Typed));
        } else {
            const std::array<QString, FieldCount> deleted = shownOf(CardRecord::deletedCard());
            keeper->cardShown(2, CardRecord::deletedCard(), deleted);
            keeper->typed(deleted); // as showing the card sets its fields
            // Gone after the same delay.
            QVERIFY(QTest::qWaitFor([&] { return !kept(); }, 2000));
        }
        QVERIFY(!QFile::exists(keeper->path()));
        QTest::qWait(900); // and the keystroke delay does not bring it back
        QVERIFY(!QFile::exists(keeper->path()));
    }

    // At the next start of the editing: a damaged file, or typing on another card file, is
    // not offered and stays; typing the card holds already goes; a card file restored from a
    // backup, or the card filed and typed on again, is offered as typed. Ended while asked,
    // nothing is decided.
    void offeredAtTheNextStart_data()
    {
        QTest::addColumn<QString>("next");
        QTest::addColumn<bool>("offered");
        QTest::newRow("ended while asked") << QStringLiteral("ended") << true;
        QTest::newRow("damaged") << QStringLiteral("damaged") << false;
        QTest::newRow("another file at the path") << QStringLiteral("other") << false;
        QTest::newRow("restored from a backup") << QStringLiteral("restored") << true;
        QTest::newRow("typing filed already") << QStringLiteral("filed") << false;
        QTest::newRow("typed again after its filing") << QStringLiteral("refiled") << true;
    }
    void offeredAtTheNextStart()
    {
        QFETCH(QString, next);
        QFETCH(bool, offered);
        typeOnCard2();
        if (next == QLatin1String("refiled")) {
            keeper->filed(titled(Typed));
            QVERIFY(writeBytes(cardPath(), withTitle(Typed)));
            typed[int(Field::Title)] += QStringLiteral("Ω");
            keeper->typed(typed);
        }
        QVERIFY(waitUntilKept());
        if (next == QLatin1String("other"))
            QVERIFY(writeBytes(cardPath(), withTitle(QStringLiteral("ΑΛΛΟΣ ΤΙΤΛΟΣ"))));
        else if (next == QLatin1String("filed"))
            QVERIFY(writeBytes(cardPath(), withTitle(Typed)));
        else if (next == QLatin1String("damaged"))
            QVERIFY(writeBytes(keeper->path(), fileBytes(keeper->path()).chopped(1)));
        // Another file at the path is another file, whatever its cards.
        start({1, next == QLatin1String("other") || next == QLatin1String("restored") ? 2u : 1u});
        CardFile file;
        QVERIFY(file.open(cardPath(), CardFile::Access::Browse));

        const Result<std::optional<TypingKeeper::Offer>> found = keeper->offer(file, 3);
        QVERIFY(found);
        const std::optional<TypingKeeper::Offer> &offer = *found;
        QCOMPARE(offer.has_value(), offered);
        // A signal while the question is up: the box closes unanswered, as No.
        const bool ended = next == QLatin1String("ended");
        if (ended)
            keeper->programEnding();
        if (offer) {
            QCOMPARE(keeper->offerAnswered(!ended), !ended);
            QCOMPARE(offer->number, 2);
            QVERIFY(!offer->cardChanged);
            QCOMPARE(offer->fields, typed);
        }
        QCOMPARE(QFile::exists(keeper->path()), next != QLatin1String("filed"));
    }
};

QTEST_GUILESS_MAIN(tst_typingkeeper)
#include "tst_typingkeeper.moc"
