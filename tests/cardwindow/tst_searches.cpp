// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes.h"
#include "frmtervani.h"
#include "searchtext.h"
#include "titleedit.h"

#include <QLineEdit>
#include <QLocale>
#include <QPlainTextEdit>
#include <QTest>

#include <memory>

using namespace velmora;
using namespace velmora::test;

namespace {

using Handler = void (frmTervani::*)();

// Every text search as the user meets it, written out word for word: what each input box
// says, where the text is looked for, and what is said when nothing is found.
struct SearchCase
{
    const char *name;
    Handler handler;
    QString title1, prompt1;
    QList<Field> fields1;
    QString title2, prompt2; // empty for a search with one input box
    Field field2;
    QString notFoundBefore, notFoundMiddle, notFoundAfter;
    QString missingText;
    bool prefix = false;

    bool combined() const { return !title2.isEmpty(); }
};

const QList<SearchCase> &searchCases()
{
    // clang-format off
    static const QList<SearchCase> cases = {
        {"ISBN", &frmTervani::cmdFindISBN_Click,
         QStringLiteral("Βελμόρα 3.0: Αναζήτηση Αριθμού ISBN"), QStringLiteral("Βρες Αριθμό ISBN:"), {Field::Isbn},
         {}, {}, Field::Isbn,
         QStringLiteral("Ο Αριθμός ISBN "), {}, QStringLiteral(" δεν Βρέθηκε"), {}, true},
        {"Author", &frmTervani::cmdFindAuthor_Click,
         QStringLiteral("Βελμόρα 3.0: Αναζήτηση Συγγραφέα"), QStringLiteral("Βρες Συγγραφέα:"), {Field::Author},
         {}, {}, Field::Isbn,
         QStringLiteral("Ο Συγγραφέας "), {}, QStringLiteral(" δεν Bρέθηκε"), {}},
        {"Title", &frmTervani::cmdFindTitle_Click,
         QStringLiteral("Βελμόρα 3.0: Αναζήτηση Τίτλου"), QStringLiteral("Βρες Κείμενο σε Τίτλο:"), {Field::Title},
         {}, {}, Field::Isbn,
         QStringLiteral("Το Κείμενο "), {}, QStringLiteral(" δεν Βρέθηκε"), {}},
        {"OtherName", &frmTervani::cmdFindAlloi_Click,
         QStringLiteral("Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος"), QStringLiteral("Βρες Άλλο Όνομα:"), {Field::OtherName},
         {}, {}, Field::Isbn,
         QStringLiteral("Το Όνομα "), {}, QStringLiteral(" δεν Βρέθηκε"), {}},
        {"Publication", &frmTervani::cmdFindEkdot_Click,
         QStringLiteral("Βελμόρα 3.0: Αναζήτηση Εκδοτικού Στοιχείου"), QStringLiteral("Βρες Εκδοτικό Στοιχείο:"),
         {Field::Publication},
         {}, {}, Field::Isbn,
         QStringLiteral("Το Εκδοτικό Στοιχείο "), {}, QStringLiteral(" δεν Βρέθηκε"), {}},
        {"AnyAuthorTitle", &frmTervani::mnuAnyAuthorTitle_Click,
         QStringLiteral("Βελμόρα 3.0: Αναζήτηση Συγγραφέα/Τίτλου/Ονόματος"),
         QStringLiteral("Βρες Συγγραφέα ή Τίτλο ή Άλλο Όνομα:"), {Field::Title, Field::OtherName, Field::Author},
         {}, {}, Field::Isbn,
         QStringLiteral("Το Όνομα/Κείμενο "), {}, QStringLiteral(" δεν Bρέθηκε"), {}},
        {"AuthorTitle", &frmTervani::mnuAuthorTitle_Click,
         QStringLiteral("Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Τίτλου"), QStringLiteral("Βρες Συγγραφέα:"), {Field::Author},
         QStringLiteral("Βελμόρα 3.0: Αναζήτηση Τίτλου και Συγγραφέα"), QStringLiteral("Βρες Κείμενο σε Τίτλο:"), Field::Title,
         QStringLiteral("Ο Συγγραφέας "), QStringLiteral(" και το κείμενο Τίτλου "), QStringLiteral(" δεν Βρέθηκαν"),
         QStringLiteral("Πρέπει να γράψετε και Συγγραφέα και κείμενο απο τον Τίτλο")},
        {"TitleAlloi", &frmTervani::mnuTitleAlloi_Click,
         QStringLiteral("Βελμόρα 3.0: Αναζήτηση Τίτλου και Άλλου Ονόματος"), QStringLiteral("Βρες Κείμενο σε Τίτλο:"), {Field::Title},
         QStringLiteral("Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος και Τίτλου"), QStringLiteral("Βρες Άλλο Όνομα:"), Field::OtherName,
         QStringLiteral("Tο κείμενο Τίτλου "), QStringLiteral(" και το Άλλο Όνομα "), QStringLiteral(" δεν Βρέθηκαν"),
         QStringLiteral("Πρέπει να γράψετε και κείμενο απο τον Τίτλο και Άλλο Όνομα")},
        {"AlloiEkdot", &frmTervani::mnuAlloiEkdot_Click,
         QStringLiteral("Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος και Εκδοτικών"), QStringLiteral("Βρες Άλλο Όνομα:"), {Field::OtherName},
         QStringLiteral("Βελμόρα 3.0: Αναζήτηση Εκδοτικών και Άλλου Ονόματος"), QStringLiteral("Βρες Εκδοτικά:"), Field::Publication,
         QStringLiteral("Tο Άλλο Όνομα "), QStringLiteral(" και το Εκδοτικό Στοιχείο "), QStringLiteral(" δεν Βρέθηκαν"),
         QStringLiteral("Πρέπει να γράψετε και Άλλο Όνομα και κάποιο Εκδοτικό Στοιχείο")},
        {"TitleEkdot", &frmTervani::mnuTitleEkdot_Click,
         QStringLiteral("Βελμόρα 3.0: Αναζήτηση Τίτλου και Εκδοτικού Στοιχείου"), QStringLiteral("Βρες Κείμενο σε Τίτλο:"), {Field::Title},
         QStringLiteral("Βελμόρα 3.0: Αναζήτηση Εκδοτικού Στοιχείου και Τίτλου"), QStringLiteral("Βρες Εκδοτικό Στοιχείο:"), Field::Publication,
         QStringLiteral("Tο κείμενο Τίτλου "), QStringLiteral(" και το Εκδοτικό Στοιχείο "), QStringLiteral(" δεν Βρέθηκαν"),
         QStringLiteral("Πρέπει να γράψετε και κείμενο απο τον Τίτλο και κάποιο Εκδοτικό Στοιχείο")},
        {"AuthorAlloi", &frmTervani::mnuAuthorAlloi_Click,
         QStringLiteral("Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Άλλου Ονόματος"), QStringLiteral("Βρες Συγγραφέα:"), {Field::Author},
         QStringLiteral("Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος και Συγγραφέα"), QStringLiteral("Βρες Άλλο Όνομα:"), Field::OtherName,
         QStringLiteral("Ο Συγγραφέας "), QStringLiteral(" και το Άλλο Όνομα "), QStringLiteral(" δεν Βρέθηκαν"),
         QStringLiteral("Πρέπει να γράψετε και Συγγραφέα και Άλλο Όνομα")},
        {"AuthorEkdot", &frmTervani::mnuAuthorEkdot_Click,
         QStringLiteral("Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Εκδοτικού Στοιχείου"), QStringLiteral("Βρες Συγγραφέα:"), {Field::Author},
         QStringLiteral("Βελμόρα 3.0: Αναζήτηση Εκδοτικού Στοιχείου και Συγγραφέα"), QStringLiteral("Βρες Εκδοτικό Στοιχείο:"), Field::Publication,
         QStringLiteral("Ο Συγγραφέας "), QStringLiteral(" και το Εκδοτικό Στοιχείο "), QStringLiteral(" δεν Βρέθηκαν"),
         QStringLiteral("Πρέπει να γράψετε και Συγγραφέα και Εκδοτικό Στοιχείο")},
    };
    // clang-format on
    return cases;
}

// The card shown when a card-number search starts, out of 10; no row jumps to it.
constexpr int StartCard = 8;

const QString MessageTitle = QStringLiteral("Βελμόρα 3.0");
const QString NoOtherCard = QStringLiteral("Δεν Υπάρχει Άλλη Όμοια Καρτέλλα");

QString cardCaption(const QString &number, const QString &count)
{
    return QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα: ") + number + QStringLiteral("  από ") + count;
}

QString scanCaption(const QString &number, const QString &count)
{
    return QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Διερευνώ Καρτέλλα: ") + number +
           QStringLiteral("  από ") + count;
}

QString printQuestion(const QString &number)
{
    return QStringLiteral("Θέλετε να Εκτυπώσω την Καρτέλλα ") + number + QStringLiteral(" ;");
}

// What the user types for each search, and the same texts as the messages show them.
struct Typed
{
    QString first, second, firstUpper, secondUpper;
};

Typed typedFor(const SearchCase &c)
{
    if (c.prefix)
        return {QStringLiteral("960-5"), {}, QStringLiteral("960-5"), {}};
    return {QStringLiteral("θηβα"), QStringLiteral("σπάρτης"), QStringLiteral("ΘΗΒΑ"),
            QStringLiteral("ΣΠΆΡΤΗΣ")};
}

QString notFound(const SearchCase &c)
{
    const Typed t = typedFor(c);
    return c.notFoundBefore + t.firstUpper + (c.combined() ? c.notFoundMiddle + t.secondUpper : QString()) +
           c.notFoundAfter;
}

CardRecord plain(int n)
{
    return card(QStringLiteral("0-00-%1").arg(n), QStringLiteral("ΣΥΓΓΡ %1").arg(n),
                QStringLiteral("ΤΙΤΛΟΣ %1").arg(n), QStringLiteral("ΑΛΛΟΣ %1").arg(n),
                QStringLiteral("ΕΚΔΟΣΕΙΣ %1").arg(n));
}

// A card numbered `n` holding the first text (in the given field) and, optionally, the second.
CardRecord holding(const SearchCase &c, int n, Field field1, bool first, bool second)
{
    const Typed t = typedFor(c);
    CardRecord r = plain(n);
    if (first)
        r.setField(field1, c.prefix ? t.firstUpper + QStringLiteral("-%1").arg(n)
                                    : QStringLiteral("ΣΤΗ %1 ΤΗ").arg(t.firstUpper));
    if (second && c.combined())
        r.setField(c.field2, QStringLiteral("ΑΠΟ %1 ΚΑΙ").arg(t.secondUpper));
    return r;
}

void addSearchRows(bool oneTextOnly = false)
{
    QTest::addColumn<int>("index");
    for (int i = 0; i < searchCases().size(); ++i)
        if (!oneTextOnly || !searchCases().at(i).combined())
            QTest::newRow(searchCases().at(i).name) << i;
}

// A card window over a card file of the given cards, loaded as at start-up.
struct Window
{
    explicit Window(const QList<CardRecord> &cards)
    {
        tp.writeCards(cards);
        before = tp.cardFileBytes();
        w = std::make_unique<frmTervani>(tp.platform(), tp.forms, session);
        w->Form_Load();
    }
    void showCard(qint32 n)
    {
        w->CurrentCard = n;
        w->ShowCR();
    }
    void typeAnswers(const QStringList &answers)
    {
        for (const QString &a : answers)
            tp.input.answers.enqueue(a);
    }
    void answer(std::initializer_list<Answer> answers)
    {
        for (Answer a : answers)
            tp.messages.answers.enqueue(a);
    }
    bool fileUnchanged() { return tp.cardFileBytes() == before; }

    TestPlatform tp;
    CardWindowSession session;
    std::unique_ptr<frmTervani> w;
    QByteArray before;
};

} // namespace

class tst_searches : public QObject
{
    Q_OBJECT

private slots:
    void init() { QLocale::setDefault(QLocale::c()); }

    // Nothing found: the boxes and the message word for word; during the scan the window
    // keeps its card and its edits; afterwards the card is re-read and the file untouched.
    // For a combined search each text is present on some card, but never both on one.
    void notFoundSaysExactlyWhat();
    void notFoundSaysExactlyWhat_data() { addSearchRows(); }

    void matchesAtThreeAndSeven();
    void matchesAtThreeAndSeven_data() { addSearchRows(); }

    void matchAtTheOnlyCard();
    void matchAtTheOnlyCard_data() { addSearchRows(); }

    // A text in a field its box does not read finds nothing there; of two texts, each
    // goes astray in turn while the other stays where it belongs.
    void fieldsNotReadFindNothing();
    void fieldsNotReadFindNothing_data() { addSearchRows(); }

    void emptyInputEndsSilently();
    void emptyInputEndsSilently_data() { addSearchRows(true); }

    void combinedSearchMissingText();
    void combinedSearchMissingText_data();

    void cancelEndsWithTheCardShown();
    void yesPrintsTheCardAndGoesOn();
    void smallLettersNeverMatch();
    void trailingBlankMatchesFillBlanks();
    void isbnSearchTestsAPrefix();
    void anyFieldFindsByOtherNameAlone();
    void authorAndTitleMustMeetOnOneCard();

    void textsThatCanMatchNothing();
    void textsThatCanMatchNothing_data();

    void cardNumber();
    void cardNumber_data();
};

void tst_searches::notFoundSaysExactlyWhat()
{
    QFETCH(int, index);
    const SearchCase &c = searchCases().at(index);
    const Typed t = typedFor(c);

    QList<CardRecord> cards;
    for (int n = 1; n <= 5; ++n)
        cards << plain(n);
    if (c.combined()) {
        cards[1] = holding(c, 2, c.fields1.first(), true, false);
        cards[3] = holding(c, 4, c.fields1.first(), false, true);
    }
    Window win(cards);
    win.showCard(3);
    const CardRecord shown = win.w->Card;
    win.w->txtOno->setText(QStringLiteral("ΔΙΟΡΘΩΣΗ"));
    win.w->SearchCard = 99;
    win.typeAnswers({t.first, t.second});

    bool checkedDuringScan = false;
    win.tp.messages.onShow = [&](const MessageCall &) {
        checkedDuringScan = win.w->SearchCard == 5 && win.w->CurrentCard == 3 && win.w->Card == shown &&
                            win.w->txtOno->text() == QStringLiteral("ΔΙΟΡΘΩΣΗ") &&
                            win.w->windowTitle() == scanCaption(" 5", " 5");
    };
    (win.w.get()->*c.handler)();

    QCOMPARE(win.tp.input.calls.size(), c.combined() ? 2 : 1);
    QCOMPARE(win.tp.input.calls[0].title, c.title1);
    QCOMPARE(win.tp.input.calls[0].prompt, c.prompt1);
    if (c.combined()) {
        QCOMPARE(win.tp.input.calls[1].title, c.title2);
        QCOMPARE(win.tp.input.calls[1].prompt, c.prompt2);
    }
    for (const InputCall &call : win.tp.input.calls)
        QVERIFY(call.title.startsWith(QStringLiteral("Βελμόρα 3.0: Αναζήτηση")));

    QCOMPARE(win.tp.messages.calls.size(), 1);
    const MessageCall &m = win.tp.messages.calls[0];
    QCOMPARE(m.prompt, notFound(c));
    QCOMPARE(m.title, MessageTitle);
    QCOMPARE(m.buttons, Buttons::Ok);
    QCOMPARE(m.icon, Icon::Information);
    QVERIFY(checkedDuringScan);

    QCOMPARE(win.w->CurrentCard, 3);
    QCOMPARE(win.w->windowTitle(), cardCaption(QStringLiteral(" 3"), QStringLiteral(" 5")));
    QCOMPARE(win.w->txtOno->text(), QStringLiteral("ΣΥΓΓΡ 3")); // re-read: the edit is gone
    QVERIFY(win.fileUnchanged());
}

void tst_searches::matchesAtThreeAndSeven()
{
    QFETCH(int, index);
    const SearchCase &c = searchCases().at(index);

    QList<CardRecord> cards;
    for (int n = 1; n <= 9; ++n)
        cards << plain(n);
    cards[2] = holding(c, 3, c.fields1.first(), true, true);
    cards[6] = holding(c, 7, c.fields1.last(), true, true);
    if (c.combined())
        cards[4] = holding(c, 5, c.fields1.first(), true, false); // half a match is passed over
    Window win(cards);
    win.typeAnswers({typedFor(c).first, typedFor(c).second});
    win.answer({Answer::No, Answer::No});

    QStringList seen;
    win.tp.messages.onShow = [&](const MessageCall &) {
        seen << QStringLiteral("%1 %2 %3 %4")
                    .arg(win.w->CurrentCard)
                    .arg(win.w->SearchCard)
                    .arg(win.w->windowTitle(), win.w->txtEpo->text());
    };
    (win.w.get()->*c.handler)();

    const auto &calls = win.tp.messages.calls;
    QCOMPARE(calls.size(), 3);
    QCOMPARE(calls[0].prompt, printQuestion(QStringLiteral(" 3")));
    QCOMPARE(calls[1].prompt, printQuestion(QStringLiteral(" 7")));
    for (int i : {0, 1}) {
        QCOMPARE(calls[i].buttons, Buttons::YesNoCancel);
        QCOMPARE(calls[i].icon, Icon::Question);
        QCOMPARE(calls[i].title, MessageTitle);
    }
    QCOMPARE(calls[2].prompt, NoOtherCard);
    QCOMPARE(calls[2].buttons, Buttons::Ok);
    QCOMPARE(calls[2].icon, Icon::Exclamation);
    QCOMPARE(calls[2].title, MessageTitle);

    // At each question the card found is on screen and the counter stands on it.
    QCOMPARE(seen[0],
             QStringLiteral("3 3 %1 %2").arg(cardCaption(" 3", " 9"), cards[2].trimmed(Field::Isbn)));
    QCOMPARE(seen[1],
             QStringLiteral("7 7 %1 %2").arg(cardCaption(" 7", " 9"), cards[6].trimmed(Field::Isbn)));

    QCOMPARE(win.w->CurrentCard, 7);
    QCOMPARE(win.w->SearchCard, 9);
    QCOMPARE(win.w->windowTitle(), cardCaption(" 7", " 9"));
    QCOMPARE(win.w->Card, [&] {
        CardRecord shown;
        for (Field f : AllFields)
            shown.setField(f, cards[6].trimmed(f));
        return shown;
    }());
    QCOMPARE(win.tp.messages.unscripted, 0);
    QVERIFY(win.fileUnchanged());
}

void tst_searches::matchAtTheOnlyCard()
{
    QFETCH(int, index);
    const SearchCase &c = searchCases().at(index);
    Window win({holding(c, 1, c.fields1.last(), true, true)});
    win.typeAnswers({typedFor(c).first, typedFor(c).second});
    win.answer({Answer::No});
    (win.w.get()->*c.handler)();

    QCOMPARE(win.tp.messages.calls.size(), 2);
    QCOMPARE(win.tp.messages.calls[0].prompt, printQuestion(" 1"));
    QCOMPARE(win.tp.messages.calls[1].prompt, NoOtherCard);
    QCOMPARE(win.tp.messages.calls[1].icon, Icon::Exclamation);
    QCOMPARE(win.w->CurrentCard, 1);
    QCOMPARE(win.w->SearchCard, 1);
    QCOMPARE(win.w->windowTitle(), cardCaption(" 1", " 1"));
    QVERIFY(win.fileUnchanged());
}

void tst_searches::fieldsNotReadFindNothing()
{
    QFETCH(int, index);
    const SearchCase &c = searchCases().at(index);
    const Typed t = typedFor(c);
    // What is said when card 2 of 3 holds the first text in `first` and the second in `second`.
    const auto said = [&](Field first, Field second) {
        CardRecord holder = plain(2);
        holder.setField(first, t.firstUpper);
        if (c.combined())
            holder.setField(second, first == second ? t.firstUpper + u' ' + t.secondUpper : t.secondUpper);
        Window win({plain(1), holder, plain(3)});
        win.typeAnswers({t.first, t.second});
        win.answer({Answer::Cancel});
        (win.w.get()->*c.handler)();
        return win.tp.messages.calls.value(0).prompt;
    };
    QCOMPARE(said(c.fields1.first(), c.field2), printQuestion(" 2"));
    for (Field wrong : AllFields) {
        const QString astray = QStringLiteral(" text in field %1 was found").arg(int(wrong));
        if (!c.fields1.contains(wrong))
            QVERIFY2(said(wrong, c.field2) == notFound(c), qPrintable(QStringLiteral("first") + astray));
        if (c.combined() && wrong != c.field2)
            QVERIFY2(said(c.fields1.first(), wrong) == notFound(c),
                     qPrintable(QStringLiteral("second") + astray));
    }
}

void tst_searches::emptyInputEndsSilently()
{
    QFETCH(int, index);
    const SearchCase &c = searchCases().at(index);
    Window win({plain(1), plain(2), plain(3)});
    win.showCard(2);
    const QString caption = win.w->windowTitle();
    win.w->txtOno->setText(QStringLiteral("ΔΙΟΡΘΩΣΗ"));
    win.w->SearchCard = 7;
    (win.w.get()->*c.handler)(); // the box is cancelled

    QCOMPARE(win.tp.input.calls.size(), 1);
    QVERIFY(win.tp.messages.calls.isEmpty());
    QCOMPARE(win.w->SearchCard, 0);
    QCOMPARE(win.w->CurrentCard, 2);
    QCOMPARE(win.w->windowTitle(), caption);
    QCOMPARE(win.w->txtOno->text(), QStringLiteral("ΔΙΟΡΘΩΣΗ"));
}

void tst_searches::combinedSearchMissingText_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    for (int i = 0; i < searchCases().size(); ++i) {
        const SearchCase &c = searchCases().at(i);
        if (!c.combined())
            continue;
        QTest::addRow("%s first cancelled", c.name) << i << QString() << QStringLiteral("ΣΠΑΡΤΗ");
        QTest::addRow("%s second cancelled", c.name) << i << QStringLiteral("ΘΗΒΑ") << QString();
        QTest::addRow("%s both cancelled", c.name) << i << QString() << QString();
    }
}

void tst_searches::combinedSearchMissingText()
{
    QFETCH(int, index);
    QFETCH(QString, first);
    QFETCH(QString, second);
    const SearchCase &c = searchCases().at(index);
    Window win({holding(c, 1, c.fields1.first(), true, true), plain(2)});
    win.showCard(2);
    const QString caption = win.w->windowTitle();
    const CardRecord shown = win.w->Card;
    win.w->txtOno->setText(QStringLiteral("ΔΙΟΡΘΩΣΗ"));
    win.typeAnswers({first, second});
    (win.w.get()->*c.handler)();

    // The second box is shown whatever came of the first.
    QCOMPARE(win.tp.input.calls.size(), 2);
    QCOMPARE(win.tp.input.calls[1].title, c.title2);
    QCOMPARE(win.tp.messages.calls.size(), 1);
    QCOMPARE(win.tp.messages.calls[0].prompt, c.missingText);
    QVERIFY(c.missingText.startsWith(QStringLiteral("Πρέπει να γράψετε και")));
    QCOMPARE(win.tp.messages.calls[0].title, MessageTitle);
    QCOMPARE(win.tp.messages.calls[0].buttons, Buttons::Ok);
    QCOMPARE(win.tp.messages.calls[0].icon, Icon::Exclamation);
    // Nothing is re-read: the edit stays, and so do the card and the caption.
    QCOMPARE(win.w->txtOno->text(), QStringLiteral("ΔΙΟΡΘΩΣΗ"));
    QCOMPARE(win.w->Card, shown);
    QCOMPARE(win.w->CurrentCard, 2);
    QCOMPARE(win.w->SearchCard, 0);
    QCOMPARE(win.w->windowTitle(), caption);
    QVERIFY(win.fileUnchanged());
}

void tst_searches::cancelEndsWithTheCardShown()
{
    QList<CardRecord> cards;
    for (int n = 1; n <= 9; ++n)
        cards << plain(n);
    cards[2].setField(Field::Title, QStringLiteral("Η ΜΑΚΕΔΟΝΙΑ"));
    cards[6].setField(Field::Title, QStringLiteral("ΜΑΚΕΔΟΝΙΑ ΚΑΙ ΘΡΑΚΗ"));
    Window win(cards);
    win.typeAnswers({QStringLiteral("μακεδονια")});
    win.answer({Answer::Cancel});
    win.w->cmdFindTitle_Click();

    QCOMPARE(win.tp.messages.calls.size(), 1);
    QCOMPARE(win.w->CurrentCard, 3);
    QCOMPARE(win.w->SearchCard, 3);
    QCOMPARE(win.w->txtTitlos->toPlainText(), QStringLiteral("Η ΜΑΚΕΔΟΝΙΑ"));
    QCOMPARE(win.w->windowTitle(), cardCaption(" 3", " 9"));
    QVERIFY(win.tp.printer.pending().pages.isEmpty());
}

void tst_searches::yesPrintsTheCardAndGoesOn()
{
    QList<CardRecord> cards;
    for (int n = 1; n <= 9; ++n)
        cards << plain(n);
    cards[2].setField(Field::Author, QStringLiteral("ΘΟΥΚΥΔΙΔΗΣ"));
    cards[6].setField(Field::Author, QStringLiteral("ΘΟΥΚΥΔΙΔΗΣ ΑΘΗΝΑΙΟΣ"));
    Window win(cards);
    win.typeAnswers({QStringLiteral("θουκυδιδησ")});
    win.answer({Answer::Yes, Answer::No});
    win.w->cmdFindAuthor_Click();

    QCOMPARE(win.tp.messages.calls.size(), 3);
    QCOMPARE(win.tp.messages.calls[1].prompt, printQuestion(" 7"));
    QCOMPARE(win.tp.messages.calls[2].prompt, NoOtherCard);
    QVERIFY(win.w->statusText().startsWith(QStringLiteral("Η Καρτέλλα < 3 > θα εκτυπωθεί")));

    // Card 3, and only card 3, went into the print document.
    const PrintedDocument &doc = win.tp.printer.pending();
    QCOMPARE(doc.pages.size(), 1);
    const QStringList &lines = doc.pages[0];
    int cardLines = 0, authorLines = 0;
    for (const QString &line : lines) {
        cardLines += line.contains(QStringLiteral("Καρτέλλα ="));
        if (line.startsWith(cards[2].field(Field::Author)))
            ++authorLines;
        QVERIFY(!line.contains(QStringLiteral("ΑΘΗΝΑΙΟΣ")));
    }
    QCOMPARE(cardLines, 1);
    QCOMPARE(authorLines, 1);
    QVERIFY(std::any_of(lines.begin(), lines.end(), [&](const QString &l) {
        return l.startsWith(cards[2].field(Field::Isbn)) && l.contains(QStringLiteral("Καρτέλλα = 3"));
    }));
    QCOMPARE(win.w->CurrentCard, 7);
    QVERIFY(win.fileUnchanged());
}

void tst_searches::smallLettersNeverMatch()
{
    Window win({plain(1), card(QStringLiteral("1"), {}, QStringLiteral("ιστορία της αθήνας")), plain(3)});
    for (const QString &typed :
         {QStringLiteral("ιστορία"), QStringLiteral("ΙΣΤΟΡΊΑ"), QStringLiteral("ιστορια")}) {
        win.tp.messages.calls.clear();
        win.typeAnswers({typed});
        win.w->cmdFindTitle_Click();
        QCOMPARE(win.tp.messages.calls.size(), 1);
        QCOMPARE(win.tp.messages.calls[0].prompt,
                 QStringLiteral("Το Κείμενο %1 δεν Βρέθηκε").arg(upperCased(typed)));
    }
}

void tst_searches::trailingBlankMatchesFillBlanks()
{
    Window win({card("1", {}, QStringLiteral("ΑΘΗΝΑΙΚΗ ΔΗΜΟΚΡΑΤΙΑ")),
                card("2", {}, QString(60, u'Χ') + QStringLiteral("ΑΘΗΝΑ")), // no fill blank after it
                card("3", {}, QStringLiteral("ΙΣΤΟΡΙΑ ΤΗΣ ΑΘΗΝΑ")), plain(4)});
    win.typeAnswers({QStringLiteral("αθηνα ")});
    win.answer({Answer::No});
    win.w->cmdFindTitle_Click();
    QCOMPARE(win.tp.messages.calls.size(), 2);
    QCOMPARE(win.tp.messages.calls[0].prompt, printQuestion(" 3"));
    QCOMPARE(win.tp.messages.calls[1].prompt, NoOtherCard);

    // A leading blank is kept too: card 1's title starts with the word.
    win.tp.messages.calls.clear();
    win.typeAnswers({QStringLiteral(" αθηναικη")});
    win.w->cmdFindTitle_Click();
    QCOMPARE(win.tp.messages.calls.size(), 1);
    QCOMPARE(win.tp.messages.calls[0].prompt, QStringLiteral("Το Κείμενο  ΑΘΗΝΑΙΚΗ δεν Βρέθηκε"));
}

void tst_searches::isbnSearchTestsAPrefix()
{
    const QList<CardRecord> cards = {CardRecord::newCard(), card("0-19-960-1"), card("960-7001-1"),
                                     CardRecord::newCard(), card("1960-3")};
    Window win(cards);
    win.typeAnswers({QStringLiteral("960-")});
    win.answer({Answer::No, Answer::No, Answer::No});
    win.w->cmdFindISBN_Click();
    QStringList prompts;
    for (const MessageCall &m : win.tp.messages.calls)
        prompts << m.prompt;
    QCOMPARE(prompts,
             QStringList({printQuestion(" 1"), printQuestion(" 3"), printQuestion(" 4"), NoOtherCard}));

    win.tp.messages.calls.clear();
    win.typeAnswers({QStringLiteral("60-")});
    win.w->cmdFindISBN_Click();
    QCOMPARE(win.tp.messages.calls.size(), 1);
    QCOMPARE(win.tp.messages.calls[0].prompt, QStringLiteral("Ο Αριθμός ISBN 60- δεν Βρέθηκε"));
    // The same text is inside every one of these ISBNs: a containment test would find them all.
    for (const CardRecord &c : cards)
        QVERIFY(SearchText::fromTyped(QStringLiteral("60-")).foundIn(c, Field::Isbn));
    QCOMPARE(win.w->CurrentCard, 4);
}

void tst_searches::anyFieldFindsByOtherNameAlone()
{
    Window win({plain(1),
                card("2", QStringLiteral("ΠΑΥΣΑΝΙΑΣ"), QStringLiteral("ΠΕΡΙΗΓΗΣΗ"),
                     QStringLiteral("ΜΕΤΑΦΡ. ΠΑΠΑΧΑΤΖΗΣ")),
                plain(3)});
    win.typeAnswers({QStringLiteral("παπαχατζησ")});
    win.answer({Answer::No});
    win.w->mnuAnyAuthorTitle_Click();
    QCOMPARE(win.tp.messages.calls.size(), 2);
    QCOMPARE(win.tp.messages.calls[0].prompt, printQuestion(" 2"));
    QCOMPARE(win.w->CurrentCard, 2);
    QCOMPARE(win.w->txtAlloi->text(), QStringLiteral("ΜΕΤΑΦΡ. ΠΑΠΑΧΑΤΖΗΣ"));
    // Not by the fields it does not look at.
    win.tp.messages.calls.clear();
    win.typeAnswers({QStringLiteral("εκδοσεισ 3")});
    win.w->mnuAnyAuthorTitle_Click();
    QCOMPARE(win.tp.messages.calls[0].prompt, QStringLiteral("Το Όνομα/Κείμενο ΕΚΔΟΣΕΙΣ 3 δεν Bρέθηκε"));
}

void tst_searches::authorAndTitleMustMeetOnOneCard()
{
    Window win({card("1", QStringLiteral("ΗΡΟΔΟΤΟΣ"), QStringLiteral("ΙΣΤΟΡΙΑΙ")),
                card("2", QStringLiteral("ΞΕΝΟΦΩΝ"), QStringLiteral("ΑΝΑΒΑΣΙΣ")),
                card("3", QStringLiteral("ΗΡΟΔΟΤΟΣ"), QStringLiteral("ΑΝΑΒΑΣΙΣ ΚΑΙ ΚΑΤΑΒΑΣΙΣ")), plain(4)});
    win.typeAnswers({QStringLiteral("ηροδοτοσ"), QStringLiteral("αναβασισ")});
    win.answer({Answer::No});
    win.w->mnuAuthorTitle_Click();
    QCOMPARE(win.tp.messages.calls[0].prompt, printQuestion(" 3"));

    win.tp.messages.calls.clear();
    win.typeAnswers({QStringLiteral("ξενοφων"), QStringLiteral("ιστοριαι")});
    win.w->mnuAuthorTitle_Click();
    QCOMPARE(win.tp.messages.calls.size(), 1);
    QCOMPARE(win.tp.messages.calls[0].prompt,
             QStringLiteral("Ο Συγγραφέας ΞΕΝΟΦΩΝ και το κείμενο Τίτλου ΙΣΤΟΡΙΑΙ δεν Βρέθηκαν"));
    QCOMPARE(win.tp.messages.calls[0].icon, Icon::Information);
}

void tst_searches::textsThatCanMatchNothing_data()
{
    QTest::addColumn<QString>("typed");
    QTest::newRow("emoji") << QStringLiteral("Α😀");
    QTest::newRow("CJK") << QStringLiteral("漢字");
    QTest::newRow("lone surrogate") << QString(QChar(0xD83D));
    QTest::newRow("5000 characters") << QString(5000, u'Α');
    QTest::newRow("CJK beside a question mark") << QStringLiteral("漢?");
}

void tst_searches::textsThatCanMatchNothing()
{
    QFETCH(QString, typed);
    // The cards hold what a lossy encoding of the text would turn into.
    Window win(
        {card("?", QStringLiteral("?"), QStringLiteral("Α?? ??") + QString(59, u'Α'), QStringLiteral("?")),
         card(QString(20, u'Α'), QString(20, u'Α'), QString(65, u'Α'), QString(30, u'Α'),
              QString(40, u'Α'))});
    for (const SearchCase &c : searchCases()) {
        win.tp.messages.calls.clear();
        win.typeAnswers({typed, typed});
        (win.w.get()->*c.handler)();
        QCOMPARE(win.tp.messages.calls.size(), 1);
        QVERIFY2(win.tp.messages.calls[0].prompt.endsWith(c.notFoundAfter), c.name);
        QVERIFY(win.tp.messages.calls[0].prompt.contains(upperCased(typed)));
    }
    QVERIFY(win.fileUnchanged());
}

void tst_searches::cardNumber_data()
{
    QTest::addColumn<QString>("locale");
    QTest::addColumn<QStringList>("typed");
    QTest::addColumn<QStringList>("messages");
    QTest::addColumn<int>("card");

    const QString range = QStringLiteral("Γράψτε έναν αριθμό από 1 έως  10");
    const auto notFound = [](const QString &t) -> QString {
        return QStringLiteral("Ο Αριθμός Καρτέλλας ") + t + QStringLiteral(" δεν Βρέθηκε");
    };
    QTest::newRow("seven") << "C" << QStringList{"7"} << QStringList{} << 7;
    QTest::newRow("last") << "C" << QStringList{"10"} << QStringList{} << 10;
    QTest::newRow("empty") << "C" << QStringList{""} << QStringList{} << StartCard;
    QTest::newRow("zero, then empty") << "C" << QStringList{"0", ""} << QStringList{range} << StartCard;
    QTest::newRow("minus three, then six") << "C" << QStringList{"-3", "6"} << QStringList{range} << 6;
    QTest::newRow("letters twice") << "C" << QStringList{"abc", "Ζ", ""} << QStringList{range, range}
                                   << StartCard;
    QTest::newRow("nan") << "C" << QStringList{"nan", ""} << QStringList{range} << StartCard;
    QTest::newRow("count plus one") << "C" << QStringList{"11"} << QStringList{notFound("11")} << StartCard;
    QTest::newRow("as typed") << "C" << QStringList{" +011 "} << QStringList{notFound(" +011 ")} << StartCard;
    QTest::newRow("eleven digits") << "C" << QStringList{"99999999999"} << QStringList{} << StartCard;
    QTest::newRow("eleven digits negative")
        << "C" << QStringList{"-99999999999"} << QStringList{} << StartCard;
    QTest::newRow("too big to read") << "C" << QStringList{"1e400"} << QStringList{} << StartCard;
    QTest::newRow("just past 32 bits") << "C" << QStringList{"2147483647.5"} << QStringList{} << StartCard;
    QTest::newRow("32 bits, above the count")
        << "C" << QStringList{"2147483647"} << QStringList{notFound("2147483647")} << StartCard;
    QTest::newRow("most negative, then empty")
        << "C" << QStringList{"-2147483648", ""} << QStringList{range} << StartCard;
    QTest::newRow("10.4 compared before rounding")
        << "C" << QStringList{"10.4"} << QStringList{notFound("10.4")} << StartCard;
    QTest::newRow("10,4 in Greek") << "el_GR" << QStringList{"10,4"} << QStringList{notFound("10,4")}
                                   << StartCard;
    QTest::newRow("2,5 in Greek") << "el_GR" << QStringList{"2,5"} << QStringList{} << 2;
    QTest::newRow("10.4 is no Greek number")
        << "el_GR" << QStringList{"10.4", ""} << QStringList{range} << StartCard;
    QTest::newRow("half rounds to zero") << "C" << QStringList{"0.5", ""} << QStringList{range} << StartCard;
    QTest::newRow("0.7 is card 1") << "C" << QStringList{"0.7"} << QStringList{} << 1;
    QTest::newRow("1.5 to even") << "C" << QStringList{"1.5"} << QStringList{} << 2;
    QTest::newRow("2.5 to even") << "C" << QStringList{"2.5"} << QStringList{} << 2;
    QTest::newRow("3.5 to even") << "C" << QStringList{"3.5"} << QStringList{} << 4;
    QTest::newRow("9.5 to even") << "C" << QStringList{"9.5"} << QStringList{} << 10;
    QTest::newRow("exponent") << "C" << QStringList{"5e0"} << QStringList{} << 5;
}

void tst_searches::cardNumber()
{
    QFETCH(QString, locale);
    QFETCH(QStringList, typed);
    QFETCH(QStringList, messages);
    QFETCH(int, card);
    QLocale::setDefault(QLocale(locale));

    QList<CardRecord> cards;
    for (int n = 1; n <= 10; ++n)
        cards << plain(n);
    Window win(cards);
    win.showCard(StartCard);
    const QString caption = win.w->windowTitle();
    win.w->txtOno->setText(QStringLiteral("ΔΙΟΡΘΩΣΗ"));
    win.w->SearchCard = 5;
    win.typeAnswers(typed);
    QList<qint32> searchCardAtAsk;
    win.tp.input.onAsk = [&](const InputCall &) { searchCardAtAsk << win.w->SearchCard; };
    win.w->cmdFindcode_Click();

    QCOMPARE(win.tp.input.calls.size(), typed.size());
    for (const InputCall &call : win.tp.input.calls) {
        QCOMPARE(call.title, QStringLiteral("Βελμόρα 3.0: Αναζήτηση Αριθμού Καρτέλλας"));
        QCOMPARE(call.prompt, QStringLiteral("Βρες Κωδικό Καρτέλλας:"));
    }
    QCOMPARE(searchCardAtAsk, QList<qint32>(typed.size(), 0));
    QStringList shown;
    for (const MessageCall &m : win.tp.messages.calls) {
        shown << m.prompt;
        QCOMPARE(m.title, MessageTitle);
        QCOMPARE(m.buttons, Buttons::Ok);
        QCOMPARE(m.icon, Icon::Information);
    }
    QCOMPARE(shown, messages);
    QCOMPARE(win.w->CurrentCard, card);

    // Only a jump or a not-found message re-reads the card; a silent end leaves the edit.
    const bool reread =
        card != StartCard || (!shown.isEmpty() && shown.last().endsWith(QStringLiteral(" δεν Βρέθηκε")));
    if (reread) {
        QCOMPARE(win.w->windowTitle(), cardCaption(QStringLiteral(" %1").arg(card), " 10"));
        QCOMPARE(win.w->txtOno->text(), QStringLiteral("ΣΥΓΓΡ %1").arg(card));
    } else {
        QCOMPARE(win.w->windowTitle(), caption);
        QCOMPARE(win.w->txtOno->text(), QStringLiteral("ΔΙΟΡΘΩΣΗ"));
    }
    QVERIFY(win.fileUnchanged());
}

QTEST_MAIN(tst_searches)
#include "tst_searches.moc"
