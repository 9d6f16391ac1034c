// The keeper's editing mode: the editing controls only when the program was started to
// edit a card file it can write, every write through the editing session, and nothing
// typed or filed ever lost.

#include "cardeditsession.h"
#include "cardwindowtest.h"
#include "realfailures.h"
#include "titleedit.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>

#include <optional>

using namespace velmora;
using namespace velmora::test;

namespace {

enum class Leaving { Next, Previous, TitleSearch, CardNumber, Exploration, Exit, Close };

const QString Unsaved = QStringLiteral("Θέλετε να Καταχωρίσω τις Αλλαγές της Καρτέλλας  2 ;");

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
            editing.emplace(tp.paths.exportFolder());
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

class tst_editing : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase() { usePrivateMounts(); }

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
        std::optional<PermissionsObeyed> obeyed;
        std::optional<SmallMedium> medium;
        Editor e(edit, [&](Editor &e) {
            if (readOnly == QLatin1String("file")) {
                QFile::setPermissions(e.tp.cardFile(), QFile::ReadOwner | QFile::ReadOther);
                obeyed.emplace();
            } else if (readOnly == QLatin1String("medium")) {
                medium.emplace(e.tp.dir.path());
                e.tp.writeCards(numberedCards(3));
                medium->makeReadOnly();
            }
        });
        if (obeyed && !obeyed->ok())
            QSKIP("root writes to any file and cannot give that up here");
        if (medium && !medium->mounted)
            QSKIP("cannot mount a small file system here");
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
            told;
        QCOMPARE(prompts, told.isEmpty() ? QStringList() : QStringList{whole});
    }

    // The backup that could not go beside the card file: the filing says where it went, once.
    void theFilingSaysWhereTheBackupWent()
    {
        Editor e(true, [](Editor &e) {
            QFile::link(e.tp.cardFile() + QStringLiteral(".elsewhere"),
                        e.tp.cardFile() + QStringLiteral(".bak"));
        });
        e.w->txtTitlos->setText(QStringLiteral("ΝΕΟΣ ΤΙΤΛΟΣ"));
        e.w->cmdCorrect_Click();
        QCOMPARE(e.tp.messages.calls.size(), 2);
        QVERIFY(e.tp.messages.calls.first().prompt.contains(
            backupInFolder(e.tp.cardFile(), e.tp.paths.exportFolder())));
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
        QTest::newRow("card number, Cancel") << Leaving::CardNumber << Answer::Cancel;
        QTest::newRow("exploration, Cancel") << Leaving::Exploration << Answer::Cancel;
        QTest::newRow("exploration, No") << Leaving::Exploration << Answer::No;
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
        case Leaving::CardNumber:
            e.tp.input.answers.enqueue(QStringLiteral("1"));
            e.w->cmdFindcode_Click();
            break;
        case Leaving::Exploration:
            e.w->cmdMulti_Click();
            break;
        case Leaving::Exit:
            e.w->cmdExit_Click();
            break;
        case Leaving::Close:
            closed = e.w->close();
            break;
        }
        QVERIFY(!e.tp.messages.calls.isEmpty());
        QCOMPARE(e.tp.messages.calls.first().prompt, Unsaved);
        QCOMPARE(e.tp.messages.calls.first().buttons, Buttons::YesNoCancel);
        const bool left = answer != Answer::Cancel;
        QCOMPARE(e.tp.cardFileBytes(), answer == Answer::Yes ? withTitle(typed) : e.before);
        QCOMPARE(e.w->CurrentCard == 2, !left || leaving == Leaving::Exploration || leaving == Leaving::Exit);
        QCOMPARE(e.tp.forms.isLoaded(FormName::frmMulti), left && leaving == Leaving::Exploration);
        QCOMPARE(e.tp.programEnded, left && leaving == Leaving::Exit ? 1 : 0);
        QCOMPARE(closed, leaving != Leaving::Close || left);
        if (!left)
            QCOMPARE(e.w->txtTitlos->text(), typed);
    }

    // Characters the code page cannot hold are named before filing; No goes back to them.
    void charactersTheCodePageCannotHold()
    {
        for (Answer answer : {Answer::No, Answer::Yes}) {
            Editor e;
            e.w->txtOno->setText(QStringLiteral("ΓΚΑΙΤΕ Жё"));
            e.tp.messages.answers.enqueue(answer);
            e.w->cmdCorrect_Click();
            QCOMPARE(e.tp.messages.calls.first().prompt,
                     QStringLiteral("Οι χαρακτήρες «Ж», «ё» δεν υπάρχουν στην Ελληνική κωδικοσελίδα της "
                                    "Βιβλιογραφίας και θα Καταχωρισθούν ως «?».\nΘέλετε να Καταχωρίσω την "
                                    "Καρτέλλα  2 ;"));
            QCOMPARE(e.tp.messages.calls.first().defaultButton, Answer::No);
            QList<CardRecord> cards = numberedCards(3);
            cards[1].setField(Field::Author, QStringLiteral("ΓΚΑΙΤΕ ??"));
            QCOMPARE(e.tp.cardFileBytes(), answer == Answer::Yes ? bytesOf(cards) : e.before);
            QCOMPARE(e.tp.messages.calls.size(), answer == Answer::Yes ? 2 : 1);
            QCOMPARE(e.w->txtOno->text(), QStringLiteral("ΓΚΑΙΤΕ Жё"));
        }
    }

    // A write that fails for a real reason is told; the window stays with the typed text,
    // and the file keeps every byte. On the full medium the card shown is filed in place,
    // and the new card, which needs a page more, is not.
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
    }
    void aFailedWriteKeepsTheTypedText()
    {
        QFETCH(QString, failure);
        QFETCH(QString, told);
        std::optional<SmallMedium> medium;
        // 21 cards are 4095 bytes: the file ends one byte short of its first page.
        Editor e(
            true,
            [&](Editor &e) {
                if (failure != QLatin1String("full"))
                    return;
                medium.emplace(e.tp.dir.path());
                e.tp.writeCards(numberedCards(21));
            },
            21);
        if (medium && !medium->mounted)
            QSKIP("cannot mount a small file system here");
        e.w->CurrentCard = 21;
        e.w->ShowCR();
        e.w->cmdCorrect_Click(); // the backup is made while there is room
        e.tp.messages.calls.clear();
        const QString kept = e.tp.cardFile() + QStringLiteral(".kept"); // the file, whatever befalls its name
        QCOMPARE(::link(QFile::encodeName(e.tp.cardFile()), QFile::encodeName(kept)), 0);
        if (failure == QLatin1String("full"))
            medium->fill(0);
        else
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
        QList<CardRecord> expected = numberedCards(21);
        QFile whole(kept);
        QVERIFY(whole.open(QIODevice::ReadOnly));
        QCOMPARE(whole.readAll(), bytesOf(expected));
    }
};

QTEST_MAIN(tst_editing)
#include "tst_editing.moc"
