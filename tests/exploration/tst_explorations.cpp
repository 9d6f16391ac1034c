// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The twelve explorations of the exploration window, driven through its real handlers
// with the fake dialogs: the scan, the pages, the questions, printing and export.

#include "cp1253.h"
#include "fakes.h"
#include "frmmulti.h"
#include "numbertext.h"
#include "pageview.h"

#include <QAction>
#include <QFile>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString PlainCaption = QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη");
const QString PageQuestion = QStringLiteral("Θέλετε να Εκτυπώσω τις Καρτέλλες;");
const QString FinalQuestion = QStringLiteral("Να Εκτυπώσω τις Τελευταίες Καρτέλλες;");

QString cardCaption(int card, int count)
{
    return QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα: ") + NumberText(card) +
           QStringLiteral("  από ") + NumberText(count);
}

QString scanCaption(int card, int count)
{
    return QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Διερευνώ Καρτέλλα: ") + NumberText(card) +
           QStringLiteral("  από ") + NumberText(count);
}

QString exportNotice(int card)
{
    return QStringLiteral("Η Διερεύνηση μέχρι την Καρτέλλα <") + NumberText(card) +
           QStringLiteral(" > καταγράφηκε στο αρχείο C:\\Program Files\\Velmora\\MySearch.doc");
}

using Handler = void (frmMulti::*)();

struct HandlerEntry
{
    const char *name; // the menu item
    Handler run;
    QList<QList<Field>> reads; // for each input box, the fields its text is looked for in

    int boxes() const { return int(reads.size()); }
};

const HandlerEntry Handlers[] = {
    {"mnuEpo", &frmMulti::mnuEpo_Click, {{Field::Isbn}}},
    {"mnuOno", &frmMulti::mnuOno_Click, {{Field::Author}}},
    {"mnuTitlos", &frmMulti::mnuTitlos_Click, {{Field::Title}}},
    {"mnuAlloi", &frmMulti::mnuAlloi_Click, {{Field::OtherName}}},
    {"mnuEkdot", &frmMulti::mnuEkdot_Click, {{Field::Publication}}},
    {"mnuAnyAuthorTitle",
     &frmMulti::mnuAnyAuthorTitle_Click,
     {{Field::Isbn, Field::Author, Field::Title, Field::OtherName}}},
    {"mnuAuthorTitle", &frmMulti::mnuAuthorTitle_Click, {{Field::Author}, {Field::Title}}},
    {"mnuTitleAlloi", &frmMulti::mnuTitleAlloi_Click, {{Field::Title}, {Field::OtherName}}},
    {"mnuAlloiEkdot", &frmMulti::mnuAlloiEkdot_Click, {{Field::OtherName}, {Field::Publication}}},
    {"mnuTitleEkdot", &frmMulti::mnuTitleEkdot_Click, {{Field::Title}, {Field::Publication}}},
    {"mnuAuthorAlloi", &frmMulti::mnuAuthorAlloi_Click, {{Field::Author}, {Field::OtherName}}},
    {"mnuAuthorEkdot", &frmMulti::mnuAuthorEkdot_Click, {{Field::Author}, {Field::Publication}}},
};

const HandlerEntry &handler(const QString &name)
{
    for (const HandlerEntry &h : Handlers)
        if (name == QLatin1String(h.name))
            return h;
    qFatal("no handler %s", qPrintable(name));
}

// Every text field of a "key" card holds the word that every exploration is asked for in
// these tests; the other cards hold other words.
const QString Key = QStringLiteral("κλειδι"); // typed in small letters
CardRecord keyCard(int n)
{
    return card(QStringLiteral("ΚΛΕΙΔΙ-%1").arg(n), QStringLiteral("ΚΛΕΙΔΙ %1").arg(n),
                QStringLiteral("ΤΟ ΚΛΕΙΔΙ ΤΗΣ ΙΣΤΟΡΙΑΣ %1").arg(n), QStringLiteral("ΚΛΕΙΔΙ ΑΛΛΟΣ"),
                QStringLiteral("ΑΘΗΝΑ ΚΛΕΙΔΙ 19%1").arg(n, 2, 10, QLatin1Char('0')),
                QStringLiteral("σ. %1").arg(n));
}
CardRecord otherCard(int n)
{
    return card(QStringLiteral("960-%1").arg(n), QStringLiteral("ΠΑΠΑΔΟΠΟΥΛΟΣ"),
                QStringLiteral("ΑΡΧΑΙΑ ΑΘΗΝΑ"), QStringLiteral("ΑΛΛΟΣ"), QStringLiteral("ΘΕΣΣΑΛΟΝΙΚΗ"),
                QStringLiteral("σ. %1").arg(n));
}
// `count` cards, the key cards at the numbers given.
QList<CardRecord> cardsWithKeysAt(int count, const QList<int> &keys)
{
    QList<CardRecord> cards;
    for (int n = 1; n <= count; ++n)
        cards << (keys.contains(n) ? keyCard(n) : otherCard(n));
    return cards;
}
QList<int> range(int from, int to)
{
    QList<int> r;
    for (int n = from; n <= to; ++n)
        r << n;
    return r;
}

template<typename T> QQueue<T> queueOf(const QList<T> &items)
{
    QQueue<T> q;
    for (const T &item : items)
        q.enqueue(item);
    return q;
}

// One exploration window over a card file of its own.
struct Window
{
    TestPlatform tp;
    std::unique_ptr<frmMulti> w;
    QByteArray originalCards;

    explicit Window(const QList<CardRecord> &cards)
    {
        tp.writeCards(cards);
        originalCards = tp.cardFileBytes();
        w = std::make_unique<frmMulti>(tp.platform(), tp.forms);
        w->Form_Load();
    }

    // Runs an exploration with these typed texts and these answers to its questions.
    void run(const QString &name, const QStringList &typed, const QList<Answer> &answers = {})
    {
        tp.input.answers = queueOf(typed);
        tp.messages.answers = queueOf(answers);
        (w.get()->*handler(name).run)();
    }
    void runWithKey(const QString &name, const QList<Answer> &answers = {})
    {
        run(name, QStringList(handler(name).boxes(), Key), answers);
    }

    QByteArray exportBytes()
    {
        QFile f(tp.paths.exportFile());
        return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
    }
    // The card numbers on the page, from the third line of each filled slot.
    QList<int> placedCards() const
    {
        QList<int> cards;
        for (int s = 0; s < w->SlotCount; ++s)
            cards << w->PageLines[s][2].section(QLatin1Char('='), -1).trimmed().toInt();
        return cards;
    }
    bool pageLinesEmpty() const
    {
        for (const auto &slot : w->PageLines)
            for (const QString &line : slot)
                if (!line.isEmpty())
                    return false;
        return w->SlotCount == 0;
    }
    QStringList questions() const
    {
        QStringList q;
        for (const MessageCall &c : tp.messages.calls)
            if (c.buttons == Buttons::YesNoCancel)
                q << c.prompt;
        return q;
    }
    int messagesShown() const { return int(tp.messages.calls.size()); }
    const QStringList &printedPage(int document) const
    {
        return tp.renderer.documents.at(document).pages.at(0);
    }
};

// The three slot lines of a card as the page holds them.
QStringList slotLines(const CardRecord &c, int number)
{
    const auto f = [&c](Field field) { return c.field(field); };
    return {f(Field::Isbn) + QStringLiteral("  ") + f(Field::Author) + QStringLiteral("  ") +
                f(Field::OtherName),
            f(Field::Title),
            f(Field::Publication) + QStringLiteral("  ") + f(Field::PagesNotes) +
                QStringLiteral("  Καρτέλλα =") + NumberText(number)};
}

} // namespace

Q_DECLARE_METATYPE(Answer)

class tst_explorations : public QObject
{
    Q_OBJECT

private slots:
    void everyLiteral_data();
    void everyLiteral();
    void cancelledInputEmptiesPageAndExportFile_data();
    void cancelledInputEmptiesPageAndExportFile();
    void missingTextWarningAfterBothBoxes_data();
    void missingTextWarningAfterBothBoxes();
    void smallLettersFindOnlyCapitals();
    void isbnContainsAnywhere();
    void anyFieldExploration_data();
    void anyFieldExploration();
    void fieldsNotReadFindNothing_data();
    void fieldsNotReadFindNothing();
    void twoFieldsBothRequired();
    void threeMatchesEndingOnLastCard();
    void eightMatches_data();
    void eightMatches();
    void stoppingAtThePageQuestion_data();
    void stoppingAtThePageQuestion();
    void nothingFound();
    void exportNoticeNamesLastCardPlaced();
    void finalPrintMenuStates_data();
    void finalPrintMenuStates();
    void footersNumberPagesPerExploration();
    void exportedFileBytes();
    void failedExportClaimsNothing();
    void failedPrintingDoesNotStopTheRun();
    void questionsAreYesNoCancel();
};

// Every text each exploration shows, as the user sees it, through the real menu items.
void tst_explorations::everyLiteral_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QStringList>("prompts");
    QTest::addColumn<QString>("heading");
    QTest::addColumn<QStringList>("notFound"); // the parts around the typed texts
    QTest::addColumn<QString>("warning");

    const QString one = QStringLiteral(" δεν Βρέθηκε");
    const QString two = QStringLiteral(" δεν Βρέθηκαν");
    QTest::newRow("mnuEpo") << "mnuEpo" << QStringList{"Βελμόρα 3.0: Αναζήτηση Αριθμού ISBN"}
                            << QStringList{"Βρες Αριθμό ISBN:"}
                            << "Διερεύνηση Αρ. ISBN:" << QStringList{"Ο Αριθμός ISBN ", one} << QString();
    QTest::newRow("mnuOno") << "mnuOno" << QStringList{"Βελμόρα 3.0: Αναζήτηση Συγγραφέα"}
                            << QStringList{"Βρες Συγγραφέα:"}
                            << "Διερεύνηση Συγγραφέα:" << QStringList{"Ο Συγγραφέας ", one} << QString();
    QTest::newRow("mnuTitlos") << "mnuTitlos" << QStringList{"Βελμόρα 3.0: Αναζήτηση Τίτλου"}
                               << QStringList{"Βρες Κείμενο:"}
                               << "Διερεύνηση Τίτλου:" << QStringList{"Το Κείμενο ", one} << QString();
    QTest::newRow("mnuAlloi") << "mnuAlloi" << QStringList{"Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος"}
                              << QStringList{"Βρες Άλλο Όνομα:"}
                              << "Διερεύνηση Άλλου Ονόματος:" << QStringList{"Το Άλλο Όνομα ", one}
                              << QString();
    QTest::newRow("mnuEkdot") << "mnuEkdot" << QStringList{"Βελμόρα 3.0: Αναζήτηση Εκδοτικών"}
                              << QStringList{"Βρες Εκδοτικό Στοιχείο:"}
                              << "Διερεύνηση Εκδοτικών:" << QStringList{"Το Εκδοτικό Στοιχείο ", one}
                              << QString();
    QTest::newRow("mnuAnyAuthorTitle")
        << "mnuAnyAuthorTitle" << QStringList{"Βελμόρα 3.0: Αναζήτηση Κειμένου"}
        << QStringList{"Βρες Κείμενο σε Συγγραφέα/Τίτλο/Άλλο Όνομα:"}
        << "Διερεύνηση Συγγραφέα/Τίτλου/Άλλου Ονόματος:" << QStringList{"Το Κείμενο ", one} << QString();
    QTest::newRow("mnuAuthorTitle") << "mnuAuthorTitle"
                                    << QStringList{"Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Τίτλου",
                                                   "Βελμόρα 3.0: Αναζήτηση Τίτλου και Συγγραφέα"}
                                    << QStringList{"Βρες Συγγραφέα:", "Βρες Κείμενο σε Τίτλο:"}
                                    << "Διερεύνηση Συγγραφέα και Τίτλου:"
                                    << QStringList{"Ο Συγγραφέας ", " και το κείμενο Τίτλου ", two}
                                    << "Πρέπει να γράψετε και Συγγραφέα και κείμενο απο τον Τίτλο";
    QTest::newRow("mnuTitleAlloi") << "mnuTitleAlloi"
                                   << QStringList{"Βελμόρα 3.0: Αναζήτηση Τίτλου και Άλλου Ονόματος",
                                                  "Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος και Τίτλου"}
                                   << QStringList{"Βρες Κείμενο σε Τίτλο:", "Βρες Άλλο Όνομα:"}
                                   << "Διερεύνηση Τίτλου και Άλλου Ονόματος:"
                                   << QStringList{"Tο κείμενο Τίτλου ", " και το Άλλο Όνομα ", two}
                                   << "Πρέπει να γράψετε και κείμενο από Τίτλο και Άλλο Όνομα";
    QTest::newRow("mnuAlloiEkdot") << "mnuAlloiEkdot"
                                   << QStringList{"Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος και Εκδοτικών",
                                                  "Βελμόρα 3.0: Αναζήτηση Εκδοτικών και Άλλου Ονόματος"}
                                   << QStringList{"Βρες Άλλο Όνομα:", "Βρες Εκδοτικό Στοιχείο:"}
                                   << "Διερεύνηση Άλλου Ονόματος και Εκδοτικών:"
                                   << QStringList{"Το Άλλο Όνομα ", " και το Εκδοτικό Στοιχείο ", two}
                                   << "Πρέπει να γράψετε και Άλλο Όνομα και κάποιο Εκδοτικό Στοιχείο";
    QTest::newRow("mnuTitleEkdot")
        << "mnuTitleEkdot"
        << QStringList{"Βελμόρα 3.0: Αναζήτηση Τίτλου και Εκδοτικών",
                       "Βελμόρα 3.0: Αναζήτηση Ελδοτικού και Τίτλου"}
        << QStringList{"Βρες Κείμενο σε Τίτλο:", "Βρες Εκδοτικό Στοιχείο:"}
        << "Διερεύνηση Τίτλου και Εκδοτικών:"
        << QStringList{"Tο κείμενο Τίτλου ", " και το Εκδοτικό Στοιχείο ", two}
        << "Πρέπει να γράψετε και κείμενο απο τον Τίτλο και κάποιο Εκδοτικό Στοιχείο";
    QTest::newRow("mnuAuthorAlloi") << "mnuAuthorAlloi"
                                    << QStringList{"Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Άλλου Ονόματος",
                                                   "Βελμόρα 3.0: Αναζήτηση Άλλου Ονόματος και Συγγραφέα"}
                                    << QStringList{"Βρες Συγγραφέα:", "Βρες Άλλο Όνομα:"}
                                    << "Διερεύνηση Συγγραφέα και Άλλου Ονόματος:"
                                    << QStringList{"Ο Συγγραφέας ", " και το Άλλο Όνομα ", two}
                                    << "Πρέπει να γράψετε και Συγγραφέα και Άλλο Όνομα";
    QTest::newRow("mnuAuthorEkdot") << "mnuAuthorEkdot"
                                    << QStringList{"Βελμόρα 3.0: Αναζήτηση Συγγραφέα και Εκδοτικά",
                                                   "Βελμόρα 3.0: Αναζήτηση Εκδοτικών και Συγγραφέα"}
                                    << QStringList{"Βρες Συγγραφέα:", "Βρες Εκδοτικό Στοιχείο:"}
                                    << "Διερεύνηση Συγγραφέα και Εκδοτικών:"
                                    << QStringList{"Ο Συγγραφέας ", " και το Εκδοτικό Στοιχείο ", two}
                                    << "Πρέπει να γράψετε και Συγγραφέα και Εκδοτικό Στοιχείο";
}

void tst_explorations::everyLiteral()
{
    QFETCH(QString, name);
    QFETCH(QStringList, titles);
    QFETCH(QStringList, prompts);
    QFETCH(QString, heading);
    QFETCH(QStringList, notFound);
    QFETCH(QString, warning);

    Window win(cardsWithKeysAt(3, {2}));
    auto *item = win.w->findChild<QAction *>(name);
    QVERIFY(item);

    // Nothing found: the boxes and the message, with the texts as compared.
    const QStringList typed{QStringLiteral("ωμέγα"), QStringLiteral("ψι")};
    const QStringList compared{QStringLiteral("ΩΜΈΓΑ"), QStringLiteral("ΨΙ")};
    win.tp.input.answers = queueOf(typed.mid(0, titles.size()));
    item->trigger();
    QCOMPARE(win.tp.input.calls.size(), titles.size());
    for (int i = 0; i < titles.size(); ++i) {
        QCOMPARE(win.tp.input.calls.at(i).title, titles.at(i));
        QCOMPARE(win.tp.input.calls.at(i).prompt, prompts.at(i));
    }
    QString expected;
    for (int i = 0; i < titles.size(); ++i)
        expected += notFound.at(i) + compared.at(i);
    expected += notFound.last();
    QCOMPARE(win.messagesShown(), 1);
    const MessageCall message = win.tp.messages.calls.at(0);
    QCOMPARE(message.prompt, expected);
    QCOMPARE(message.title, QStringLiteral("Βελμόρα 3.0"));
    QCOMPARE(message.buttons, Buttons::Ok);
    QCOMPARE(message.icon, Icon::Information);

    // The heading at the foot of a printed page.
    win.tp.messages.calls.clear();
    win.tp.input.answers = queueOf(QStringList(titles.size(), Key));
    win.tp.messages.answers = queueOf(QList<Answer>{Answer::Yes});
    item->trigger();
    QCOMPARE(win.questions(), QStringList{FinalQuestion});
    QCOMPARE(win.tp.renderer.documents.size(), 1);
    QCOMPARE(win.printedPage(0).last(), heading + QStringLiteral(" Σελίδα ") + NumberText(1));
    QVERIFY(win.printedPage(0).join(u'\n').contains(QStringLiteral("ΚΛΕΙΔΙ-2")));

    // One text left out: the two-field explorations warn, the others end in silence.
    win.tp.messages.calls.clear();
    win.tp.input.calls.clear();
    win.tp.input.answers = queueOf(QStringList{QString(), Key});
    item->trigger();
    QCOMPARE(win.tp.input.calls.size(), titles.size());
    if (warning.isEmpty()) {
        QCOMPARE(win.messagesShown(), 0);
    } else {
        QCOMPARE(win.messagesShown(), 1);
        QCOMPARE(win.tp.messages.calls.at(0).prompt, warning);
        QCOMPARE(win.tp.messages.calls.at(0).title, QStringLiteral("Βελμόρα 3.0"));
        QCOMPARE(win.tp.messages.calls.at(0).buttons, Buttons::Ok);
        QCOMPARE(win.tp.messages.calls.at(0).icon, Icon::Exclamation);
    }
    QCOMPARE(win.tp.cardFileBytes(), win.originalCards);
}

// A page and an export from an earlier exploration, then an exploration whose input is
// cancelled: nothing of the earlier one is left, and nothing is said.
void tst_explorations::cancelledInputEmptiesPageAndExportFile_data()
{
    QTest::addColumn<QString>("name");
    for (const HandlerEntry &h : Handlers)
        if (h.boxes() == 1)
            QTest::newRow(h.name) << QString::fromLatin1(h.name);
}

void tst_explorations::cancelledInputEmptiesPageAndExportFile()
{
    QFETCH(QString, name);
    Window win(cardsWithKeysAt(20, range(1, 18)));
    // Page 1 exported, page 2 left on the screen.
    win.runWithKey(QStringLiteral("mnuOno"), {Answer::No, Answer::Cancel});
    QCOMPARE(win.w->SlotCount, 8);
    QVERIFY(!win.w->page->items().isEmpty());
    QCOMPARE(win.exportBytes().count("\r\n"), 24);
    QCOMPARE(win.w->statusText(), exportNotice(8));
    const QString caption = win.w->windowTitle();
    QCOMPARE(caption, cardCaption(16, 20));
    win.tp.messages.calls.clear();

    win.run(name, {QString()});
    QVERIFY(win.pageLinesEmpty());
    QVERIFY(win.w->page->items().isEmpty());
    QVERIFY(QFile::exists(win.tp.paths.exportFile()));
    QCOMPARE(win.exportBytes(), QByteArray());
    QVERIFY(!win.w->mnuPrint->isEnabled());
    QVERIFY(!win.w->mnuExport->isEnabled());
    QCOMPARE(win.messagesShown(), 0);
    QCOMPARE(win.w->statusText(), QString());
    QCOMPARE(win.w->windowTitle(), caption);
}

void tst_explorations::missingTextWarningAfterBothBoxes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    for (const HandlerEntry &h : Handlers) {
        if (h.boxes() != 2)
            continue;
        QTest::addRow("%s first cancelled", h.name) << QString::fromLatin1(h.name) << QString() << Key;
        QTest::addRow("%s second cancelled", h.name) << QString::fromLatin1(h.name) << Key << QString();
        QTest::addRow("%s both cancelled", h.name) << QString::fromLatin1(h.name) << QString() << QString();
    }
}

void tst_explorations::missingTextWarningAfterBothBoxes()
{
    QFETCH(QString, name);
    QFETCH(QString, first);
    QFETCH(QString, second);
    Window win(cardsWithKeysAt(20, range(1, 18)));
    win.runWithKey(QStringLiteral("mnuOno"), {Answer::No, Answer::Cancel});
    QVERIFY(!win.exportBytes().isEmpty());
    const QString caption = win.w->windowTitle();
    win.tp.messages.calls.clear();
    win.tp.input.calls.clear();

    // By the time the boxes are asked the run has already prepared everything.
    QList<QByteArray> exportAtBox;
    QList<bool> pageEmptyAtBox;
    win.tp.input.onAsk = [&](const InputCall &) {
        exportAtBox << win.exportBytes();
        pageEmptyAtBox << (win.pageLinesEmpty() && win.w->page->items().isEmpty());
    };
    win.run(name, {first, second});
    QCOMPARE(win.tp.input.calls.size(), 2);
    QCOMPARE(exportAtBox, (QList<QByteArray>{QByteArray(), QByteArray()}));
    QCOMPARE(pageEmptyAtBox, (QList<bool>{true, true}));

    QCOMPARE(win.messagesShown(), 1);
    QCOMPARE(win.tp.messages.calls.at(0).icon, Icon::Exclamation);
    QVERIFY(win.tp.messages.calls.at(0).prompt.startsWith(QStringLiteral("Πρέπει να γράψετε και ")));
    QCOMPARE(win.exportBytes(), QByteArray());
    QVERIFY(win.pageLinesEmpty());
    QVERIFY(!win.w->mnuPrint->isEnabled());
    QVERIFY(!win.w->mnuExport->isEnabled());
    QCOMPARE(win.w->windowTitle(), caption);
    QCOMPARE(win.w->SearchCard, 0);
}

void tst_explorations::smallLettersFindOnlyCapitals()
{
    Window win({card(QStringLiteral("1"), {}, QStringLiteral("ΙΣΤΟΡΙΑ ΤΗΣ ΑΘΗΝΑΣ")),
                card(QStringLiteral("2"), {}, QStringLiteral("ιστορια της αθηνας")),
                card(QStringLiteral("3"), {}, QStringLiteral("Ιστορια")),
                card(QStringLiteral("4"), {}, QStringLiteral("ΝΕΑ ΙΣΤΟΡΙΑ")), otherCard(5)});
    win.run(QStringLiteral("mnuTitlos"), {QStringLiteral("ιστορια")}, {Answer::Cancel});
    QCOMPARE(win.placedCards(), (QList<int>{1, 4}));
}

void tst_explorations::isbnContainsAnywhere()
{
    QList<CardRecord> cards;
    for (const char *isbn : {"960-7012-31-5", "0-960-12", "1-86-3", "12-99605", "96-0-1", "ISBN 960"})
        cards << card(QString::fromLatin1(isbn), QStringLiteral("ΣΥΓΓΡΑΦΕΑΣ 960"), QStringLiteral("960"));
    Window win(cards);
    win.run(QStringLiteral("mnuEpo"), {QStringLiteral("960")}, {Answer::Cancel});
    QCOMPARE(win.placedCards(), (QList<int>{1, 2, 4, 6}));
    QCOMPARE(win.questions(), QStringList{FinalQuestion});
}

void tst_explorations::anyFieldExploration_data()
{
    QTest::addColumn<int>("field");
    QTest::addColumn<bool>("found");
    QTest::newRow("Isbn alone") << int(Field::Isbn) << true;
    QTest::newRow("Author alone") << int(Field::Author) << true;
    QTest::newRow("Title alone") << int(Field::Title) << true;
    QTest::newRow("OtherName alone") << int(Field::OtherName) << true;
    QTest::newRow("Publication is not looked at") << int(Field::Publication) << false;
    QTest::newRow("PagesNotes is not looked at") << int(Field::PagesNotes) << false;
}

void tst_explorations::anyFieldExploration()
{
    QFETCH(int, field);
    QFETCH(bool, found);
    CardRecord holder = otherCard(2);
    holder.setField(Field(field), QStringLiteral("ΧΡΥΣΟ-978"));
    Window win({otherCard(1), holder, otherCard(3)});
    win.run(QStringLiteral("mnuAnyAuthorTitle"), {QStringLiteral("χρυσο-97")}, {Answer::Cancel});
    if (found) {
        QCOMPARE(win.placedCards(), QList<int>{2});
        QCOMPARE(win.questions(), QStringList{FinalQuestion});
    } else {
        QCOMPARE(win.questions(), QStringList());
        QCOMPARE(win.tp.messages.calls.at(0).prompt, QStringLiteral("Το Κείμενο ΧΡΥΣΟ-97 δεν Βρέθηκε"));
    }
}

// A text in a field its box does not read finds nothing there; of two texts, each goes
// astray in turn while the other stays where it belongs.
void tst_explorations::fieldsNotReadFindNothing_data()
{
    QTest::addColumn<QString>("name");
    for (const HandlerEntry &h : Handlers)
        QTest::newRow(h.name) << QString::fromLatin1(h.name);
}

void tst_explorations::fieldsNotReadFindNothing()
{
    QFETCH(QString, name);
    const HandlerEntry &h = handler(name);
    const QStringList typed = QStringList{QStringLiteral("ΘΗΒΑ"), QStringLiteral("ΣΠΑΡΤΗ")}.mid(0, h.boxes());
    // What is said when card 2 of 3 holds every text in the first field its box reads, but
    // text `astray` in field `wrong`.
    const auto said = [&](int astray, Field wrong) {
        QMap<Field, QStringList> held;
        for (int i = 0; i < h.boxes(); ++i)
            held[i == astray ? wrong : h.reads[i].first()] << typed[i];
        CardRecord holder = otherCard(2);
        for (auto it = held.cbegin(); it != held.cend(); ++it)
            holder.setField(it.key(), it.value().join(u' '));
        Window win({otherCard(1), holder, otherCard(3)});
        win.run(name, typed, {Answer::Cancel});
        QStringList prompts;
        for (const MessageCall &call : win.tp.messages.calls)
            prompts << call.prompt;
        return prompts;
    };
    QCOMPARE(said(-1, Field::Isbn), QStringList{FinalQuestion});
    for (int astray = 0; astray < h.boxes(); ++astray) {
        for (Field wrong : AllFields) {
            if (h.reads[astray].contains(wrong))
                continue;
            const QStringList prompts = said(astray, wrong);
            QVERIFY2(prompts.size() == 1 && prompts[0].contains(typed.last() + QStringLiteral(" δεν Βρέθηκ")),
                     qPrintable(QStringLiteral("text %1 in field %2: ").arg(astray + 1).arg(int(wrong)) +
                                prompts.join(u'|')));
        }
    }
}

void tst_explorations::twoFieldsBothRequired()
{
    // Card 1 has the author only, card 2 the title only, card 3 both, card 4 the two
    // texts the other way round.
    Window win({card(QStringLiteral("1"), QStringLiteral("ΚΑΡΑΣ"), QStringLiteral("ΤΑ ΝΕΑ")),
                card(QStringLiteral("2"), QStringLiteral("ΛΑΜΠΡΟΣ"), QStringLiteral("ΙΣΤΟΡΙΑ")),
                card(QStringLiteral("3"), QStringLiteral("Β. ΚΑΡΑΣ"), QStringLiteral("Η ΙΣΤΟΡΙΑ")),
                card(QStringLiteral("4"), QStringLiteral("ΙΣΤΟΡΙΑ"), QStringLiteral("ΚΑΡΑΣ")), otherCard(5)});
    win.run(QStringLiteral("mnuAuthorTitle"), {QStringLiteral("καρας"), QStringLiteral("ιστορια")},
            {Answer::Cancel});
    QCOMPARE(win.placedCards(), QList<int>{3});

    // Texts that each occur, but never on one card together.
    win.tp.messages.calls.clear();
    win.run(QStringLiteral("mnuAuthorTitle"), {QStringLiteral("λαμπρος"), QStringLiteral("τα νεα")});
    QCOMPARE(win.tp.messages.calls.at(0).prompt,
             QStringLiteral("Ο Συγγραφέας ΛΑΜΠΡΟΣ και το κείμενο Τίτλου ΤΑ ΝΕΑ δεν Βρέθηκαν"));
}

void tst_explorations::threeMatchesEndingOnLastCard()
{
    Window win(cardsWithKeysAt(5, {1, 3, 5}));
    QList<QString> captions;
    QList<int> slotCounts;
    win.tp.messages.onShow = [&](const MessageCall &) {
        captions << win.w->windowTitle();
        slotCounts << win.w->SlotCount;
    };
    win.runWithKey(QStringLiteral("mnuOno"), {Answer::Cancel});
    // Straight after the third card is placed: its caption, no scan caption after it.
    QCOMPARE(win.questions(), QStringList{FinalQuestion});
    QCOMPARE(captions, QList<QString>{cardCaption(5, 5)});
    QCOMPARE(slotCounts, QList<int>{3});
    QCOMPARE(win.w->SearchCard, 5);
    QCOMPARE(win.placedCards(), (QList<int>{1, 3, 5}));
    for (int s = 0; s < 3; ++s)
        QCOMPARE(QStringList(win.w->PageLines[s].cbegin(), win.w->PageLines[s].cend()),
                 slotLines(keyCard(2 * s + 1), 2 * s + 1));
    // Cancel: the page stays, and so does everything it can still be used for.
    QCOMPARE(win.w->windowTitle(), PlainCaption);
    QVERIFY(!win.w->page->items().isEmpty());
    QVERIFY(win.w->mnuPrint->isEnabled());
    QVERIFY(win.w->mnuExport->isEnabled());
    QCOMPARE(win.tp.renderer.documents.size(), 0);
}

void tst_explorations::eightMatches_data()
{
    QTest::addColumn<int>("cardCount");
    QTest::addColumn<Answer>("pageAnswer");
    QTest::addColumn<Answer>("finalAnswer");
    QTest::newRow("eighth before the last card, printed") << 10 << Answer::Yes << Answer::Yes;
    QTest::newRow("eighth before the last card, saved") << 10 << Answer::No << Answer::Yes;
    QTest::newRow("eighth the last card, printed") << 8 << Answer::Yes << Answer::Yes;
    QTest::newRow("eighth the last card, saved") << 8 << Answer::No << Answer::Yes;
    QTest::newRow("eighth the last card, saved twice") << 8 << Answer::No << Answer::No;
}

void tst_explorations::eightMatches()
{
    QFETCH(int, cardCount);
    QFETCH(Answer, pageAnswer);
    QFETCH(Answer, finalAnswer);
    Window win(cardsWithKeysAt(cardCount, range(1, 8)));
    QList<QString> captions;
    QList<int> slotCounts, searchCards;
    win.tp.messages.onShow = [&](const MessageCall &) {
        captions << win.w->windowTitle();
        slotCounts << win.w->SlotCount;
        searchCards << win.w->SearchCard;
    };
    win.runWithKey(QStringLiteral("mnuTitlos"), {pageAnswer, finalAnswer});

    QCOMPARE(win.questions(), (QStringList{PageQuestion, FinalQuestion}));
    QCOMPARE(slotCounts, (QList<int>{8, 0}));
    QCOMPARE(searchCards, (QList<int>{8, cardCount}));
    QCOMPARE(captions, (QList<QString>{cardCaption(8, cardCount), scanCaption(cardCount, cardCount)}));
    QCOMPARE(win.w->windowTitle(), PlainCaption);
    QCOMPARE(win.w->SearchCard, cardCount);

    const int printed = (pageAnswer == Answer::Yes) + (finalAnswer == Answer::Yes);
    QCOMPARE(win.tp.renderer.documents.size(), printed);
    const int exportedLines = 24 * ((pageAnswer == Answer::No) + (finalAnswer == Answer::No));
    QCOMPARE(win.exportBytes().count("\r\n"), exportedLines);
    if (finalAnswer == Answer::Yes) {
        // A page without cards: 56 lines, every slot only its rules and empty lines.
        const QStringList page = win.printedPage(printed - 1);
        QCOMPARE(page.size(), 56);
        for (int s = 0; s < 8; ++s)
            for (int line = 1; line <= 4; ++line)
                QCOMPARE(page.at(3 + 6 * s + line), QString());
        QVERIFY(!win.w->mnuPrint->isEnabled());
    } else {
        QVERIFY(win.w->mnuPrint->isEnabled());
    }
    QVERIFY(!win.w->mnuExport->isEnabled());
    QVERIFY(win.pageLinesEmpty());
    QVERIFY(win.w->page->items().isEmpty());
}

// The page question answered with anything but Yes or No ends the run with the full
// page on the screen; the menu states depend on what the run printed before.
void tst_explorations::stoppingAtThePageQuestion_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<int>("lastPlaced");
    QTest::addColumn<bool>("printEnabled");
    QTest::addColumn<bool>("exportEnabled");
    QTest::newRow("first page") << "mnuOno" << QList<Answer>{Answer::Cancel} << 8 << true << true;
    QTest::newRow("box closed") << "mnuOno" << QList<Answer>{Answer::Ok} << 8 << true << true;
    QTest::newRow("after a saved page")
        << "mnuOno" << QList<Answer>{Answer::No, Answer::Cancel} << 16 << true << true;
    QTest::newRow("after a printed page")
        << "mnuOno" << QList<Answer>{Answer::Yes, Answer::Cancel} << 16 << true << false;
    QTest::newRow("publishing data after a printed page")
        << "mnuEkdot" << QList<Answer>{Answer::Yes, Answer::Cancel} << 16 << false << false;
    QTest::newRow("publishing data after a saved page")
        << "mnuEkdot" << QList<Answer>{Answer::No, Answer::Cancel} << 16 << true << true;
    QTest::newRow("two fields after a printed page")
        << "mnuAuthorAlloi" << QList<Answer>{Answer::Yes, Answer::Cancel} << 16 << true << false;
    // The two-field explorations of publishing data keep "Εκτύπωση" after a printed page.
    for (const char *name : {"mnuAlloiEkdot", "mnuTitleEkdot", "mnuAuthorEkdot"})
        QTest::addRow("%s after a printed page", name)
            << name << QList<Answer>{Answer::Yes, Answer::Cancel} << 16 << true << false;
}

void tst_explorations::stoppingAtThePageQuestion()
{
    QFETCH(QString, name);
    QFETCH(QList<Answer>, answers);
    QFETCH(int, lastPlaced);
    QFETCH(bool, printEnabled);
    QFETCH(bool, exportEnabled);
    Window win(cardsWithKeysAt(20, range(1, 18)));
    win.runWithKey(name, answers);
    QCOMPARE(win.questions(), QStringList(answers.size(), PageQuestion));
    QCOMPARE(win.placedCards(), range(lastPlaced - 7, lastPlaced));
    QCOMPARE(win.w->windowTitle(), cardCaption(lastPlaced, 20));
    QCOMPARE(win.w->CurrentCard, lastPlaced);
    QCOMPARE(win.w->SearchCard, lastPlaced);
    QVERIFY(!win.w->page->items().isEmpty());
    QCOMPARE(win.w->mnuPrint->isEnabled(), printEnabled);
    QCOMPARE(win.w->mnuExport->isEnabled(), exportEnabled);
}

void tst_explorations::nothingFound()
{
    Window win(cardsWithKeysAt(6, {}));
    // An earlier page, to be sure the run clears it.
    win.run(QStringLiteral("mnuAlloi"), {QStringLiteral("αλλος")}, {Answer::Cancel});
    QCOMPARE(win.w->SlotCount, 6);
    win.tp.messages.calls.clear();

    QString captionAtMessage;
    int searchCardAtMessage = -1;
    win.tp.messages.onShow = [&](const MessageCall &) {
        captionAtMessage = win.w->windowTitle();
        searchCardAtMessage = win.w->SearchCard;
    };
    win.run(QStringLiteral("mnuOno"), {QStringLiteral("μαρκου ")});
    QCOMPARE(win.messagesShown(), 1);
    const MessageCall m = win.tp.messages.calls.at(0);
    QCOMPARE(m.prompt, QStringLiteral("Ο Συγγραφέας ΜΑΡΚΟΥ  δεν Βρέθηκε"));
    QCOMPARE(m.title, QStringLiteral("Βελμόρα 3.0"));
    QCOMPARE(m.buttons, Buttons::Ok);
    QCOMPARE(m.icon, Icon::Information);
    QCOMPARE(captionAtMessage, scanCaption(6, 6));
    QCOMPARE(searchCardAtMessage, 6);
    QCOMPARE(win.w->windowTitle(), PlainCaption);
    QVERIFY(win.pageLinesEmpty());
    QVERIFY(win.w->page->items().isEmpty());
    QVERIFY(!win.w->mnuPrint->isEnabled());
    QVERIFY(!win.w->mnuExport->isEnabled());
    QCOMPARE(win.w->statusText(), QString());
}

void tst_explorations::exportNoticeNamesLastCardPlaced()
{
    Window win(cardsWithKeysAt(5, {2, 3}));
    win.runWithKey(QStringLiteral("mnuOno"), {Answer::No});
    QCOMPARE(win.w->statusText(), exportNotice(3));
    QCOMPARE(win.placedCards(), (QList<int>{2, 3}));
    QVERIFY(!win.w->page->items().isEmpty());
    QCOMPARE(win.w->windowTitle(), PlainCaption);
    QVERIFY(win.w->mnuPrint->isEnabled());
    QVERIFY(!win.w->mnuExport->isEnabled());
    QCOMPARE(win.exportBytes().count("\r\n"), 24);
}

// After Yes to the final question: two of the two-field explorations leave "Εκτύπωση"
// enabled when the last card of the file was the last one placed.
void tst_explorations::finalPrintMenuStates_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("cardCount");
    QTest::addColumn<QList<int>>("keys");
    QTest::addColumn<QList<Answer>>("answers");
    QTest::addColumn<bool>("printEnabled");

    const QList<Answer> yes{Answer::Yes};
    for (const char *name : {"mnuAuthorAlloi", "mnuAlloiEkdot"}) {
        QTest::addRow("%s, only match the last card", name) << name << 5 << QList<int>{5} << yes << true;
        QTest::addRow("%s, last card after a printed page", name)
            << name << 9 << range(1, 9) << QList<Answer>{Answer::Yes, Answer::Yes} << true;
        QTest::addRow("%s, only match before the last card", name)
            << name << 5 << QList<int>{3} << yes << false;
        QTest::addRow("%s, eighth match the last card", name)
            << name << 8 << range(1, 8) << QList<Answer>{Answer::Yes, Answer::Yes} << false;
        QTest::addRow("%s, eighth match the last card, saved", name)
            << name << 8 << range(1, 8) << QList<Answer>{Answer::No, Answer::Yes} << false;
    }
    for (const HandlerEntry &h : Handlers) {
        if (QByteArray(h.name) == "mnuAuthorAlloi" || QByteArray(h.name) == "mnuAlloiEkdot")
            continue;
        QTest::addRow("%s, only match the last card", h.name) << h.name << 5 << QList<int>{5} << yes << false;
    }
}

void tst_explorations::finalPrintMenuStates()
{
    QFETCH(QString, name);
    QFETCH(int, cardCount);
    QFETCH(QList<int>, keys);
    QFETCH(QList<Answer>, answers);
    QFETCH(bool, printEnabled);
    Window win(cardsWithKeysAt(cardCount, keys));
    win.runWithKey(name, answers);
    QCOMPARE(win.tp.messages.calls.size(), answers.size());
    QCOMPARE(win.tp.messages.calls.last().prompt, FinalQuestion);
    QCOMPARE(win.w->mnuPrint->isEnabled(), printEnabled);
    QVERIFY(!win.w->mnuExport->isEnabled());
    QVERIFY(win.pageLinesEmpty());
    QVERIFY(win.w->page->items().isEmpty());
    QCOMPARE(win.w->windowTitle(), PlainCaption);
    QCOMPARE(win.tp.cardFileBytes(), win.originalCards);
}

void tst_explorations::footersNumberPagesPerExploration()
{
    Window win(cardsWithKeysAt(20, range(1, 16)));
    const QString heading = QStringLiteral("Διερεύνηση Συγγραφέα και Τίτλου:");
    win.runWithKey(QStringLiteral("mnuAuthorTitle"), {Answer::Yes, Answer::Yes, Answer::Yes});
    QCOMPARE(win.tp.renderer.documents.size(), 3); // each page a document of its own
    for (int p = 0; p < 3; ++p) {
        QCOMPARE(win.tp.renderer.documents.at(p).pages.size(), 1);
        const QStringList page = win.printedPage(p);
        QCOMPARE(page.size(), 56);
        QCOMPARE(page.last(), heading + QStringLiteral(" Σελίδα ") + NumberText(p + 1));
        // The cards of the page in their slots, in the order found.
        for (int s = 0; s < 8; ++s) {
            const int number = 8 * p + s + 1;
            const QStringList expected =
                p < 2 ? slotLines(keyCard(number), number) : QStringList{QString(), QString(), QString()};
            QCOMPARE(page.mid(3 + 6 * s + 2, 3), expected);
        }
    }
    QCOMPARE(win.w->PageNumber, 3);

    // The next exploration counts from 1 again, under its own heading.
    win.runWithKey(QStringLiteral("mnuOno"), {Answer::Yes, Answer::Cancel});
    QCOMPARE(win.tp.renderer.documents.size(), 4);
    QCOMPARE(win.printedPage(3).last(), QStringLiteral("Διερεύνηση Συγγραφέα: Σελίδα ") + NumberText(1));

    // An exploration stopped before it printed anything has stored no heading: the menu
    // prints the last one stored, numbered within the exploration on the screen.
    win.runWithKey(QStringLiteral("mnuTitlos"), {Answer::Cancel});
    win.w->mnuPrint_Click();
    QCOMPARE(win.tp.renderer.documents.size(), 5);
    QCOMPARE(win.printedPage(4).last(), QStringLiteral("Διερεύνηση Συγγραφέα: Σελίδα ") + NumberText(1));

    // The other-name exploration empties the heading at its start: a page printed from
    // the menu before it prints one of its own has none.
    win.run(QStringLiteral("mnuAlloi"), {QStringLiteral("ΑΛΛΟΣ")}, {Answer::Cancel});
    QCOMPARE(win.w->SearchHeading, QString());
    win.w->mnuPrint_Click();
    QCOMPARE(win.tp.renderer.documents.size(), 6);
    QCOMPARE(win.printedPage(5).last(), QStringLiteral(" Σελίδα ") + NumberText(1));
    win.runWithKey(QStringLiteral("mnuAlloi"), {Answer::Yes, Answer::Yes, Answer::Yes});
    QCOMPARE(win.w->SearchHeading, QStringLiteral("Διερεύνηση Άλλου Ονόματος:"));
    QCOMPARE(win.tp.cardFileBytes(), win.originalCards);
}

void tst_explorations::exportedFileBytes()
{
    // Eleven matches on twelve cards, Greek text in every field, both pages saved.
    QList<CardRecord> cards;
    for (int n = 1; n <= 12; ++n) {
        CardRecord c = n <= 11 ? keyCard(n) : otherCard(n);
        c.setField(Field::PagesNotes, QStringLiteral("σελ. %1, εικ.").arg(n * 10));
        cards << c;
    }
    Window win(cards);
    win.runWithKey(QStringLiteral("mnuAlloi"), {Answer::No, Answer::No});

    QByteArray expected;
    const auto addLine = [&expected](const QByteArray &line) { expected += line + "\r\n"; };
    for (int n = 1; n <= 16; ++n) {
        if (n > 11) {
            for (int line = 0; line < 3; ++line)
                addLine({});
            continue;
        }
        const CardRecord &c = cards.at(n - 1);
        const auto bytes = [&c](Field f) { return c.fieldBytes(f).toByteArray(); };
        addLine(bytes(Field::Isbn) + "  " + bytes(Field::Author) + "  " + bytes(Field::OtherName));
        addLine(bytes(Field::Title));
        addLine(bytes(Field::Publication) + "  " + bytes(Field::PagesNotes) + "  " +
                cp1253::encode(u"Καρτέλλα =") + ' ' + QByteArray::number(n));
    }
    const QByteArray written = win.exportBytes();
    QCOMPARE(written.count("\r\n"), 48);
    QCOMPARE(written, expected);
    QVERIFY(written.contains("\xca\xcb\xc5\xc9\xc4\xc9")); // "ΚΛΕΙΔΙ", one byte a letter
    QCOMPARE(win.w->statusText(), exportNotice(11));
    QCOMPARE(win.tp.cardFileBytes(), win.originalCards);
}

void tst_explorations::failedExportClaimsNothing()
{
    Window win(cardsWithKeysAt(12, range(1, 10)));
    win.tp.files.failAppend = true;
    QList<QString> statusAtQuestion;
    QList<int> slotsAtQuestion;
    win.tp.messages.onShow = [&](const MessageCall &) {
        statusAtQuestion << win.w->statusText();
        slotsAtQuestion << win.w->SlotCount;
    };
    win.runWithKey(QStringLiteral("mnuOno"), {Answer::No});
    // The page that could not be saved stays, and the run stops there with the user told.
    QCOMPARE(win.questions(), (QStringList{PageQuestion}));
    QCOMPARE(win.messagesShown(), 2);
    QVERIFY(win.tp.messages.calls.last().prompt.startsWith(QStringLiteral("Η σελίδα δεν αποθηκεύτηκε")));
    QCOMPARE(slotsAtQuestion, (QList<int>{8, 8}));
    QCOMPARE(statusAtQuestion, (QList<QString>{QString(), QString()}));
    QCOMPARE(win.w->statusText(), QString());
    QCOMPARE(win.w->SearchCard, 8);
    QCOMPARE(win.exportBytes(), QByteArray());
    QCOMPARE(win.placedCards(), range(1, 8));
    QVERIFY(win.w->mnuExport->isEnabled());
}

void tst_explorations::failedPrintingDoesNotStopTheRun()
{
    Window win(cardsWithKeysAt(10, range(1, 9)));
    win.tp.renderer.fail = true;
    win.runWithKey(QStringLiteral("mnuTitlos"), {Answer::Yes, Answer::Yes});
    QCOMPARE(win.questions(), (QStringList{PageQuestion, FinalQuestion}));
    QCOMPARE(win.tp.log.count(QStringLiteral("render")), 2); // each page was handed over
    QCOMPARE(win.w->SearchCard, 10);
    QVERIFY(!win.tp.printer.isOpen());
}

void tst_explorations::questionsAreYesNoCancel()
{
    Window win(cardsWithKeysAt(9, range(1, 9)));
    win.runWithKey(QStringLiteral("mnuAnyAuthorTitle"), {Answer::No, Answer::Cancel});
    QCOMPARE(win.messagesShown(), 2);
    for (const MessageCall &c : win.tp.messages.calls) {
        QCOMPARE(c.title, QStringLiteral("Βελμόρα 3.0"));
        QCOMPARE(c.buttons, Buttons::YesNoCancel);
        QCOMPARE(c.icon, Icon::Question);
    }
    // Cancel at the final question leaves the last card on the page and both items.
    QCOMPARE(win.placedCards(), QList<int>{9});
    QVERIFY(win.w->mnuPrint->isEnabled());
    QVERIFY(win.w->mnuExport->isEnabled());
    QCOMPARE(win.w->statusText(), exportNotice(8));
}

QTEST_MAIN(tst_explorations)
#include "tst_explorations.moc"
