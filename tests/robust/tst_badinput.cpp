// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Whatever the user types, wherever the export goes and whatever the printer does, the
// program answers as it should and goes on.

#include "cardnumber.h"
#include "program.h"
#include "searchtext.h"
#include "testfiles.h"

#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QtTest>

using namespace velmora;
using namespace velmora::test;

Q_DECLARE_METATYPE(velmora::CardNumberEntry::Kind)

namespace {

const QString Range = QStringLiteral("Γράψτε έναν αριθμό από 1 έως  10");

QList<CardRecord> tenCards()
{
    QList<CardRecord> cards;
    for (int i = 1; i <= 10; ++i)
        cards << card(QStringLiteral("960-%1").arg(i), QStringLiteral("ΣΥΓΓΡΑΦΕΑΣ %1").arg(i),
                      QStringLiteral("ΤΙΤΛΟΣ %1").arg(i), QStringLiteral("ΑΛΛΟΣ %1").arg(i),
                      QStringLiteral("ΑΘΗΝΑ %1").arg(i));
    return cards;
}

// Under a default locale of the test's choosing, put back afterwards.
struct DefaultLocale
{
    QLocale before;
    explicit DefaultLocale(const QLocale &locale) { QLocale::setDefault(locale); }
    ~DefaultLocale() { QLocale::setDefault(before); }
};

QLocale localeNamed(const QString &name)
{
    return name == QLatin1String("C") ? QLocale::c() : QLocale(name);
}

} // namespace

class BadInputTest : public QObject
{
    Q_OBJECT

private slots:
    void cardNumbers_data()
    {
        QTest::addColumn<QString>("locale");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<CardNumberEntry::Kind>("kind");
        QTest::addColumn<int>("card");
        using K = CardNumberEntry;
        struct Row
        {
            const char *locale, *typed;
            K::Kind kind;
            int card;
        };
        // Ten cards. The text is read by the locale's own rules; what is a number then
        // follows the search's: rounding half to even, the count compared before rounding.
        const Row rows[] = {
            {"C", "", K::Range, 0},
            {"C", "   ", K::Range, 0},
            {"C", " 5 ", K::Card, 5},
            {"C", "+5", K::Card, 5},
            {"C", "-5", K::Range, 0},
            {"C", "\u22125", K::Range, 0}, // the minus sign
            {"C", "-0", K::Range, 0},
            {"C", "0", K::Range, 0},
            {"C", "0.5", K::Range, 0}, // rounds to 0
            {"C", "0.51", K::Card, 1},
            {"C", "1.5", K::Card, 2},
            {"C", "2.5", K::Card, 2}, // half to even
            {"C", "10", K::Card, 10},
            {"C", "10.4", K::NotFound, 0}, // above the count before rounding
            {"C", "11", K::NotFound, 0},
            {"C", "1e1", K::Card, 10},
            {"C", "1E0", K::Card, 1},
            {"C", "1e3", K::NotFound, 0},
            {"C", "1e-1", K::Range, 0},
            {"C", "1e999", K::TooLarge, 0},
            {"C", "-1e999", K::TooLarge, 0},
            {"C", "inf", K::Range, 0}, // read as a number, but infinity is no card
            {"C", "-inf", K::Range, 0},
            {"C", "+INF", K::Range, 0},
            {"C", "nan", K::Range, 0},
            {"C", "-NaN", K::Range, 0},
            {"C", "2147483647", K::NotFound, 0},
            {"C", "2147483648", K::TooLarge, 0},
            {"C", "-2147483648", K::Range, 0},
            {"C", "-2147483649", K::TooLarge, 0},
            {"C", "99999999999", K::TooLarge, 0},
            {"C", "-99999999999", K::TooLarge, 0},
            {"C", "99999999999999999999999999999999999999999", K::TooLarge, 0},
            {"C", "1.000", K::Card, 1},
            {"C", "1,000", K::NotFound, 0}, // a thousand
            {"C", "1,5", K::Range, 0},
            {"C", "0x5", K::Range, 0},
            {"C", "5abc", K::Range, 0},
            {"C", "\u00BD", K::Range, 0},     // ½
            {"C", "\u0663", K::Range, 0},     // Arabic-Indic three
            {"C", "\u06F3", K::Range, 0},     // Persian three
            {"C", "\u096B", K::Range, 0},     // Devanagari five
            {"C", "\uFF15", K::Range, 0},     // fullwidth five
            {"C", "\U0001D7DD", K::Range, 0}, // mathematical bold five
            {"el_GR", "5", K::Card, 5},
            {"el_GR", "1,5", K::Card, 2},
            {"el_GR", "2,5", K::Card, 2},
            {"el_GR", "0,5", K::Range, 0},
            {"el_GR", "0,6", K::Card, 1},
            {"el_GR", "10,4", K::NotFound, 0},
            {"el_GR", "1.000", K::NotFound, 0}, // a thousand
            {"el_GR", "1.000,5", K::NotFound, 0},
            {"el_GR", "1.5", K::Range, 0}, // the dot groups thousands here
            {"el_GR", "1e1", K::Card, 10},
            {"el_GR", "-3", K::Range, 0},
            {"el_GR", "\u0663", K::Range, 0},
            {"el_GR", "99999999999", K::TooLarge, 0},
            {"el_GR", "Inf", K::Range, 0},
            {"el_GR", "-inf", K::Range, 0},
            {"el_GR", "NAN", K::Range, 0},
            {"ar_EG", "\u0663", K::Card, 3}, // its own digits
            {"ar_EG", "3", K::Card, 3},
            {"ar_EG", "inf", K::Range, 0},
            {"ar_EG", "\u0661\u066C\u0660\u0660\u0660", K::NotFound, 0}, // ١٬٠٠٠
            {"hi_IN", "5", K::Card, 5},
            {"mr_IN", "\u096B", K::Card, 5},
            {"hi_IN", "-INF", K::Range, 0},
        };
        for (const Row &r : rows)
            QTest::newRow(qPrintable(
                QStringLiteral("%1 \"%2\"").arg(QLatin1String(r.locale), QString::fromUtf8(r.typed))))
                << QString::fromLatin1(r.locale) << QString::fromUtf8(r.typed) << r.kind << r.card;
    }
    void cardNumbers()
    {
        QFETCH(QString, locale);
        QFETCH(QString, typed);
        QFETCH(CardNumberEntry::Kind, kind);
        QFETCH(int, card);
        const CardNumberEntry entry = readCardNumber(typed, 10, localeNamed(locale));
        QCOMPARE(entry.kind, kind);
        QCOMPARE(entry.card, card);

        // The window does what the reading says, under the user's own locale.
        if (typed.isEmpty())
            return; // an empty entry ends the search before it is read
        DefaultLocale userLocale(localeNamed(locale));
        Program p;
        p.tp.writeCards(tenCards());
        frmTervani *w = p.start();
        QVERIFY(w);
        w->cmdNext_Click();
        p.tp.input.answers << typed << QString(); // the second box only after the range hint
        w->cmdFindcode_Click();
        const QStringList prompts = [&p] {
            QStringList out;
            for (const MessageCall &m : p.tp.messages.calls)
                out << m.prompt;
            return out;
        }();
        switch (kind) {
        case CardNumberEntry::Card:
            QCOMPARE(w->CurrentCard, card);
            QVERIFY(prompts.isEmpty());
            break;
        case CardNumberEntry::Range:
            QCOMPARE(prompts, QStringList{Range});
            QCOMPARE(p.tp.input.calls.size(), 2); // asked again
            QCOMPARE(w->CurrentCard, 2);
            break;
        case CardNumberEntry::NotFound:
            QCOMPARE(prompts, QStringList{QStringLiteral("Ο Αριθμός Καρτέλλας ") + typed +
                                          QStringLiteral(" δεν Βρέθηκε")});
            QCOMPARE(w->CurrentCard, 2);
            break;
        case CardNumberEntry::TooLarge:
            QVERIFY(prompts.isEmpty());
            QCOMPARE(p.tp.input.calls.size(), 1);
            QCOMPARE(w->CurrentCard, 2);
            break;
        }
        QCOMPARE(w->txtEpo->text(), QStringLiteral("960-%1").arg(w->CurrentCard));
    }

    // Texts the code page cannot hold, or far longer than any field: nothing matches, the
    // message quotes the text, and the program goes on.
    void searchTexts_data()
    {
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("quoted"); // as the message quotes it: upper-cased
        QTest::newRow("emoji") << QStringLiteral("ΤΙΤΛΟΣ 😀") << QStringLiteral("ΤΙΤΛΟΣ 😀");
        QTest::newRow("CJK") << QStringLiteral("中文 τίτλος") << QStringLiteral("中文 ΤΊΤΛΟΣ");
        QTest::newRow("a lone surrogate")
            << QStringLiteral("ΤΙΤΛΟΣ") + QChar(0xD800) << QStringLiteral("ΤΙΤΛΟΣ") + QChar(0xD800);
        QTest::newRow("a leading zero-width no-break space")
            << QStringLiteral("\uFEFFΤΙΤΛΟΣ 1") << QStringLiteral("\uFEFFΤΙΤΛΟΣ 1");
        QTest::newRow("5000 letters") << QString(5000, u'τ') << QString(5000, u'Τ');
        QTest::newRow("a matching title and 100 000 more")
            << QStringLiteral("ΤΙΤΛΟΣ 1") + QString(100000, u' ')
            << QStringLiteral("ΤΙΤΛΟΣ 1") + QString(100000, u' ');
    }
    void searchTexts()
    {
        QFETCH(QString, typed);
        QFETCH(QString, quoted);
        Program p;
        p.tp.writeCards(tenCards());
        frmTervani *w = p.start();
        QVERIFY(w);
        // One field, prefix, several fields for one text, and two texts.
        struct Search
        {
            void (frmTervani::*handler)();
            int texts;
            QString message;
        };
        const Search searches[] = {
            {&frmTervani::cmdFindTitle_Click, 1, QStringLiteral("Το Κείμενο %1 δεν Βρέθηκε")},
            {&frmTervani::cmdFindISBN_Click, 1, QStringLiteral("Ο Αριθμός ISBN %1 δεν Βρέθηκε")},
            {&frmTervani::mnuAnyAuthorTitle_Click, 1, QStringLiteral("Το Όνομα/Κείμενο %1 δεν Bρέθηκε")},
            {&frmTervani::mnuAuthorTitle_Click, 2,
             QStringLiteral("Ο Συγγραφέας ΣΥΓΓΡΑΦΕΑΣ και το κείμενο Τίτλου %1 δεν Βρέθηκαν")},
        };
        for (const Search &s : searches) {
            if (s.texts == 2)
                p.tp.input.answers << QStringLiteral("ΣΥΓΓΡΑΦΕΑΣ");
            p.tp.input.answers << typed;
            (w->*s.handler)();
            QCOMPARE(p.tp.messages.calls.last().prompt, s.message.arg(quoted));
            QCOMPARE(w->CurrentCard, 1);
        }

        frmMulti *m = p.toExploration();
        p.tp.input.answers << typed;
        m->mnuTitlos_Click();
        QCOMPARE(p.tp.messages.calls.last().prompt, QStringLiteral("Το Κείμενο %1 δεν Βρέθηκε").arg(quoted));
        QCOMPARE(m->SlotCount, 0);
        p.toCards();
        QCOMPARE(p.tp.cardFileBytes(), [] {
            QByteArray b;
            for (const CardRecord &c : tenCards())
                b += recordBytes(c);
            return b;
        }());
    }

    // The export folder gone, a dangling link, read-only or full: the page is not reported
    // as recorded, the user is told that it was not saved, and it stays on the screen.
    void exportThatFails_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder missing") << QStringLiteral("missing");
        QTest::newRow("folder a dangling link") << QStringLiteral("dangling");
        QTest::newRow("folder read-only") << QStringLiteral("readonly");
        QTest::newRow("disk full") << QStringLiteral("full");
    }
    void exportThatFails()
    {
        QFETCH(QString, kind);
        Program p;
        p.tp.writeCards(tenCards());
        QVERIFY(p.start());
        frmMulti *m = p.toExploration();
        QVERIFY(m);
        const QString folder = p.tp.paths.dataFolder();
        QVERIFY(QDir(folder).exists()); // made at load
        test::InterceptedCalls calls;
        if (kind == QLatin1String("missing")) {
            QVERIFY(QDir(p.tp.paths.programFiles()).removeRecursively());
        } else if (kind == QLatin1String("dangling")) {
            QVERIFY(QDir(folder).removeRecursively());
            QVERIFY(QFile::link(folder + QStringLiteral(".gone"), folder));
        } else if (kind == QLatin1String("readonly")) {
            test::beforeCall = [](const test::CallSite &site) {
                return test::opensForWriting(site, "MySearch.doc") ? EACCES : 0;
            };
        } else {
            p.tp.files.failAppend = true;
        }

        // Nine matches: a full page to export through the question, which stops the run
        // where it could not be saved; then once more through the menu.
        p.tp.input.answers << QStringLiteral("ΤΙΤΛΟΣ");
        p.tp.messages.answers << Answer::No;
        const auto notSaved = [&p] {
            const MessageCall &last = p.tp.messages.calls.last();
            return last.buttons == Buttons::Ok && last.icon == Icon::Exclamation &&
                   last.prompt.startsWith(QStringLiteral("Η σελίδα δεν αποθηκεύτηκε στο αρχείο "));
        };
        m->mnuTitlos_Click();
        QCOMPARE(p.tp.messages.calls.size(), 2);
        QCOMPARE(p.tp.messages.calls.first().buttons, Buttons::YesNoCancel);
        QVERIFY2(notSaved(), qPrintable(p.tp.messages.calls.last().prompt));
        QCOMPARE(m->statusText(), QString());
        QCOMPARE(m->CurrentCard, 8);
        QCOMPARE(m->SlotCount, 8); // the page is still there
        QVERIFY(m->mnuExport->isEnabled());
        m->mnuExport_Click();
        QCOMPARE(p.tp.messages.calls.size(), 3);
        QVERIFY(notSaved());
        QCOMPARE(m->SlotCount, 8);
        QCOMPARE(m->statusText(), QString());
        QVERIFY(p.exportBytes().isEmpty());
        p.toCards();
    }

    // A printer that fails: nothing is announced as printing, and the program goes on.
    void printerThatFails()
    {
        Program p;
        p.tp.writeCards(tenCards());
        frmTervani *w = p.start();
        QVERIFY(w);
        p.tp.renderer.fail = true;
        w->cmdPrint_Click();
        w->cmdNext_Click();
        w->cmdPrint_Click();
        w->cmdEndPrint_Click();
        for (const MessageCall &m : p.tp.messages.calls)
            QVERIFY2(m.prompt != QStringLiteral("Οι Καρτέλλες Εκτυπώνονται"), qPrintable(m.prompt));
        QCOMPARE(w->PrintCount, 0);

        // A search's Yes prints through the same queue.
        p.tp.input.answers << QStringLiteral("ΤΙΤΛΟΣ 1");
        p.tp.messages.answers << Answer::Yes << Answer::Cancel;
        w->cmdFindTitle_Click();
        QCOMPARE(w->PrintCount, 1);

        frmMulti *m = p.toExploration();
        p.tp.input.answers << QStringLiteral("ΤΙΤΛΟΣ");
        p.tp.messages.answers << Answer::Yes << Answer::Yes;
        m->mnuTitlos_Click();
        QCOMPARE(m->CurrentCard, 10);
        QVERIFY(!p.tp.printer.isOpen());

        // Once the printer works again, the next document goes through whole.
        p.tp.renderer.fail = false;
        w = p.toCards();
        w->cmdPrint_Click();
        w->cmdEndPrint_Click();
        QCOMPARE(p.tp.messages.calls.last().prompt, QStringLiteral("Οι Καρτέλλες Εκτυπώνονται"));
    }
};

QTEST_MAIN(BadInputTest)
#include "tst_badinput.moc"
