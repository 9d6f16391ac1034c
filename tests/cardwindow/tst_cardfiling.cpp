// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The keeper's editing mode: the editing controls only when the program was started to
// edit a card file it can write, every write through the editing session, and nothing
// typed or filed ever lost.

#include "cardeditsession.h"
#include "cardwindowtest.h"
#include "editcopy.h"
#include "filingprogress.h"
#include "testfiles.h"
#include "titleedit.h"

#include <QAction>
#include <QApplication>
#include <QCursor>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLineEdit>
#include <QProgressDialog>
#include <QPushButton>
#include <QTest>
#include <QTimer>

#include <atomic>
#include <future>
#include <optional>

using namespace velmora;
using namespace velmora::test;

namespace {

enum class Leaving { Next, Previous, TitleSearch, NothingFound, CardNumber, Exploration, CtrlA, Exit, Close };

const QString Unsaved = QStringLiteral("Θέλετε να Καταχωρίσω τις Αλλαγές της Καρτέλλας  2 ;");
const QString IoError = QStringLiteral("Σφάλμα εισόδου/εξόδου κατά την ανάγνωση ή την εγγραφή.");

// The card window over `cards` cards at card 2, started to edit them (or only to read
// them). `prepare` comes between the writing of the cards and the window's load.
struct Editor
{
    explicit Editor(bool edit = true, const std::function<void(Editor &)> &prepare = {}, int cards = 3)
    {
        tp.writeCards(numberedCards(cards));
        if (prepare)
            prepare(*this);
        before = tp.cardFileBytes();
        if (edit) {
            editing.emplace(tp.paths.dataFolder());
            editing->begin(tp.cardFile());
            session.editing = &*editing;
        }
        tp.forms.registerForm(FormName::frmMulti, [] { return new QWidget; });
        w = std::make_unique<frmTervani>(tp.platform(), tp.forms, session);
        w->Form_Load();
        w->CurrentCard = 2;
        w->ShowCR();
    }
    ~Editor() { delete tp.forms.form(FormName::frmMulti); }

    TestPlatform tp;
    CardWindowSession session;
    std::optional<CardEditSession> editing;
    std::unique_ptr<frmTervani> w;
    QByteArray before;
};

// The bytes of the three cards with card 2's title `title`.
QByteArray withTitle(const QString &title)
{
    QList<CardRecord> cards = numberedCards(3);
    cards[1].setField(Field::Title, title);
    return bytesOf(cards);
}

} // namespace

Q_DECLARE_METATYPE(Leaving)

class tst_cardfiling : public QObject
{
    Q_OBJECT

private slots:
    // Between "ΕΚΤΥΠΩΣΗ" and "ΠΡΟΣ ΕΚΤΥΠΩΣΗ", with F3 and F12, only for a file that can be
    // written; asked for on one that cannot, the keeper is told why, once.
    void editingControls_data()
    {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<QString>("readOnly"); // what keeps the file from being written
        QTest::addColumn<QString>("told");
        QTest::newRow("browsing") << false << QString() << QString();
        QTest::newRow("editing") << true << QString() << QString();
        QTest::newRow("editing a read-only file")
            << true << QStringLiteral("file") << QStringLiteral("δεν επιτρέπεται η εγγραφή σε αυτό.");
        QTest::newRow("editing on a read-only medium")
            << true << QStringLiteral("medium")
            << QStringLiteral("το μέσο αποθήκευσης δεν δέχεται εγγραφές.");
    }
    void editingControls()
    {
        QFETCH(bool, edit);
        QFETCH(QString, readOnly);
        QFETCH(QString, told);
        InterceptedCalls calls;
        const int refusal = readOnly == QLatin1String("file") ? EACCES : readOnly.isEmpty() ? 0 : EROFS;
        beforeCall = [refusal](const CallSite &site) {
            return opensForWriting(site, "Filis.dat") ? refusal : 0;
        };
        Editor e(edit);
        const bool shown = edit && readOnly.isEmpty();
        for (QPushButton *b : {e.w->cmdNew, e.w->cmdDelete, e.w->cmdCorrect})
            QCOMPARE(!b->isHidden() && b->isEnabled(), shown);
        for (QAction *a : {e.w->mnuNew, e.w->mnuSave})
            QCOMPARE(a->isVisible() && a->isEnabled(), shown);
        e.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(e.w.get()));
        if (shown) {
            const auto x = [&](QWidget *b) { return b->mapTo(e.w.get(), QPoint()).x(); };
            QVERIFY(x(e.w->cmdEndPrint) < x(e.w->cmdDelete) && x(e.w->cmdNew) < x(e.w->cmdPrint));
            QCOMPARE(e.w->cmdNew->mapTo(e.w.get(), QPoint()).y(),
                     e.w->cmdPrint->mapTo(e.w.get(), QPoint()).y());
        }
        QTest::qWait(20);
        e.w->Form_Load(); // loaded again, as after the exploration window: not told twice
        QTest::qWait(20);
        QStringList prompts;
        for (const MessageCall &m : e.tp.messages.calls)
            prompts << m.prompt;
        const QString whole =
            QStringLiteral("Οι Καρτέλλες δεν μπορούν να διορθωθούν.\nΤο αρχείο ανοίχτηκε μόνο "
                           "για ανάγνωση: ") +
            told + QLatin1Char('\n') + editCopyAdvice(e.tp.cardFile());
        QCOMPARE(prompts, told.isEmpty() ? QStringList() : QStringList{whole});
    }

    // The backup that could not go beside the card file: the filing says where it went, once.
    void theFilingSaysWhereTheBackupWent()
    {
        Editor e(true, [](Editor &fresh) {
            QFile::link(fresh.tp.cardFile() + QStringLiteral(".elsewhere"),
                        fresh.tp.cardFile() + QStringLiteral(".bak"));
        });
        e.w->txtTitlos->setText(QStringLiteral("ΝΕΟΣ ΤΙΤΛΟΣ"));
        e.w->cmdCorrect_Click();
        QCOMPARE(e.tp.messages.calls.size(), 2);
        QVERIFY(e.tp.messages.calls.first().prompt.contains(
            backupInFolder(e.tp.cardFile(), e.tp.paths.dataFolder())));
        QCOMPARE(e.tp.messages.calls.last().prompt, QStringLiteral("Η Καρτέλλα  2 Καταχωρίσθηκε"));
        e.w->cmdCorrect_Click();
        QCOMPARE(e.tp.messages.calls.size(), 3);
    }

    // F12 files the title typed, F3 appends a card, Yes deletes one; the whole file was
    // backed up before the first of them.
    void filingAppendingDeleting()
    {
        Editor e;
        e.w->show();
        e.w->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(e.w.get()));
        e.w->txtTitlos->setText(QStringLiteral("ΝΕΟΣ ΤΙΤΛΟΣ"));
        QTest::keyClick(e.w.get(), Qt::Key_F12);
        QCOMPARE(e.tp.messages.calls.last().prompt, QStringLiteral("Η Καρτέλλα  2 Καταχωρίσθηκε"));
        QCOMPARE(e.tp.cardFileBytes(), withTitle(QStringLiteral("ΝΕΟΣ ΤΙΤΛΟΣ")));
        QFile backup(e.tp.cardFile() + QStringLiteral(".bak"));
        QVERIFY(backup.open(QIODevice::ReadOnly));
        QCOMPARE(backup.readAll(), e.before);

        QTest::keyClick(e.w.get(), Qt::Key_F3);
        QCOMPARE(e.w->windowTitle(), QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα:  4  από  4"));
        QCOMPARE(e.tp.cardFileBytes().mid(3 * RecordLength),
                 QByteArray("\x39\x36\x30\x2D") + QByteArray(191, ' '));

        e.tp.messages.answers.enqueue(Answer::Yes);
        QTest::mouseClick(e.w->cmdDelete, Qt::LeftButton);
        QCOMPARE(e.tp.cardFileBytes().mid(3 * RecordLength),
                 QByteArray(CardRecord::deletedCard().bytes().data(), RecordLength));
        QCOMPARE(e.w->txtEpo->text(), QStringLiteral("~~~"));
        QCOMPARE(e.tp.cardFileBytes().left(3 * RecordLength), withTitle(QStringLiteral("ΝΕΟΣ ΤΙΤΛΟΣ")));
    }

    // A field the keeper did not change goes back byte for byte as it was read, however
    // it is shown; the field changed is stored anew.
    void unchangedFieldsAreFiledAsRead_data()
    {
        QTest::addColumn<int>("offset"); // in card 2, within a field other than the title
        QTest::addColumn<QByteArray>("stored");
        QTest::newRow("leading blank") << 20 << QByteArray(" \xD0\xC1\xD0\xC1\xC4\xC5\xC1\xD3 \xD0.");
        QTest::newRow("control bytes") << 135 << QByteArray("\t\xC1\xC8\xC7\xCD\xC1\r\n\0\x1F", 10);
        QTest::newRow("undefined code-page bytes") << 105 << QByteArray("\x81\xAA\xD2\xFF \x88\x98");
        QTest::newRow("bytes after the text") << 175 << QByteArray("\xD3. 2\0\0\0   \xFF.", 12);
        QTest::newRow("no blank at all") << 0 << QByteArray(" 960-0000000000000 ~");
    }
    void unchangedFieldsAreFiledAsRead()
    {
        QFETCH(int, offset);
        QFETCH(QByteArray, stored);
        Editor e(true, [&](Editor &fresh) {
            QByteArray bytes = bytesOf(numberedCards(3));
            bytes.replace(RecordLength + offset, stored.size(), stored);
            QFile file(fresh.tp.cardFile());
            QVERIFY(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size());
        });
        QByteArray expected = e.before;
        e.w->cmdCorrect_Click(); // nothing changed
        QCOMPARE(e.tp.cardFileBytes(), expected);
        e.w->txtTitlos->setText(QStringLiteral("ΝΕΟΣ ΤΙΤΛΟΣ"));
        e.w->cmdNew_Click();
        expected.replace(RecordLength + 40, 65,
                         withTitle(QStringLiteral("ΝΕΟΣ ΤΙΤΛΟΣ")).mid(RecordLength + 40, 65));
        QCOMPARE(e.tp.cardFileBytes(),
                 expected + QByteArray(CardRecord::newCard().bytes().data(), RecordLength));
    }

    // A new card goes after every byte of the file: a partial last card, counted or not,
    // is made whole with the blanks it is shown with first. The first new card of an
    // empty file is card 1, unless the empty card it offers was typed into.
    void newCardsKeepEveryByte_data()
    {
        QTest::addColumn<int>("cards");
        QTest::addColumn<QByteArray>("tail");
        QTest::addColumn<int>("shown");
        QTest::addColumn<QString>("typed"); // into the card shown
        QTest::addColumn<int>("newCard");
        QTest::newRow("empty file") << 0 << QByteArray() << 1 << QString() << 1;
        QTest::newRow("empty file, its card typed into")
            << 0 << QByteArray() << 1 << QStringLiteral("ΠΡΩΤΗ") << 2;
        QTest::newRow("a tail too short to count") << 3 << QByteArray(97, '\xD4') << 3 << QString() << 5;
        QTest::newRow("a tail counted as a card") << 3 << QByteArray(98, '\xD4') << 1 << QString() << 5;
    }
    void newCardsKeepEveryByte()
    {
        QFETCH(int, cards);
        QFETCH(QByteArray, tail);
        QFETCH(int, shown);
        QFETCH(QString, typed);
        QFETCH(int, newCard);
        Editor e(
            true, [&](Editor &fresh) { fresh.tp.writeCards(numberedCards(cards), tail); }, cards);
        e.w->CurrentCard = shown;
        e.w->ShowCR();
        QList<CardRecord> expected = numberedCards(cards);
        if (!tail.isEmpty())
            expected << CardRecord::fromBytes(tail);
        if (!typed.isEmpty()) {
            e.w->txtTitlos->setText(typed);
            expected << CardRecord();
            expected[0].setField(Field::Title, typed);
        }
        e.w->cmdNew_Click();
        QCOMPARE(e.tp.cardFileBytes(), bytesOf(expected << CardRecord::newCard()));
        QCOMPARE(e.w->CurrentCard, newCard);
        QCOMPARE(e.w->CardCount, newCard);
        QCOMPARE(e.w->txtEpo->text(), QStringLiteral("960-"));
    }

    // Printing a changed card asks first: Yes files and prints it, No prints the card as
    // filed and keeps the typing, Cancel prints nothing.
    void printingAChangedCardAsksFirst_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("Yes") << Answer::Yes;
        QTest::newRow("No") << Answer::No;
        QTest::newRow("Cancel") << Answer::Cancel;
    }
    void printingAChangedCardAsksFirst()
    {
        QFETCH(Answer, answer);
        Editor e;
        const QString typed = QStringLiteral("ΔΙΟΡΘΩΣΗ");
        e.w->txtTitlos->setText(typed);
        e.tp.messages.answers.enqueue(answer);
        e.w->cmdPrint_Click();
        QCOMPARE(e.tp.messages.calls.size(), 1);
        QCOMPARE(e.tp.messages.calls.first().prompt, Unsaved);
        QCOMPARE(e.tp.cardFileBytes(), answer == Answer::Yes ? withTitle(typed) : e.before);
        QCOMPARE(e.w->txtTitlos->text(), typed);
        QCOMPARE(e.tp.printer.isOpen(), answer != Answer::Cancel);
        if (answer == Answer::Cancel)
            return;
        const QStringList printed = e.tp.printer.pending().pages.first();
        QVERIFY(printed.contains(e.w->Card.field(Field::Title)));
        QCOMPARE(e.w->Card.trimmed(Field::Title), answer == Answer::Yes ? typed : QStringLiteral("ΤΙΤΛΟΣ 2"));
    }

    // Past half a second, whichever step is slow (the first filing's copy of the whole file,
    // a sync, which tells nothing), the busy cursor and a window naming the card show it,
    // and keys typed meanwhile act on nothing.
    void aLongFilingShowsItsProgress_data()
    {
        QTest::addColumn<int>("tick");     // milliseconds between two looks at the clock
        QTest::addColumn<int>("slowSync"); // takes 4 s: none, the backup's, a later card's
        QTest::newRow("quick") << 0 << -1;
        QTest::newRow("a slow copy") << 600 << -1;
        QTest::newRow("a slow sync of the backup") << 0 << int(Call::Fsync);
        QTest::newRow("a slow sync of a later card") << 0 << int(Call::Fdatasync);
    }
    void aLongFilingShowsItsProgress()
    {
        QFETCH(int, tick);
        QFETCH(int, slowSync);
        const bool later = slowSync == int(Call::Fdatasync);
        // Three blocks of the copy, so the window can be seen between two of them.
        Editor e(true, {}, 9000);
        e.w->show();
        QVERIFY(QTest::qWaitForWindowExposed(e.w.get()));
        if (later)
            e.w->cmdCorrect_Click();
        std::promise<void> looked;
        std::optional<InterceptedCalls> calls;
        std::atomic<bool> held = false;
        bool lookedDuringSync = false;
        // The filing's first sync of the kind, held until the window has been looked at (for
        // 5 s at most: the window may never come).
        if (slowSync >= 0) {
            calls.emplace();
            beforeCall = [&](const CallSite &site) {
                if (int(site.call) == slowSync && !held.exchange(true)) {
                    e.tp.clock.monotonic += 4000;
                    lookedDuringSync =
                        looked.get_future().wait_for(std::chrono::seconds(5)) == std::future_status::ready;
                }
                return 0;
            };
        }
        e.w->txtTitlos->setText(QStringLiteral("ΝΕΟΣ ΤΙΤΛΟΣ"));
        QStringList seen;
        e.tp.clock.tick = tick;
        // Half a second after the start, what the window shows is looked at, and keys are
        // typed, as soon as events are handled again.
        bool typed = false;
        e.tp.clock.onRead = [&] {
            if (e.tp.clock.monotonic == 0 || std::exchange(typed, true))
                return;
            QTimer::singleShot(0, e.w.get(), [&] {
                if (const auto *window = e.w->findChild<QProgressDialog *>(QStringLiteral("filingProgress")))
                    seen << window->labelText() << QString::number(window->isVisible());
                if (const QCursor *cursor = QApplication::overrideCursor())
                    seen << QString::number(cursor->shape());
                looked.set_value();
            });
            QCoreApplication::postEvent(e.w->txtTitlos, new QKeyEvent(QEvent::KeyPress, Qt::Key_X,
                                                                      Qt::NoModifier, QStringLiteral("X")));
            QCoreApplication::postEvent(e.w.get(),
                                        new QKeyEvent(QEvent::KeyPress, Qt::Key_PageDown, Qt::NoModifier));
        };
        // A close within the first half second is refused, not asked about mid-filing.
        bool closed = slowSync < 0;
        if (!closed)
            QTimer::singleShot(0, e.w.get(), [&] { closed = e.w->close(); });
        e.w->cmdCorrect_Click();
        QCoreApplication::processEvents();
        QCOMPARE(closed || e.tp.messages.unscripted > 0, slowSync < 0);
        const QString label = QStringLiteral("Η Καρτέλλα  2 Καταχωρίζεται.") +
                              (later ? QString()
                                     : QStringLiteral("\nΠρώτα αντιγράφεται ολόκληρο το αρχείο καρτελλών, "
                                                      "για ασφάλεια."));
        QCOMPARE(seen, (tick == 0 && slowSync < 0
                            ? QStringList()
                            : QStringList{label, QStringLiteral("1"), QString::number(Qt::WaitCursor)}));
        QCOMPARE(lookedDuringSync, slowSync >= 0);
        QVERIFY(!e.w->findChild<QProgressDialog *>());
        QVERIFY(!QApplication::overrideCursor());
        QCOMPARE(e.w->CurrentCard, 2);
        QCOMPARE(e.w->txtTitlos->text(), QStringLiteral("ΝΕΟΣ ΤΙΤΛΟΣ"));
        QCOMPARE(e.tp.messages.calls.last().prompt, QStringLiteral("Η Καρτέλλα  2 Καταχωρίσθηκε"));
    }

    // A fault in the filing's thread reaches the window's handler guard as before.
    void aFaultInTheFilingIsThrownToTheWindow()
    {
        TestPlatform tp;
        FilingProgress progress(tp.clock, nullptr, QString());
        QVERIFY_THROWS_EXCEPTION(std::logic_error,
                                 (void)progress.run([](const BackupProgress &) -> Result<void> {
                                     throw std::logic_error("a fault");
                                 }));
    }

    // Leaving a changed card asks first: Yes files it and goes on, No drops it and goes
    // on, Cancel stays with the text typed.
    void changesAreAskedAbout_data()
    {
        QTest::addColumn<Leaving>("leaving");
        QTest::addColumn<Answer>("answer");
        QTest::newRow("next, Yes") << Leaving::Next << Answer::Yes;
        QTest::newRow("next, No") << Leaving::Next << Answer::No;
        QTest::newRow("next, Cancel") << Leaving::Next << Answer::Cancel;
        QTest::newRow("previous, No") << Leaving::Previous << Answer::No;
        QTest::newRow("a title search, Cancel") << Leaving::TitleSearch << Answer::Cancel;
        QTest::newRow("a title search, Yes") << Leaving::TitleSearch << Answer::Yes;
        QTest::newRow("a search finding nothing, Cancel") << Leaving::NothingFound << Answer::Cancel;
        QTest::newRow("a search finding nothing, Yes") << Leaving::NothingFound << Answer::Yes;
        QTest::newRow("card number, Cancel") << Leaving::CardNumber << Answer::Cancel;
        QTest::newRow("exploration, Cancel") << Leaving::Exploration << Answer::Cancel;
        QTest::newRow("exploration, No") << Leaving::Exploration << Answer::No;
        QTest::newRow("exploration by Ctrl+A, Cancel") << Leaving::CtrlA << Answer::Cancel;
        QTest::newRow("exploration by Ctrl+A, No") << Leaving::CtrlA << Answer::No;
        QTest::newRow("exit, Cancel") << Leaving::Exit << Answer::Cancel;
        QTest::newRow("exit, Yes") << Leaving::Exit << Answer::Yes;
        QTest::newRow("closing, Cancel") << Leaving::Close << Answer::Cancel;
    }
    void changesAreAskedAbout()
    {
        QFETCH(Leaving, leaving);
        QFETCH(Answer, answer);
        Editor e;
        const QString typed = QStringLiteral("ΔΙΟΡΘΩΣΗ");
        e.w->txtTitlos->setText(typed);
        e.tp.messages.answers.enqueue(answer);
        bool closed = true;
        switch (leaving) {
        case Leaving::Next:
            e.w->cmdNext_Click();
            break;
        case Leaving::Previous:
            e.w->cmdPrevious_Click();
            break;
        case Leaving::TitleSearch:
            e.tp.input.answers.enqueue(QStringLiteral("ΤΙΤΛΟΣ 3"));
            e.tp.messages.answers.enqueue(Answer::Cancel); // the print question, if it comes
            e.w->cmdFindTitle_Click();
            break;
        case Leaving::NothingFound:
            e.tp.input.answers.enqueue(QStringLiteral("ΚΑΝΕΝΑΣ"));
            e.tp.messages.answers.prepend(Answer::Ok); // the title was not found
            e.w->cmdFindTitle_Click();
            break;
        case Leaving::CardNumber:
            e.tp.input.answers.enqueue(QStringLiteral("1"));
            e.w->cmdFindcode_Click();
            break;
        case Leaving::Exploration:
            e.w->cmdMulti_Click();
            break;
        case Leaving::CtrlA:
            e.w->show();
            e.w->activateWindow();
            QVERIFY(QTest::qWaitForWindowActive(e.w.get()));
            QTest::keyClick(e.w.get(), Qt::Key_A, Qt::ControlModifier);
            break;
        case Leaving::Exit:
            e.w->cmdExit_Click();
            break;
        case Leaving::Close:
            closed = e.w->close();
            break;
        }
        const bool exploring = leaving == Leaving::Exploration || leaving == Leaving::CtrlA;
        // A search that finds nothing says so before it asks.
        const int asked = leaving == Leaving::NothingFound ? 1 : 0;
        QVERIFY(e.tp.messages.calls.size() > asked);
        QCOMPARE(e.tp.messages.calls.at(asked).prompt, Unsaved);
        QCOMPARE(e.tp.messages.calls.at(asked).buttons, Buttons::YesNoCancel);
        const bool left = answer != Answer::Cancel;
        QCOMPARE(e.tp.cardFileBytes(), answer == Answer::Yes ? withTitle(typed) : e.before);
        QCOMPARE(e.w->CurrentCard == 2,
                 !left || exploring || leaving == Leaving::Exit || leaving == Leaving::NothingFound);
        QCOMPARE(e.tp.forms.isLoaded(FormName::frmMulti), left && exploring);
        QCOMPARE(e.tp.programEnded, left && leaving == Leaving::Exit ? 1 : 0);
        QCOMPARE(closed, leaving != Leaving::Close || left);
        if (!left)
            QCOMPARE(e.w->txtTitlos->text(), typed);
    }

    // Characters the code page cannot hold are named before filing, by F12 or by Yes to
    // the question on leaving the card; No goes back to them.
    void charactersTheCodePageCannotHold_data()
    {
        QTest::addColumn<bool>("leaving");
        QTest::newRow("F12") << false;
        QTest::newRow("Yes on leaving the card") << true;
    }
    void charactersTheCodePageCannotHold()
    {
        QFETCH(bool, leaving);
        for (Answer answer : {Answer::No, Answer::Yes}) {
            Editor e;
            e.w->txtOno->setText(QStringLiteral("ΓΚΑΙΤΕ Жё"));
            if (leaving)
                e.tp.messages.answers.enqueue(Answer::Yes);
            e.tp.messages.answers.enqueue(answer);
            if (leaving)
                e.w->cmdNext_Click();
            else
                e.w->cmdCorrect_Click();
            QCOMPARE(e.tp.messages.calls.size(), 1 + int(leaving) + int(answer == Answer::Yes && !leaving));
            e.tp.messages.calls.remove(0, int(leaving));
            QCOMPARE(e.tp.messages.calls.first().prompt,
                     QStringLiteral("Οι χαρακτήρες «Ж», «ё» δεν υπάρχουν στην Ελληνική κωδικοσελίδα της "
                                    "Βιβλιογραφίας και θα Καταχωρισθούν ως «?».\nΘέλετε να Καταχωρίσω την "
                                    "Καρτέλλα  2 ;"));
            QCOMPARE(e.tp.messages.calls.first().defaultButton, Answer::No);
            QList<CardRecord> cards = numberedCards(3);
            cards[1].setField(Field::Author, QStringLiteral("ΓΚΑΙΤΕ ??"));
            QCOMPARE(e.tp.cardFileBytes(), answer == Answer::Yes ? bytesOf(cards) : e.before);
            QCOMPARE(e.tp.messages.calls.size(), answer == Answer::Yes && !leaving ? 2 : 1);
            QCOMPARE(e.w->CurrentCard, answer == Answer::Yes && leaving ? 3 : 2);
            if (e.w->CurrentCard == 2)
                QCOMPARE(e.w->txtOno->text(), QStringLiteral("ΓΚΑΙΤΕ Жё"));
        }
    }

    // A write that fails for a real reason is told; the window stays with the typed text,
    // and the file keeps every byte. On the full medium not even the journal fits, so
    // nothing is filed.
    void aFailedWriteKeepsTheTypedText_data()
    {
        QTest::addColumn<QString>("failure");
        QTest::addColumn<QString>("told");
        // The journal that keeps a card from being torn needs a page of its own.
        QTest::newRow("full disk") << QStringLiteral("full")
                                   << QStringLiteral(
                                          "Η Καρτέλλα  21 δεν Καταχωρίσθηκε.\nΔεν γράφτηκε το "
                                          "ημερολόγιο που προστατεύει την καρτέλλα, γι' αυτό δεν "
                                          "γράφτηκε τίποτα.\nΣτον φάκελο «%1»: Δεν υπάρχει "
                                          "ελεύθερος χώρος στο μέσο αποθήκευσης.\nΣτον φάκελο "
                                          "«%1/share/Velmora»: Δεν υπάρχει ελεύθερος χώρος στο μέσο "
                                          "αποθήκευσης.");
        QTest::newRow("replaced by another file")
            << QStringLiteral("replaced")
            << QStringLiteral("Η Καρτέλλα  21 δεν Καταχωρίσθηκε.\nΣτη θέση του βρίσκεται πλέον άλλο αρχείο.");
        QTest::newRow("removed while open")
            << QStringLiteral("removed")
            << QStringLiteral("Η Καρτέλλα  21 δεν Καταχωρίσθηκε.\nΤο αρχείο διαγράφηκε ή μετακινήθηκε από "
                              "τότε που ανοίχτηκε.");
        // Two faults in a row: the card's sync fails, and putting the old card back too.
        QTest::newRow("torn") << QStringLiteral("torn")
                              << QStringLiteral("Η Καρτέλλα  21 δεν Καταχωρίσθηκε.\n") + IoError +
                                     QStringLiteral(" Η καρτέλλα ίσως έμεινε μισογραμμένη στο αρχείο.");
    }
    void aFailedWriteKeepsTheTypedText()
    {
        QFETCH(QString, failure);
        QFETCH(QString, told);
        Editor e(true, {}, 21);
        e.w->CurrentCard = 21;
        e.w->ShowCR();
        e.w->cmdCorrect_Click(); // the backup is made while there is room
        e.tp.messages.calls.clear();
        const QString kept = e.tp.cardFile() + QStringLiteral(".kept"); // the file, whatever befalls its name
        QCOMPARE(::link(QFile::encodeName(e.tp.cardFile()).constData(), QFile::encodeName(kept).constData()),
                 0);
        std::optional<InterceptedCalls> calls;
        std::atomic<bool> faulty = true, syncFailed = false;
        if (failure == QLatin1String("full")) {
            calls.emplace();
            beforeCall = [](const CallSite &site) { return site.call == Call::Write ? ENOSPC : 0; };
        } else if (failure == QLatin1String("torn")) {
            calls.emplace();
            beforeCall = [&](const CallSite &site) {
                if (faulty && site.call == Call::Fdatasync)
                    return syncFailed = true, EIO;
                return faulty && syncFailed && site.call == Call::Pwrite ? EIO : 0;
            };
        } else
            QVERIFY(QFile::remove(e.tp.cardFile()));
        if (failure == QLatin1String("replaced"))
            e.tp.writeCards(numberedCards(2));

        e.w->txtTitlos->setText(QStringLiteral("ΝΕΟΣ ΤΙΤΛΟΣ"));
        e.w->cmdNew_Click();

        QCOMPARE(e.tp.messages.calls.size(), 1);
        QCOMPARE(e.tp.messages.calls.first().prompt, told.arg(e.tp.dir.path()));
        QCOMPARE(e.tp.programEnded, 0);
        QCOMPARE(e.w->CurrentCard, 21);
        QCOMPARE(e.w->CardCount, 21);
        QCOMPARE(e.w->txtTitlos->text(), QStringLiteral("ΝΕΟΣ ΤΙΤΛΟΣ"));
        // A card not filed is still a changed card: leaving it asks.
        e.tp.messages.answers.enqueue(Answer::Cancel);
        e.w->cmdPrevious_Click();
        QCOMPARE(e.tp.messages.calls.size(), 2);
        QCOMPARE(e.tp.messages.calls.last().prompt,
                 QStringLiteral("Θέλετε να Καταχωρίσω τις Αλλαγές της Καρτέλλας  21 ;"));
        QCOMPARE(e.w->CurrentCard, 21);
        QList<CardRecord> expected = numberedCards(21);
        if (failure == QLatin1String("torn")) {
            // The change dropped, another card filed: refused while the card that may be
            // torn cannot be put back, filed once it has been.
            e.tp.messages.answers << Answer::No;
            e.w->cmdPrevious_Click();
            e.w->txtTitlos->setText(QStringLiteral("ΑΛΛΟΣ ΤΙΤΛΟΣ"));
            e.w->cmdCorrect_Click();
            QCOMPARE(e.tp.messages.calls.last().prompt,
                     QStringLiteral("Η Καρτέλλα  20 δεν Καταχωρίσθηκε.\nΜια καταχώριση καρτέλλας που "
                                    "διακόπηκε δεν αναιρέθηκε: ") +
                         IoError);
            faulty = false;
            e.w->cmdCorrect_Click();
            QCOMPARE(e.tp.messages.calls.last().prompt, QStringLiteral("Η Καρτέλλα  20 Καταχωρίσθηκε"));
            expected[19].setField(Field::Title, QStringLiteral("ΑΛΛΟΣ ΤΙΤΛΟΣ"));
        }
        QFile whole(kept);
        QVERIFY(whole.open(QIODevice::ReadOnly));
        QCOMPARE(whole.readAll(), bytesOf(expected));
    }
};

QTEST_MAIN(tst_cardfiling)
#include "tst_cardfiling.moc"
