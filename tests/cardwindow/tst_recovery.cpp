// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// A card typed and not filed survives the end of the program: kept in the recovery file a
// moment after the last keystroke, gone once the card is filed or the change dropped, and
// offered back at the next start of the editing.

#include "cardjournal.h"
#include "cardwindowtest.h"
#include "recoveryfile.h"
#include "seam.h"
#include "titleedit.h"

#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString Typed = QStringLiteral("ΤΙΤΛΟΣ ΠΟΥ ΠΛΗΚΤΡΟΛΟΓΗΘΗΚΕ");
const QString Unsaved = QStringLiteral("Θέλετε να Καταχωρίσω τις Αλλαγές της Καρτέλλας  2 ;");
const QString Offer = QStringLiteral("Βρέθηκαν Αλλαγές της Καρτέλλας  2 που πληκτρολογήθηκαν και δεν "
                                     "Καταχωρίσθηκαν.\nΘέλετε να τις Επαναφέρω ;");
const QString OfferOverChanged =
    QStringLiteral("Βρέθηκαν Αλλαγές της Καρτέλλας  2 που πληκτρολογήθηκαν και δεν Καταχωρίσθηκαν.\n"
                   "Η Καρτέλλα άλλαξε στο αρχείο καρτελλών από τότε· θα Επαναφέρω μόνο τα πεδία που "
                   "πληκτρολογήθηκαν.\nΘέλετε να τις Επαναφέρω ;");
const QString OtherAuthor = QStringLiteral("ΑΛΛΟΣ ΣΥΓΓΡΑΦΕΑΣ");

// The three cards with card 2's `field` made `text`.
QList<CardRecord> withField(Field field, const QString &text)
{
    QList<CardRecord> cards = numberedCards(3);
    cards[1].setField(field, text);
    return cards;
}

// `velmora --edit` on three cards, at card 2 with its title typed over, the typing kept.
struct Typing : LoadedWindow
{
    explicit Typing(bool edit = true)
    {
        if (edit)
            loadForEditing(numberedCards(3));
        else
            load(numberedCards(3));
        QCoreApplication::processEvents(); // nothing is offered: there was no typing before
        showCard(2);
        window->txtTitlos->setText(Typed);
    }
    QString path() { return recoveryFilePath(platform->cardFile(), platform->paths.dataFolder()); }
    std::optional<TypedCard> kept() { return readRecoveryFile(path(), platform->cardFile()); }
    bool waitUntilKept()
    {
        return QTest::qWaitFor([&] { return kept().has_value(); }, 2000);
    }
    // Another file takes the card file's name, as a copy moved over it does.
    void replaceCardFile(const QList<CardRecord> &cards)
    {
        platform->writeCards(cards);
        QVERIFY(QFile::rename(platform->cardFile(), platform->cardFile() + QStringLiteral(".new")));
        QVERIFY(QFile::copy(platform->cardFile() + QStringLiteral(".new"), platform->cardFile()));
    }
    // The program ends without a word (a kill) and is started again to edit the file.
    void startAgain(bool edit = true)
    {
        window.reset();
        editing.reset();
        session = CardWindowSession();
        platform->messages.calls.clear();
        if (edit) {
            editing.emplace(platform->paths.dataFolder());
            (void)editing->begin(platform->cardFile());
            session.editing = &*editing;
        }
        load();
        QCoreApplication::processEvents();
    }
};

enum class Leaving { FiledAndTold, NextYes, NextNo, NextCancel, ExitNo, CloseNo };

} // namespace

Q_DECLARE_METATYPE(Leaving)

class tst_recovery : public QObject
{
    Q_OBJECT

private slots:
    // A keystroke in any field, alone, is kept in its turn, within a second.
    void keptAfterTheLastKeystroke()
    {
        Typing t;
        QElapsedTimer clock;
        TypedCard expected{2, {}};
        for (int i = 0; i < FieldCount; ++i)
            expected.fields[i] = numberedCards(3)[1].shown(AllFields[i]);
        expected.fields[int(Field::Title)] = Typed;
        QWidget *fields[] = {t.window->txtEpo,   t.window->txtOno,   t.window->txtTitlos,
                             t.window->txtAlloi, t.window->txtEkdot, t.window->txtSp};
        for (int i = 0; i < FieldCount; ++i) {
            expected.fields[i] += QStringLiteral("Ω");
            if (auto *line = qobject_cast<QLineEdit *>(fields[i]))
                line->setText(expected.fields[i]);
            else
                t.window->txtTitlos->setText(expected.fields[i]);
            clock.start();
            QVERIFY(QTest::qWaitFor([&] { return t.kept() == expected; }, 2000));
            QVERIFY(clock.elapsed() <= 1000);
        }
        QCOMPARE(t.platform->messages.calls.size(), 0);
    }

    // Filed or dropped, the typing is not kept any longer; kept while it stays on screen.
    void goesWhenFiledOrDropped_data()
    {
        QTest::addColumn<Leaving>("leaving");
        QTest::addColumn<bool>("stays");
        QTest::newRow("filed, the backup told") << Leaving::FiledAndTold << false;
        QTest::newRow("next card, Yes") << Leaving::NextYes << false;
        QTest::newRow("next card, No") << Leaving::NextNo << false;
        QTest::newRow("next card, Cancel") << Leaving::NextCancel << true;
        QTest::newRow("exit, No") << Leaving::ExitNo << false;
        QTest::newRow("closing, No") << Leaving::CloseNo << false;
    }
    void goesWhenFiledOrDropped()
    {
        QFETCH(Leaving, leaving);
        QFETCH(bool, stays);
        Typing t;
        QVERIFY(t.waitUntilKept());
        FakeMessageBox &messages = t.platform->messages;
        switch (leaving) {
        case Leaving::FiledAndTold: {
            // The backup goes elsewhere, which is told; the keystroke delay ends meanwhile.
            const InterceptedCalls calls;
            beforeCall = [](const CallSite &site) {
                return site.call == Call::Openat && QByteArrayView(site.name).startsWith(".Filis.dat.bak.")
                           ? EACCES
                           : 0;
            };
            bool keptWhileTold = false;
            messages.onShow = [&](const MessageCall &) {
                QTest::qWait(900);
                keptWhileTold |= QFile::exists(t.path());
            };
            t.window->txtTitlos->setText(Typed + QStringLiteral("Ω"));
            t.window->cmdCorrect_Click();
            messages.onShow = nullptr;
            QCOMPARE(messages.calls.size(), 2); // where the backup went, then that the card was filed
            QVERIFY(!keptWhileTold);
            break;
        }
        case Leaving::NextYes:
        case Leaving::NextNo:
        case Leaving::NextCancel:
            messages.answers << (leaving == Leaving::NextYes  ? Answer::Yes
                                 : leaving == Leaving::NextNo ? Answer::No
                                                              : Answer::Cancel);
            t.window->cmdNext_Click();
            break;
        case Leaving::ExitNo:
            messages.answers << Answer::No;
            t.window->cmdExit_Click();
            break;
        case Leaving::CloseNo:
            messages.answers << Answer::No;
            QVERIFY(t.window->close());
            break;
        }
        QCOMPARE(QFile::exists(t.path()), stays);
        QTest::qWait(900); // and the keystroke delay does not bring it back
        QCOMPARE(QFile::exists(t.path()), stays);
        QCOMPARE(messages.unscripted, 0);
    }

    // At the next start of the editing: Yes puts the typing back on its card, unfiled, so
    // that leaving it asks (only its typed fields over a card changed since); No discards
    // it. A start only to read offers nothing, and the file stays.
    void offeredAtTheNextStart_data()
    {
        QTest::addColumn<QString>("next");
        QTest::addColumn<Answer>("answer");
        QTest::newRow("Yes") << QStringLiteral("edit") << Answer::Yes;
        QTest::newRow("No") << QStringLiteral("edit") << Answer::No;
        QTest::newRow("only reading") << QStringLiteral("read") << Answer::Ok;
        QTest::newRow("card changed since") << QStringLiteral("changed") << Answer::Yes;
    }
    void offeredAtTheNextStart()
    {
        QFETCH(QString, next);
        QFETCH(Answer, answer);
        Typing t;
        QVERIFY(t.waitUntilKept());
        if (next == QLatin1String("changed"))
            t.platform->writeCards(withField(Field::Author, OtherAuthor));
        const QByteArray filed = t.platform->cardFileBytes();
        FakeMessageBox &messages = t.platform->messages;
        if (answer != Answer::Ok)
            messages.answers << answer;
        t.startAgain(next != QLatin1String("read"));
        const bool dropped = answer == Answer::No;
        const bool changed = next == QLatin1String("changed");

        const bool offered = answer != Answer::Ok;
        QCOMPARE(messages.calls.size(), offered ? 1 : 0);
        if (offered) {
            QCOMPARE(messages.calls.first().prompt, changed ? OfferOverChanged : Offer);
            QCOMPARE(messages.calls.first().buttons, Buttons::YesNo);
        }
        const bool restored = answer == Answer::Yes;
        QCOMPARE(t.window->CurrentCard, restored ? 2 : 1);
        QCOMPARE(t.window->txtTitlos->text(), restored ? Typed : QStringLiteral("ΤΙΤΛΟΣ 1"));
        QCOMPARE(t.window->txtOno->text(), !restored ? QStringLiteral("ΣΥΓΓΡΑΦΕΑΣ 1")
                                           : changed ? OtherAuthor
                                                     : QStringLiteral("ΣΥΓΓΡΑΦΕΑΣ 2"));
        QCOMPARE(QFile::exists(t.path()), !dropped);
        QCOMPARE(t.platform->cardFileBytes(), filed);
        if (restored) {
            messages.answers << Answer::Cancel;
            t.window->cmdNext_Click();
            QCOMPARE(messages.calls.last().prompt, Unsaved);
            QCOMPARE(t.window->txtTitlos->text(), Typed);
        }
    }

    // F12 and a crash before the journal went, the card already written: at the next start
    // the file is as before, and the card is back on the screen as typed, unfiled. Typing
    // the recovery file kept is offered only when it is not that same typing.
    void anUndoneFilingComesBackAsTyping_data()
    {
        QTest::addColumn<QString>("kept"); // the title the recovery file holds, if any
        QTest::newRow("nothing kept") << QString();
        QTest::newRow("the same typing kept") << Typed;
        QTest::newRow("other typing kept") << QStringLiteral("ΑΛΛΟΣ ΤΙΤΛΟΣ");
    }
    void anUndoneFilingComesBackAsTyping()
    {
        QFETCH(QString, kept);
        Typing t;
        const QList<CardRecord> before = numberedCards(3);
        QList<CardRecord> filed = before;
        filed[1].setField(Field::Title, Typed);
        t.platform->writeCards(filed);
        QFile journal(journalBeside(t.platform->cardFile()));
        QVERIFY(journal.open(QIODevice::WriteOnly));
        journal.write(
            encodeJournal({RecordLength, 3 * RecordLength, bytesOf({before[1]}), bytesOf({filed[1]})}));
        journal.close();
        TypedCard typed{2, {}};
        for (int i = 0; i < FieldCount; ++i)
            typed.fields[i] = filed[1].shown(AllFields[i]);
        typed.fields[int(Field::Title)] = kept;
        const TypingBase base{before[1], {false, false, true}, t.editing->cardFile()};
        if (!kept.isEmpty())
            QVERIFY(writeRecoveryFile(t.path(), t.platform->cardFile(), typed, base));
        FakeMessageBox &messages = t.platform->messages;
        const bool other = !kept.isEmpty() && kept != Typed;
        if (other)
            messages.answers << Answer::No;
        t.startAgain();

        QCOMPARE(t.platform->cardFileBytes(), bytesOf(before));
        QCOMPARE(messages.calls.size(), other ? 2 : 1);
        QCOMPARE(messages.calls.first().prompt,
                 QStringLiteral("Η Καταχώριση της Καρτέλλας  2 είχε διακοπεί και αναιρέθηκε: το αρχείο "
                                "καρτελλών είναι όπως ήταν πριν από αυτήν.\nΌ,τι γράφτηκε στην Καρτέλλα "
                                "δείχνεται ξανά, χωρίς να έχει Καταχωρισθεί."));
        if (other)
            QCOMPARE(messages.calls.last().prompt, Offer);
        QCOMPARE(t.window->CurrentCard, 2);
        QCOMPARE(t.window->txtTitlos->text(), Typed);
        t.window->cmdCorrect_Click();
        QCOMPARE(t.platform->cardFileBytes(), bytesOf(filed));
        QVERIFY(!QFile::exists(t.path()));
    }

    // A card file replaced under the editor refuses every filing: «Όχι» at leaving keeps the
    // typing, says where, and the next start of the editing at that path offers it.
    void refusedTypingIsKept()
    {
        Typing t;
        QVERIFY(t.waitUntilKept());
        t.replaceCardFile(withField(Field::Author, OtherAuthor));
        FakeMessageBox &messages = t.platform->messages;
        t.window->cmdCorrect_Click();
        messages.answers << Answer::No;
        t.window->cmdExit_Click();
        QCOMPARE(messages.calls.last().prompt,
                 QStringLiteral("Οι Αλλαγές της Καρτέλλας  2 δεν Καταχωρίσθηκαν και φυλάχθηκαν στο «%1».\n"
                                "Θα σας προταθούν ξανά, όταν ανοίξετε πάλι για διόρθωση το «%2».")
                     .arg(t.path(), t.platform->cardFile()));
        messages.answers << Answer::Yes;
        t.startAgain();
        QCOMPARE(messages.calls.first().prompt, OfferOverChanged);
        QCOMPARE(t.window->txtTitlos->text(), Typed);
        QCOMPARE(t.window->txtOno->text(), OtherAuthor);
    }

    // A logout: asked as closing the window asks when the session manager lets the program
    // ask (Cancel stops the logout), the typing kept at once when it does not.
    void theSessionEnds_data()
    {
        QTest::addColumn<bool>("mayAsk");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<bool>("ends");
        QTest::newRow("no asking") << false << Answer::Ok << true;
        QTest::newRow("Yes") << true << Answer::Yes << true;
        QTest::newRow("No") << true << Answer::No << true;
        QTest::newRow("Cancel") << true << Answer::Cancel << false;
    }
    void theSessionEnds()
    {
        QFETCH(bool, mayAsk);
        QFETCH(Answer, answer);
        QFETCH(bool, ends);
        Typing t;
        FakeMessageBox &messages = t.platform->messages;
        if (mayAsk)
            messages.answers << answer;
        QCOMPARE(t.window->mayEndSession([&] { return mayAsk; }), ends);
        QCOMPARE(messages.calls.size(), mayAsk ? 1 : 0);
        if (mayAsk)
            QCOMPARE(messages.calls.first().prompt, Unsaved);
        if (answer == Answer::Cancel)
            QVERIFY(t.waitUntilKept()); // still on the screen, so kept as before
        QCOMPARE(t.kept().has_value(), !mayAsk || answer == Answer::Cancel);
        QCOMPARE(t.window->txtTitlos->text(), answer == Answer::No ? QStringLiteral("ΤΙΤΛΟΣ 2") : Typed);
        QList<CardRecord> cards = numberedCards(3);
        if (answer == Answer::Yes)
            cards[1].setField(Field::Title, Typed);
        QCOMPARE(t.platform->cardFileBytes(), bytesOf(cards));
        // Ended without a word afterwards: nothing dropped comes back.
        t.window->keepTypedCard();
        QCOMPARE(t.kept().has_value(), !mayAsk || answer == Answer::Cancel);
    }
};

QTEST_MAIN(tst_recovery)
#include "tst_recovery.moc"
