// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The card window: loading, showing a card, moving, the hidden editing handlers, leaving,
// and how the window is put together.

#include "cardfileerror.h"
#include "cardwindowtest.h"

#include "titleedit.h"

#include <QAccessible>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QStatusBar>
#include <QTest>
#include <QToolButton>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString LastCard = QStringLiteral("Είστε στην Τελευταία Καρτέλλα");
const QString FirstCard = QStringLiteral("Είστε στην Πρώτη Καρτέλλα");

QStringList shownFields(const frmTervani &w)
{
    return {w.txtEpo->text(),   w.txtOno->text(),   w.txtTitlos->toPlainText(),
            w.txtAlloi->text(), w.txtEkdot->text(), w.txtSp->text()};
}

QStringList fieldsOf(const CardRecord &c)
{
    QStringList fields;
    for (Field f : AllFields)
        fields << c.trimmed(f);
    return fields;
}

QWidget *dummyForm(const QString &name)
{
    auto *w = new QWidget;
    w->setObjectName(name);
    return w;
}

} // namespace

class tst_CardWindow : public QObject
{
    Q_OBJECT

    std::unique_ptr<LoadedWindow> t;

private slots:
    void init() { t = std::make_unique<LoadedWindow>(); }
    void cleanup() { t.reset(); }

    void missingFileIsCreatedEmpty()
    {
        QVERIFY(!QFile::exists(t->platform->cardFile()));
        frmTervani &w = t->load();
        QVERIFY(QFile::exists(t->platform->cardFile()));
        QCOMPARE(QFileInfo(t->platform->cardFile()).size(), 0);
        QCOMPARE(w.windowTitle(), QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα:  1  από  1"));
        QCOMPARE(w.CardCount, 1);
        QCOMPARE(w.RecordLength, 195);
        QCOMPARE(shownFields(w), QStringList(6, QString()));

        w.cmdNext_Click();
        w.cmdPrevious_Click();
        QCOMPARE(t->platform->log,
                 (QStringList{"beep", "message:" + LastCard, "beep", "message:" + FirstCard}));
        QCOMPARE(w.CurrentCard, 1);
        QCOMPARE(QFileInfo(t->platform->cardFile()).size(), 0);
    }

    void navigation_data()
    {
        QTest::addColumn<int>("start");
        QTest::addColumn<bool>("forward");
        QTest::addColumn<int>("expected");
        QTest::addColumn<QString>("refusal");
        QTest::newRow("next from 1") << 1 << true << 2 << QString();
        QTest::newRow("next from 2") << 2 << true << 3 << QString();
        QTest::newRow("next at the last") << 3 << true << 3 << LastCard;
        QTest::newRow("previous from 3") << 3 << false << 2 << QString();
        QTest::newRow("previous from 2") << 2 << false << 1 << QString();
        QTest::newRow("previous at the first") << 1 << false << 1 << FirstCard;
    }
    void navigation()
    {
        QFETCH(int, start);
        QFETCH(bool, forward);
        QFETCH(int, expected);
        QFETCH(QString, refusal);
        const QList<CardRecord> cards = numberedCards(3);
        frmTervani &w = t->load(cards);
        t->showCard(start);
        const QString captionBefore = w.windowTitle();

        forward ? w.cmdNext_Click() : w.cmdPrevious_Click();

        QCOMPARE(w.CurrentCard, expected);
        QCOMPARE(shownFields(w), fieldsOf(cards.at(expected - 1)));
        QCOMPARE(w.windowTitle(),
                 QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα:  %1  από  3").arg(expected));
        if (refusal.isEmpty()) {
            QVERIFY(t->platform->log.isEmpty());
            return;
        }
        // The beep comes first, then the exclamation box; the caption stays as it was.
        QCOMPARE(t->platform->log, (QStringList{"beep", "message:" + refusal}));
        const MessageCall &call = t->platform->messages.calls.constFirst();
        QCOMPARE(call.title, AppTitle);
        QCOMPARE(call.buttons, Buttons::Ok);
        QCOMPARE(call.icon, Icon::Exclamation);
        QCOMPARE(w.windowTitle(), captionBefore);
    }

    void captionNamesTheCardAndTheCount()
    {
        frmTervani &w = t->load(numberedCards(120));
        t->showCard(5);
        QCOMPARE(w.windowTitle(), QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα:  5  από  120"));
        QCOMPARE(w.windowTitle().mid(w.windowTitle().indexOf(u':')), QStringLiteral(":  5  από  120"));
    }

    void scanCaptionIsExactWhenABoxOpens()
    {
        frmTervani &w = t->load(numberedCards(300));
        QStringList captionsAtBoxes;
        t->platform->messages.onShow = [&](const MessageCall &) { captionsAtBoxes << w.windowTitle(); };
        for (w.SearchCard = 1; w.SearchCard <= 277; ++w.SearchCard)
            w.ShowSRN();
        w.SearchCard = 277;
        w.ShowSRN();
        w.cmdPrevious_Click(); // at card 1: a box of the window's own
        QCOMPARE(captionsAtBoxes,
                 QStringList{QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Διερευνώ Καρτέλλα:  277  από  300")});

        w.SearchCard = 300;
        w.ShowSRN();
        w.flushCaption();
        QCOMPARE(w.windowTitle(),
                 QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Διερευνώ Καρτέλλα:  300  από  300"));
    }

    void showCardReplacesAPendingScanCaption()
    {
        frmTervani &w = t->load(numberedCards(3));
        w.SearchCard = 2;
        w.ShowSRN();
        t->showCard(2);
        w.flushCaption();
        QCOMPARE(w.windowTitle(), QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα:  2  από  3"));
    }

    void fieldsAreShownTrimmed()
    {
        CardRecord stored = card(QStringLiteral("  960-1"), QStringLiteral("   ΟΜΗΡΟΣ"),
                                 QStringLiteral(" ΙΛΙΑΣ  ΚΑΙ ΟΔΥΣΣΕΙΑ"), QString(), QStringLiteral("\tΑΘΗΝΑ"),
                                 QStringLiteral("                 12"));
        frmTervani &w = t->load({stored});
        // The tab stays, shown as its control picture.
        QCOMPARE(shownFields(w),
                 (QStringList{"960-1", "ΟΜΗΡΟΣ", "ΙΛΙΑΣ  ΚΑΙ ΟΔΥΣΣΕΙΑ", "", "\u2409ΑΘΗΝΑ", "12"}));
        // The buffer holds the card as shown: trimmed, left-justified, blank-filled.
        QCOMPARE(w.Card.field(Field::Author), QStringLiteral("ΟΜΗΡΟΣ") + QString(14, u' '));
        QCOMPARE(w.Card.field(Field::PagesNotes), QStringLiteral("12") + QString(18, u' '));
        QCOMPARE(w.Card.field(Field::Publication), QStringLiteral("\tΑΘΗΝΑ") + QString(34, u' '));
        // Showing a card writes nothing.
        QCOMPARE(t->platform->cardFileBytes(), bytesOf({stored}));
    }

    void newCardSavesTheShownCardThenAppends()
    {
        const QList<CardRecord> cards = numberedCards(3);
        frmTervani &w = t->loadForEditing(cards);
        t->showCard(2);
        w.txtOno->setText(QStringLiteral("ΝΕΟΣ"));

        w.cmdNew_Click();

        QList<CardRecord> expected = cards;
        expected[1].setField(Field::Author, QStringLiteral("ΝΕΟΣ"));
        expected << CardRecord::newCard();
        QCOMPARE(t->platform->cardFileBytes(), bytesOf(expected));
        QCOMPARE(t->platform->cardFileBytes().mid(3 * 195), QByteArray("960-") + QByteArray(191, ' '));
        QCOMPARE(w.CurrentCard, 4);
        QCOMPARE(w.CardCount, 4);
        QCOMPARE(w.windowTitle(), QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα:  4  από  4"));
        QCOMPARE(shownFields(w), (QStringList{"960-", "", "", "", "", ""}));
        QVERIFY(t->platform->log.isEmpty());
    }

    void deleteAsksFirst_data()
    {
        QTest::addColumn<Answer>("answer");
        QTest::newRow("No") << Answer::No;
        QTest::newRow("Yes") << Answer::Yes;
    }
    void deleteAsksFirst()
    {
        QFETCH(Answer, answer);
        const QList<CardRecord> cards = numberedCards(3);
        frmTervani &w = t->loadForEditing(cards);
        t->showCard(2);
        t->platform->messages.answers.enqueue(answer);

        w.cmdDelete_Click();

        QCOMPARE(t->platform->messages.calls.size(), 1);
        const MessageCall &call = t->platform->messages.calls.constFirst();
        QCOMPARE(call.prompt, QStringLiteral("Θέλετε να Διαγράψετε την Καρτέλλα  2 ;"));
        QCOMPARE(call.title, AppTitle);
        QCOMPARE(call.buttons, Buttons::YesNo);
        QCOMPARE(call.icon, Icon::Question);
        QCOMPARE(call.defaultButton, Answer::No);

        QList<CardRecord> expected = cards;
        if (answer == Answer::Yes)
            expected[1] = CardRecord::deletedCard();
        QCOMPARE(t->platform->cardFileBytes(), bytesOf(expected));
        QCOMPARE(shownFields(w), fieldsOf(expected.at(1)));
        QCOMPARE(w.CurrentCard, 2);
        QCOMPARE(w.CardCount, 3);
        QCOMPARE(w.windowTitle(), QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα:  2  από  3"));
    }

    void saveWritesTheFieldsAsTyped()
    {
        const QList<CardRecord> cards = numberedCards(3);
        frmTervani &w = t->loadForEditing(cards);
        t->showCard(2);
        w.txtSp->setText(QStringLiteral("  12 σελ."));
        w.txtTitlos->setText(QStringLiteral("ΝΕΟΣ\u00A0ΤΙΤΛΟΣ"));

        w.cmdCorrect_Click();

        QList<CardRecord> expected = cards;
        expected[1].setField(Field::PagesNotes, QStringLiteral("  12 σελ."));
        expected[1].setField(Field::Title, QStringLiteral("ΝΕΟΣ\u00A0ΤΙΤΛΟΣ"));
        QCOMPARE(t->platform->cardFileBytes(), bytesOf(expected));
        QCOMPARE(t->platform->messages.calls.size(), 1);
        const MessageCall &call = t->platform->messages.calls.constFirst();
        QCOMPARE(call.prompt, QStringLiteral("Η Καρτέλλα  2 Καταχωρίσθηκε"));
        QCOMPARE(call.buttons, Buttons::Ok);
        QCOMPARE(call.icon, Icon::Information);
        QCOMPARE(w.windowTitle(), QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα:  2  από  3"));
    }

    void browsingChangesNoByte()
    {
        // Bytes the code page leaves undefined, leading blanks and a partial card at the end.
        QByteArray odd(195, ' ');
        odd[0] = char(0x81);
        odd[20] = ' ';
        odd[21] = char(0xD2);
        odd[40] = char(0xFF);
        odd[105] = char(0xAA);
        QList<CardRecord> cards = numberedCards(2);
        cards.insert(1, CardRecord::fromBytes(odd));
        const QByteArray tail(120, char(0xE1));
        t->platform->writeCards(cards, tail);
        const QByteArray before = t->platform->cardFileBytes();

        frmTervani &w = t->load();
        QCOMPARE(w.CardCount, 4);
        for (int i = 0; i < 4; ++i)
            w.cmdNext_Click();
        w.txtOno->setText(QStringLiteral("ΑΛΛΑΓΗ ΧΩΡΙΣ ΚΑΤΑΧΩΡΙΣΗ"));
        for (int i = 0; i < 4; ++i)
            w.cmdPrevious_Click();
        w.cmdPrint_Click();
        w.close();
        t->window.reset();
        QCOMPARE(t->platform->cardFileBytes(), before);
    }

    void controls_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("caption");
        QTest::addColumn<QString>("toolTip");
        const auto row = [](const char *name, const QString &caption, const QString &tip) {
            QTest::newRow(name) << QString::fromLatin1(name) << caption << tip;
        };
        row("cmdNext", QStringLiteral("EΠΟΜΕΝ&Η"), QStringLiteral("Επόμενη Καρτέλλα"));
        row("cmdPrevious", QStringLiteral("&ΠΡΟΗΓΟΎΜΕΝΗ"), QStringLiteral("Προηγούμενη Καρτέλλα"));
        row("cmdNew", QStringLiteral("&ΝΕΑ ΕΓΓΡΑΦΗ"), QString());
        row("cmdDelete", QStringLiteral("ΔΙAΓΡΑΦΗ"), QString());
        row("cmdFindcode", QStringLiteral("Α&Ρ. ΚΑΡΤΕΛΛΑΣ"),
            QStringLiteral("Δείτε μια συγκεκριμένη Καρτέλλα"));
        row("cmdFindAuthor", QStringLiteral("&ΣΥΓΓΡΑΦΕΑΣ"), QStringLiteral("Βρείτε τον Συγγραφέα"));
        row("cmdFindTitle", QStringLiteral("&ΤΙΤΛΟΣ"), QStringLiteral("Βρείτε τον Τίτλο"));
        row("cmdFindAlloi", QStringLiteral("Α&ΛΛΟ ΟΝΟΜΑ"),
            QStringLiteral("Βρείτε το Όνομα Άλλου Συντελεστή"));
        row("cmdExit", QStringLiteral("ΕΞΟΔΟΣ"), QStringLiteral("Κλείστε την Βιβλιογραφία Βελμόρα"));
        row("cmdFindISBN", QStringLiteral("ΑΡΙΘΜ. &ΙSBN"),
            QStringLiteral("Βρείτε ένα βιβλίο από τον Αριθμό ISBN"));
        row("cmdFindEkdot", QStringLiteral("ΕΚΔ&ΟΤΙΚΑ"),
            QStringLiteral("Βρείτε ένα βιβλίο από τα Εκδοτικά Στοιχεία"));
        row("cmdCorrect", QStringLiteral("&ΚΑΤΑΧΩΡΙΣΗ"), QString());
        row("cmdPrint", QStringLiteral("ΠΡΟΣ ΕΚΤΥΠΩΣΗ"),
            QStringLiteral("Επιλέξτε την Καρτέλλα για Εκτύπωση"));
        row("cmdEndPrint", QStringLiteral("ΕΚΤΥΠΩΣΗ"), QStringLiteral("Εκτυπώστε τις Επιλεγμένες Καρτέλες"));
        row("cmdMulti", QStringLiteral("ΠΟΛΛΑΠΛΕΣ"), QStringLiteral("Δείτε πολλές Καρτέλλες ταυτοχρόνως"));
    }
    void controls()
    {
        QFETCH(QString, name);
        QFETCH(QString, caption);
        QFETCH(QString, toolTip);
        frmTervani &w = t->load();
        auto *button = w.findChild<QPushButton *>(name);
        QVERIFY(button);
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolTip(), toolTip);
        QCOMPARE(button->accessibleName(), QString(caption).remove(u'&'));
    }

    void fields_data()
    {
        QTest::addColumn<QString>("label");
        QTest::addColumn<QString>("text");
        QTest::addColumn<QString>("field");
        QTest::addColumn<int>("maxLength");
        QTest::newRow("ISBN") << "Label1"
                              << "ΑΡIΘΜ. ISBN"
                              << "txtEpo" << 20;
        QTest::newRow("author") << "Label2"
                                << "ΣΥΓΓΡΑΦΕΑΣ"
                                << "txtOno" << 20;
        QTest::newRow("title") << "Label3"
                               << "ΤΙΤΛΟΣ"
                               << "txtTitlos" << 65;
        QTest::newRow("other name") << "Label4"
                                    << "ΑΛΛΟ ΟΝΟΜΑ"
                                    << "txtAlloi" << 30;
        QTest::newRow("publication") << "Label5"
                                     << "ΕΚΔΟΤΙΚΑ"
                                     << "txtEkdot" << 40;
        QTest::newRow("pages") << "Label6"
                               << "ΣΕΛ.-ΣΗΜ/ΣΕΙΣ"
                               << "txtSp" << 20;
    }
    void fields()
    {
        QFETCH(QString, label);
        QFETCH(QString, text);
        QFETCH(QString, field);
        QFETCH(int, maxLength);
        frmTervani &w = t->load();
        auto *l = w.findChild<QLabel *>(label);
        QWidget *edit = w.findChild<QWidget *>(field);
        QVERIFY(l && edit);
        QCOMPARE(l->text(), text);
        QCOMPARE(l->buddy(), edit);
        QCOMPARE(edit->accessibleName(), text);
        QVERIFY(edit->font().bold());
        QCOMPARE(edit->font().family(), QApplication::font().family());
        if (auto *line = qobject_cast<QLineEdit *>(edit)) {
            QCOMPARE(line->maxLength(), maxLength);
            return;
        }
        // The title: two lines that wrap, and no more characters than the field holds.
        auto *title = static_cast<TitleEdit *>(edit);
        QCOMPARE(title->maxLength(), maxLength);
        QCOMPARE(title->lineWrapMode(), QPlainTextEdit::WidgetWidth);
        QVERIFY(title->tabChangesFocus());
        title->setFocus();
        title->insertPlainText(QString(70, u'Α'));
        QCOMPARE(title->toPlainText(), QString(65, u'Α'));
        QTest::keyClick(title, Qt::Key_Return);
        QVERIFY(!title->toPlainText().contains(u'\n'));
    }

    void tabOrderFollowsTheCard()
    {
        frmTervani &w = t->load();
        const QStringList expected{
            "txtEpo",       "txtOno",       "txtTitlos", "txtAlloi",    "txtEkdot",     "txtSp",
            "cmdNext",      "cmdPrevious",  "cmdNew",    "cmdDelete",   "cmdFindcode",  "cmdFindAuthor",
            "cmdFindTitle", "cmdFindAlloi", "cmdExit",   "cmdFindISBN", "cmdFindEkdot", "cmdCorrect",
            "cmdPrint",     "cmdEndPrint",  "Picture1",  "cmdMulti"};
        // The focus chain from the first field round to it again, controls only.
        QStringList chain{w.txtEpo->objectName()};
        for (QWidget *widget = w.txtEpo->nextInFocusChain(); widget != w.txtEpo;
             widget = widget->nextInFocusChain())
            if (expected.contains(widget->objectName()))
                chain << widget->objectName();
        QCOMPARE(chain, expected);
    }

    void lookAndShape()
    {
        frmTervani &w = t->load();
        QCOMPARE(w.objectName(), QStringLiteral("frmTervani"));
        QCOMPARE(w.centralWidget()->palette().color(QPalette::Window), QColor(255, 192, 128));
        QVERIFY(w.centralWidget()->autoFillBackground());
        for (QPushButton *b : {w.cmdNext, w.cmdPrevious, w.cmdFindcode, w.cmdFindAuthor, w.cmdFindTitle,
                               w.cmdFindAlloi, w.cmdFindISBN, w.cmdFindEkdot})
            QCOMPARE(b->palette().color(QPalette::Button), QColor(255, 224, 192));
        QCOMPARE(w.cmdPrint->palette().color(QPalette::Button), QColor(255, 192, 192));
        QCOMPARE(w.cmdEndPrint->palette().color(QPalette::Button), QColor(255, 192, 192));
        QCOMPARE(w.cmdMulti->palette().color(QPalette::Button), QColor(255, 128, 128));
        QCOMPARE(w.cmdExit->palette().color(QPalette::Button),
                 QApplication::palette().color(QPalette::Button));

        // The editing controls are there, but neither visible nor enabled.
        for (QPushButton *b : {w.cmdNew, w.cmdDelete, w.cmdCorrect}) {
            QVERIFY(b->isHidden());
            QVERIFY(!b->isEnabled());
        }
        QCOMPARE(w.minimumSize(), w.maximumSize());
        QVERIFY(!(w.windowFlags() & Qt::WindowMaximizeButtonHint));
        QVERIFY(w.windowFlags() & Qt::MSWindowsFixedSizeDialogHint);
        QCOMPARE(w.Frame1->objectName(), QStringLiteral("Frame1"));
        QVERIFY(w.Frame1->height() <= 1 || w.Frame1->maximumHeight() == 1);
        QCOMPARE(w.Picture1->toolTip(), QStringLiteral("Κάνε κλικ με το ποντίκι ..."));
        QAccessibleInterface *picture = QAccessible::queryAccessibleInterface(w.Picture1);
        QCOMPARE(picture->text(QAccessible::Name), w.Picture1->toolTip());
        QVERIFY(!picture->text(QAccessible::Description).isEmpty());
        QVERIFY(!w.Picture1->icon().isNull());
        QCOMPARE(w.Label7->objectName(), QStringLiteral("Label7"));
        // Label7 runs under the fields, the two rows of buttons below it.
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        const auto top = [&](QWidget *c) { return c->mapTo(&w, QPoint(0, 0)).y(); };
        QVERIFY(top(w.Label7) > top(w.txtSp));
        QVERIFY(top(w.cmdPrint) > top(w.Label7));
        QVERIFY(top(w.cmdNext) > top(w.cmdPrint));
        QCOMPARE(top(w.cmdEndPrint), top(w.cmdPrint));
        QVERIFY(top(w.cmdExit) > top(w.cmdMulti));
        QVERIFY(w.cmdFindcode->mapTo(&w, QPoint(0, 0)).x() >
                w.txtEpo->mapTo(&w, QPoint(w.txtEpo->width(), 0)).x());
    }

    void statusBar()
    {
        t->platform->keyboard.caps = false;
        t->platform->keyboard.num = true;
        frmTervani &w = t->load();
        QStatusBar *bar = w.statusBar();
        QCOMPARE(bar->objectName(), QStringLiteral("StatusBar1"));
        QCOMPARE(bar->toolTip(), QStringLiteral("Χώρος Μηνυμάτων Προγράμματος"));
        QStringList texts;
        for (int i = 1; i <= w.StatusBar1.count(); ++i)
            texts << w.StatusBar1.panel(i)->text();
        QCOMPARE(texts, (QStringList{"", "", "", "CAPS", "", "NUM", "6/12/2026"}));
        QVERIFY(!w.StatusBar1.panel(4)->isEnabled());
        QVERIFY(w.StatusBar1.panel(6)->isEnabled());
        QVERIFY(w.statusText().isEmpty());

        // The lock panels follow the keyboard on each key and each activation.
        t->platform->keyboard.caps = true;
        QTest::keyClick(w.txtOno, Qt::Key_CapsLock);
        QVERIFY(w.StatusBar1.panel(4)->isEnabled());
        t->platform->keyboard.num = false;
        QEvent activate(QEvent::WindowActivate);
        QApplication::sendEvent(&w, &activate);
        QVERIFY(!w.StatusBar1.panel(6)->isEnabled());
    }

    void exitClosesTheFileAndEnds_data()
    {
        QTest::addColumn<bool>("menu");
        QTest::newRow("button") << false;
        QTest::newRow("menu") << true;
    }
    void exitClosesTheFileAndEnds()
    {
        QFETCH(bool, menu);
        const QList<CardRecord> cards = numberedCards(3);
        frmTervani &w = t->load(cards);
        w.txtOno->setText(QStringLiteral("ΧΩΡΙΣ ΚΑΤΑΧΩΡΙΣΗ"));
        menu ? w.mnuEnd_Click() : w.cmdExit_Click();
        QCOMPARE(t->platform->programEnded, 1);
        QVERIFY(!w.File.isOpen());
        QVERIFY(t->platform->log.isEmpty());
        QCOMPARE(t->platform->cardFileBytes(), bytesOf(cards));
    }

    void closingByTheFrameSavesNothing()
    {
        const QList<CardRecord> cards = numberedCards(3);
        frmTervani &w = t->load(cards);
        w.show();
        w.txtOno->setText(QStringLiteral("ΧΩΡΙΣ ΚΑΤΑΧΩΡΙΣΗ"));
        QVERIFY(w.close());
        QVERIFY(!w.File.isOpen());
        QVERIFY(t->platform->log.isEmpty());
        QCOMPARE(t->platform->cardFileBytes(), bytesOf(cards));
    }

    void pictureShowsTheSplashAndKeepsTheCard()
    {
        t->platform->forms.registerForm(FormName::frmSplash, [] { return dummyForm("frmSplash"); });
        frmTervani &w = t->load(numberedCards(3));
        t->showCard(2);
        w.show();
        QTest::mouseClick(w.Picture1, Qt::LeftButton);
        QWidget *splash = t->platform->forms.form(FormName::frmSplash);
        QVERIFY(splash);
        QVERIFY(splash->isVisible());
        QCOMPARE(w.CurrentCard, 2);
        QVERIFY(w.File.isOpen());
        QCOMPARE(w.windowTitle(), QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα:  2  από  3"));
        delete splash;
    }

    void cardFileErrorsReachTheCaller()
    {
        QVERIFY(QDir().mkpath(t->platform->cardFile())); // a folder where the file should be
        t->window = std::make_unique<frmTervani>(t->platform->platform(), t->platform->forms, t->session);
        QVERIFY_THROWS_EXCEPTION(CardFileError, t->window->Form_Load());
        QVERIFY(t->platform->log.isEmpty());
    }
};

QTEST_MAIN(tst_CardWindow)
#include "tst_cardwindow.moc"
