// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The exploration window itself: loading in place of the card window, the page and its
// buffer, captions, keys, menus, and the way back.

#include "multiwindow.h"
#include "numbertext.h"
#include "pageview.h"

#include <QAccessible>
#include <QAction>
#include <QFileInfo>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTest>

using namespace velmora;
using namespace velmora::test;

namespace {

const QString PlainTitle = QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη");

CardRecord card17()
{
    return card(QStringLiteral("960-7037-55-2"), QStringLiteral("ΠΑΠΑΔΟΠΟΥΛΟΣ Γ."),
                QStringLiteral("ΙΣΤΟΡΙΑ ΤΗΣ ΑΡΧΑΙΑΣ ΜΑΚΕΔΟΝΙΑΣ"), QStringLiteral("ΜΕΤΑΦΡ. ΝΙΚΟΛΑΟΥ"),
                QStringLiteral("ΑΘΗΝΑ, ΚΑΡΔΑΜΙΤΣΑ 1994"), QStringLiteral("σελ. 412"));
}

QList<CardRecord> numberedCards(int count)
{
    QList<CardRecord> cards;
    for (int n = 1; n <= count; ++n)
        cards << card(QStringLiteral("ISBN-%1").arg(n), QStringLiteral("ΣΥΓΓΡΑΦΕΑΣ %1").arg(n),
                      QStringLiteral("ΤΙΤΛΟΣ %1").arg(n));
    return cards;
}

QList<QAction *> explorationActions(frmMulti *w)
{
    return {w->mnuEpo,         w->mnuOno,         w->mnuTitlos,
            w->mnuAlloi,       w->mnuEkdot,       w->mnuAnyAuthorTitle,
            w->mnuAuthorTitle, w->mnuTitleAlloi,  w->mnuAlloiEkdot,
            w->mnuTitleEkdot,  w->mnuAuthorAlloi, w->mnuAuthorEkdot};
}

} // namespace

class tst_frmMulti : public QObject
{
    Q_OBJECT

private slots:
    void freshWindow_data();
    void freshWindow();
    void exportFoldersLeftAlone();
    void showCRFillsOneSlot();
    void captions();
    void clearArraysKeepsTheDrawing();
    void drawnBlockColumns();
    void longFieldFallsToTheNextLine();
    void pageSurvivesRepaint();
    void pageIsReadableByAssistiveTechnology();
    void keys_data();
    void keys();
    void ctrlARunsTelosOnce_data();
    void ctrlARunsTelosOnce();
    void altXEndsTheProgram();
    void f10OpensTheMenuBar();
    void capsPanelFollowsTheKeyboard();
    void menuTree();
    void menuHandlers();
};

void tst_frmMulti::freshWindow_data()
{
    QTest::addColumn<QByteArray>("contents");
    QTest::addColumn<bool>("missing");
    QTest::addColumn<int>("cardCount");

    QByteArray three;
    for (const CardRecord &c : numberedCards(3))
        three.append(c.bytes().data(), RecordLength);
    QTest::newRow("three cards") << three << false << 3;
    QTest::newRow("empty file") << QByteArray() << false << 1;
    QTest::newRow("missing file") << QByteArray() << true << 1;
    QTest::newRow("97-byte tail") << three.left(292) << false << 1;
    QTest::newRow("98-byte tail") << three.left(293) << false << 2;
}

void tst_frmMulti::freshWindow()
{
    QFETCH(QByteArray, contents);
    QFETCH(bool, missing);
    QFETCH(int, cardCount);

    MultiWindow env;
    if (!missing) {
        QFile f(env.tp.cardFile());
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write(contents);
    }
    frmMulti *w = env.open();
    QVERIFY(w);

    QCOMPARE(w->windowTitle(), PlainTitle);
    QVERIFY(!env.tp.forms.isLoaded(FormName::frmTervani));
    QCOMPARE(env.cardWindowLoads, 1);
    QVERIFY(w->File.isOpen());
    QCOMPARE(w->RecordLength, 195);
    QCOMPARE(w->CurrentCard, 1);
    QCOMPARE(w->CardCount, cardCount);
    QCOMPARE(w->SlotCount, 0);
    for (const frmMulti::Slot &slot : w->PageLines)
        for (const QString &line : slot)
            QVERIFY(line.isEmpty());
    QVERIFY(w->page->items().isEmpty());
    QVERIFY(w->page->drawnLines().isEmpty());
    QVERIFY(!w->mnuPrint->isEnabled());
    QVERIFY(!w->mnuExport->isEnabled());
    QVERIFY(w->mnuTelos->isEnabled());

    QVERIFY(QFileInfo(env.tp.paths.programFiles()).isDir());
    QVERIFY(QFileInfo(env.tp.paths.dataFolder()).isDir());
    QVERIFY(!QFileInfo::exists(env.tp.paths.exportFile()));

    QCOMPARE(w->statusBar()->objectName(), QStringLiteral("StatusBar1"));
    QCOMPARE(w->statusBar()->toolTip(), QStringLiteral("Χώρος Μηνυμάτων Προγράμματος"));
    const QStringList panels{w->StatusBar1.panel(1)->text(), w->StatusBar1.panel(2)->text(),
                             w->StatusBar1.panel(3)->text(), w->StatusBar1.panel(4)->text(),
                             w->StatusBar1.panel(5)->text()};
    QCOMPARE(panels, QStringList({{}, {}, {}, QStringLiteral("CAPS"), {}}));
    QCOMPARE(w->statusText(), QString());
    QVERIFY(w->StatusBar1.panel(2)->width() >= w->StatusBar1.panel(1)->width());

    // Loading only reads the card file.
    QCOMPARE(env.tp.cardFileBytes(), contents);
}

void tst_frmMulti::exportFoldersLeftAlone()
{
    MultiWindow env;
    env.tp.writeCards(numberedCards(2));
    // A file where the folder should be is not replaced, and the export folder under it
    // cannot be made: the window still opens and says nothing.
    QFile blocker(env.tp.paths.programFiles());
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.write("not a folder");
    blocker.close();

    frmMulti *w = env.open();
    QVERIFY(w);
    QVERIFY(QFileInfo(env.tp.paths.programFiles()).isFile());
    QVERIFY(!QFileInfo::exists(env.tp.paths.dataFolder()));
    QVERIFY(env.tp.messages.calls.isEmpty());
    QCOMPARE(w->CardCount, 2);
}

void tst_frmMulti::showCRFillsOneSlot()
{
    MultiWindow env;
    QList<CardRecord> cards = numberedCards(20);
    cards[16] = card17();
    env.tp.writeCards(cards);
    const QByteArray before = env.tp.cardFileBytes();
    frmMulti *w = env.open();

    w->CurrentCard = 17;
    w->ShowCR();

    QCOMPARE(w->SlotCount, 1);
    QCOMPARE(w->Card, card17());
    const frmMulti::Slot &slot = w->PageLines[0];
    QCOMPARE(slot[0].size(), 74);
    QCOMPARE(slot[1].size(), 65);
    QCOMPARE(slot[2].size(), 77);
    QCOMPARE(slot[0], padded(QStringLiteral("960-7037-55-2"), 20) + QStringLiteral("  ") +
                          padded(QStringLiteral("ΠΑΠΑΔΟΠΟΥΛΟΣ Γ."), 20) + QStringLiteral("  ") +
                          padded(QStringLiteral("ΜΕΤΑΦΡ. ΝΙΚΟΛΑΟΥ"), 30));
    QCOMPARE(slot[1], padded(QStringLiteral("ΙΣΤΟΡΙΑ ΤΗΣ ΑΡΧΑΙΑΣ ΜΑΚΕΔΟΝΙΑΣ"), 65));
    QCOMPARE(slot[2], padded(QStringLiteral("ΑΘΗΝΑ, ΚΑΡΔΑΜΙΤΣΑ 1994"), 40) + QStringLiteral("  ") +
                          padded(QStringLiteral("σελ. 412"), 20) + QStringLiteral("  Καρτέλλα = 17"));
    for (int s = 1; s < frmMulti::SlotsPerPage; ++s)
        QCOMPARE(w->PageLines[s], frmMulti::Slot());

    // A full page takes no ninth card.
    for (int n = 1; n <= 7; ++n) {
        w->CurrentCard = n;
        w->ShowCR();
    }
    QCOMPARE(w->SlotCount, 8);
    const auto full = w->PageLines;
    const int drawn = w->page->items().size();
    w->CurrentCard = 20;
    w->ShowCR();
    QCOMPARE(w->SlotCount, 8);
    QCOMPARE(w->PageLines, full);
    QCOMPARE(w->page->items().size(), drawn);

    QCOMPARE(env.tp.cardFileBytes(), before);
}

void tst_frmMulti::captions()
{
    MultiWindow env;
    env.tp.writeCards(numberedCards(120));
    frmMulti *w = env.open();

    w->CurrentCard = 5;
    w->ShowCR();
    QCOMPARE(w->windowTitle(), QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα: ") + u' ' + u'5' +
                                   QStringLiteral("  από ") + QStringLiteral(" 120"));
    w->showCA();
    QCOMPARE(w->windowTitle(), PlainTitle);

    // The scan caption reaches the window now and then, naming the card of that moment.
    QTest::qSleep(ScanCaption::IntervalMs + 10);
    w->SearchCard = 256;
    w->ShowSRN();
    QCOMPARE(w->windowTitle(), QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Διερευνώ Καρτέλλα: ") +
                                   NumberText(256) + QStringLiteral("  από ") + NumberText(120));
    // ShowCR's caption is never overtaken by a scan caption still waiting.
    w->SearchCard = 257;
    w->ShowSRN();
    w->CurrentCard = 6;
    w->ShowCR();
    QTest::qSleep(ScanCaption::IntervalMs + 10);
    w->ShowSRN(); // not yet time for card 257: only every 256 cards
    QCOMPARE(w->windowTitle(), QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα: ") + NumberText(6) +
                                   QStringLiteral("  από ") + NumberText(120));
}

void tst_frmMulti::clearArraysKeepsTheDrawing()
{
    MultiWindow env;
    env.tp.writeCards(numberedCards(4));
    frmMulti *w = env.open();
    for (int n : {2, 4}) {
        w->CurrentCard = n;
        w->ShowCR();
    }
    const QStringList drawn = w->page->drawnLines();
    QCOMPARE(drawn.size(), 8);

    w->ClearArrays();
    QCOMPARE(w->SlotCount, 0);
    for (const frmMulti::Slot &slot : w->PageLines)
        QCOMPARE(slot, frmMulti::Slot());
    QCOMPARE(w->page->drawnLines(), drawn);
}

void tst_frmMulti::drawnBlockColumns()
{
    MultiWindow env;
    env.tp.writeCards({card(QStringLiteral("1"), QStringLiteral("Α"), QStringLiteral("Τ"),
                            QStringLiteral("Ο"), QStringLiteral("Ε"), QStringLiteral("Σ")),
                       card(QStringLiteral("2"))});
    frmMulti *w = env.open();
    for (int n : {1, 2}) {
        w->CurrentCard = n;
        w->ShowCR();
    }
    const int cw = w->page->columnWidth();
    QCOMPARE(cw, QFontMetrics(w->page->font()).averageCharWidth());

    // Card 1: short fields, so every item stands at its column on its own line.
    struct Expected
    {
        int line, column;
        QString text;
    };
    const QList<Expected> expected{
        {0, 1, padded(QStringLiteral("1"), 20)},
        {0, 26, padded(QStringLiteral("Α"), 20)},
        {0, 60, padded(QStringLiteral("Ο"), 30)},
        {0, 98, QStringLiteral("Καρτέλλα = ")},
        {0, 0, QStringLiteral(" 1 ")},
        {1, 1, padded(QStringLiteral("Τ"), 65)},
        {2, 1, padded(QStringLiteral("Ε"), 40)},
        {2, 90, padded(QStringLiteral("Σ"), 20)},
        {3, 1, QString(110, u'_')},
    };
    const QList<PageView::Item> items = w->page->items();
    QCOMPARE(items.size(), 2 * expected.size());
    for (int i = 0; i < expected.size(); ++i) {
        QCOMPARE(items[i].line, expected[i].line);
        QCOMPARE(items[i].column, expected[i].column);
        QCOMPARE(items[i].text, expected[i].text);
        if (expected[i].column > 1)
            QCOMPARE(items[i].x, (expected[i].column - 1) * cw);
        // Card 2 is the same block four lines further down.
        QCOMPARE(items[i + expected.size()].line, expected[i].line + 4);
    }
    QCOMPARE(items[0].x, 2); // the text lines start at the left edge
    QCOMPARE(items[8].x, 0); // and the rule right at it
    QCOMPARE(items[4].x, items[3].x + QFontMetrics(w->page->font()).horizontalAdvance(items[3].text));
    QCOMPARE(w->page->drawnLines().value(0).indexOf(QStringLiteral("Καρτέλλα =  1 ")), 97);
}

void tst_frmMulti::longFieldFallsToTheNextLine()
{
    MultiWindow env;
    const QString wide(20, u'W');
    env.tp.writeCards({card(wide, QStringLiteral("ΣΥΓΓΡΑΦΕΑΣ"), QStringLiteral("ΤΙΤΛΟΣ"))});
    frmMulti *w = env.open();
    const QFontMetrics fm(w->page->font());
    QVERIFY2(2 + fm.horizontalAdvance(wide) > 25 * fm.averageCharWidth(), "the test needs a wider ISBN");

    w->CurrentCard = 1;
    w->ShowCR();
    const QList<PageView::Item> items = w->page->items();
    QCOMPARE(items[0].text, wide);
    QCOMPARE(items[0].line, 0);
    QCOMPARE(items[1].text, padded(QStringLiteral("ΣΥΓΓΡΑΦΕΑΣ"), 20));
    QCOMPARE(items[1].line, 1);
    QCOMPARE(items[1].column, 26);
    QCOMPARE(items[1].x, 25 * fm.averageCharWidth());
    // The rest of the block follows one line lower.
    QCOMPARE(items.last().text, QString(110, u'_'));
    QCOMPARE(items.last().line, 4);
    const QStringList lines = w->page->drawnLines();
    QCOMPARE(lines[0], wide);
    QVERIFY(lines[1].startsWith(QString(25, u' ') + QStringLiteral("ΣΥΓΓΡΑΦΕΑΣ")));
    // The buffer keeps the slot lines as they are, whatever the screen did.
    QCOMPARE(w->PageLines[0][0].size(), 74);
}

void tst_frmMulti::pageSurvivesRepaint()
{
    MultiWindow env;
    env.tp.writeCards(numberedCards(3));
    frmMulti *w = env.open();
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w));
    for (int n = 1; n <= 3; ++n) {
        w->CurrentCard = n;
        w->ShowCR();
    }
    const QSize size = w->size();
    const QStringList drawn = w->page->drawnLines();
    const QImage before = w->page->grab().toImage();

    w->resize(size / 2);
    QTest::qWait(20);
    w->resize(size * 3 / 2);
    QTest::qWait(20);
    w->page->repaint();
    w->resize(size);
    QTest::qWait(20);

    QCOMPARE(w->page->drawnLines(), drawn);
    const QImage after = w->page->grab().toImage();
    QCOMPARE(after, before);

    // Only clear() takes the page away.
    w->page->clear();
    const QImage empty = w->page->grab().toImage();
    QVERIFY(empty != before);
    QCOMPARE(empty.pixel(2, 5), empty.pixel(empty.width() / 2, empty.height() / 2));
    QVERIFY(w->page->drawnLines().isEmpty());
}

void tst_frmMulti::pageIsReadableByAssistiveTechnology()
{
    MultiWindow env;
    env.tp.writeCards({card17()});
    frmMulti *w = env.open();
    w->ShowCR();

    QAccessibleInterface *a = QAccessible::queryAccessibleInterface(w->page);
    QVERIFY(a);
    QAccessibleTextInterface *text = a->textInterface();
    QVERIFY(text);
    const QString all = text->text(0, text->characterCount());
    QCOMPARE(all, w->page->drawnText());
    QVERIFY(all.contains(QStringLiteral("ΙΣΤΟΡΙΑ ΤΗΣ ΑΡΧΑΙΑΣ ΜΑΚΕΔΟΝΙΑΣ")));
    QVERIFY(all.contains(QStringLiteral("Καρτέλλα =  1 ")));
    QCOMPARE(a->text(QAccessible::Value), all);

    w->page->clear();
    QCOMPARE(text->characterCount(), 0);
}

void tst_frmMulti::keys_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("runs"); // the menu entry whose handler runs, or nothing

    const int alt = Qt::AltModifier, ctrl = Qt::ControlModifier, shift = Qt::ShiftModifier;
    QTest::newRow("Alt+I") << int(Qt::Key_I) << "i" << alt << "mnuEpo";
    QTest::newRow("Alt+S") << int(Qt::Key_S) << "s" << alt << "mnuOno";
    QTest::newRow("Alt+T") << int(Qt::Key_T) << "t" << alt << "mnuTitlos";
    QTest::newRow("Alt+L") << int(Qt::Key_L) << "l" << alt << "mnuAlloi";
    QTest::newRow("Alt+O") << int(Qt::Key_O) << "o" << alt << "mnuEkdot";
    QTest::newRow("Alt+Shift+T") << int(Qt::Key_T) << "T" << (alt | shift) << "";
    QTest::newRow("Ctrl+T") << int(Qt::Key_T) << "\x14" << ctrl << "";
    QTest::newRow("Ctrl+Alt+T") << int(Qt::Key_T) << "" << (ctrl | alt) << "";
    QTest::newRow("T") << int(Qt::Key_T) << "t" << 0 << "";
    QTest::newRow("Alt+Q") << int(Qt::Key_Q) << "q" << alt << "";
    QTest::newRow("Alt+F7") << int(Qt::Key_F7) << "" << alt << "";
    // The Greek layout: the same keys type Greek letters.
    QTest::newRow("Greek Alt+Τ") << 0x3A4 << QStringLiteral("τ") << alt << "mnuTitlos";
    QTest::newRow("Greek Alt+Σ") << 0x3A3 << QStringLiteral("σ") << alt << "mnuOno";
    QTest::newRow("Greek Alt+Ι") << 0x399 << QStringLiteral("ι") << alt << "mnuEpo";
    QTest::newRow("Greek Alt+Λ") << 0x39B << QStringLiteral("λ") << alt << "mnuAlloi";
    QTest::newRow("Greek Alt+Ο") << 0x39F << QStringLiteral("ο") << alt << "mnuEkdot";
    QTest::newRow("Greek Alt+ς is W") << 0x3A3 << QStringLiteral("ς") << alt << "";
    QTest::newRow("Greek Alt+Shift+Τ") << 0x3A4 << QStringLiteral("Τ") << (alt | shift) << "";
    // Every other mask makes a letter of the key map no command; T's rows are above.
    const auto noCommand = [](char letter, const char *prefix, int mask) {
        const QString text = mask & Qt::ControlModifier ? QString(QChar::fromLatin1(char(letter - 0x40)))
                             : mask & Qt::ShiftModifier ? QString(QChar::fromLatin1(letter))
                                                        : QString(QChar::fromLatin1(letter)).toLower();
        QTest::addRow("%s%c", prefix, letter) << int(letter) << text << mask << "";
    };
    for (char letter : {'I', 'S', 'L', 'O', 'X'}) {
        noCommand(letter, "", 0);
        noCommand(letter, "Ctrl+", ctrl);
        noCommand(letter, "Ctrl+Alt+", ctrl | alt);
    }
    for (char letter : {'I', 'S', 'T', 'L', 'O', 'X'})
        noCommand(letter, "Shift+", shift);
    noCommand('A', "", 0);
    noCommand('A', "Alt+", alt);
    noCommand('A', "Shift+Ctrl+", shift | ctrl);
}

void tst_frmMulti::keys()
{
    QFETCH(int, key);
    QFETCH(QString, text);
    QFETCH(int, modifiers);
    QFETCH(QString, runs);

    MultiWindow env;
    env.tp.writeCards(numberedCards(3));
    frmMulti *w = env.open();
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w));

    QList<QAction *> actions = explorationActions(w);
    actions << w->mnuTelos << w->mnuExit << w->mnuPrint << w->mnuExport;
    QList<QSignalSpy *> spies;
    for (QAction *a : actions)
        spies << new QSignalSpy(a, &QAction::triggered);

    QTest::sendKeyEvent(QTest::Click, w, Qt::Key(key), text, Qt::KeyboardModifiers(modifiers));

    for (int i = 0; i < actions.size(); ++i)
        QCOMPARE(spies[i]->count(), actions[i]->objectName() == runs ? 1 : 0);
    qDeleteAll(spies);
    // An exploration starts by asking for its text, here answered with nothing.
    QCOMPARE(env.tp.input.calls.size(), runs.isEmpty() ? 0 : 1);
    QCOMPARE(env.tp.programEnded, 0);
    QVERIFY(env.tp.forms.isLoaded(FormName::frmMulti));
}

void tst_frmMulti::ctrlARunsTelosOnce_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("text");
    QTest::newRow("Latin layout") << int(Qt::Key_A) << "\x01";
    QTest::newRow("Greek layout") << 0x391 << QStringLiteral("α");
}

void tst_frmMulti::ctrlARunsTelosOnce()
{
    QFETCH(int, key);
    QFETCH(QString, text);

    MultiWindow env;
    env.tp.writeCards(numberedCards(3));
    const QByteArray cardBytes = env.tp.cardFileBytes();
    QPointer<frmMulti> w = env.open();
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w));
    w->CurrentCard = 2;
    w->ShowCR();
    QFile exportFile(env.tp.paths.exportFile());
    QVERIFY(exportFile.open(QIODevice::WriteOnly));
    exportFile.write("page of an earlier exploration\r\n");
    exportFile.close();
    const QByteArray exported = env.exportBytes();

    QSignalSpy telos(w->mnuTelos, &QAction::triggered);
    QTest::sendKeyEvent(QTest::Click, w, Qt::Key(key), text, Qt::ControlModifier);

    QCOMPARE(telos.count(), 1);
    QVERIFY(!env.tp.forms.isLoaded(FormName::frmMulti));
    QVERIFY(env.tp.forms.isLoaded(FormName::frmTervani));
    QCOMPARE(env.cardWindowLoads, 2); // loaded afresh, so it starts again at card 1
    QVERIFY(env.tp.forms.form(FormName::frmTervani)->isVisible());
    QVERIFY(w && !w->isVisible());
    QVERIFY(!w->File.isOpen());

    // The way back prints nothing and leaves the export file as it was.
    QVERIFY(!env.tp.printer.isOpen());
    QVERIFY(env.tp.renderer.documents.isEmpty());
    QCOMPARE(env.exportBytes(), exported);
    QCOMPARE(env.tp.cardFileBytes(), cardBytes);

    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    QVERIFY(!w);
}

void tst_frmMulti::altXEndsTheProgram()
{
    MultiWindow env;
    env.tp.writeCards(numberedCards(2));
    QPointer<frmMulti> w = env.open();
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w));

    QTest::keyClick(w, Qt::Key_X, Qt::AltModifier);
    QCOMPARE(env.tp.programEnded, 1);
    QVERIFY(!env.tp.forms.isLoaded(FormName::frmMulti));
    QVERIFY(!env.tp.forms.isLoaded(FormName::frmTervani));
    QVERIFY(env.tp.messages.calls.isEmpty());
    QVERIFY(w && !w->File.isOpen());
}

void tst_frmMulti::f10OpensTheMenuBar()
{
    MultiWindow env;
    env.tp.writeCards(numberedCards(2));
    frmMulti *w = env.open();
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QVERIFY(!w->menuBar()->activeAction());

    QTest::keyClick(w, Qt::Key_F10);
    QCOMPARE(w->menuBar()->activeAction(), w->mnuMulti->menuAction());
    w->mnuMulti->close();
}

void tst_frmMulti::capsPanelFollowsTheKeyboard()
{
    MultiWindow env;
    env.tp.writeCards(numberedCards(2));
    frmMulti *w = env.open();
    w->show();
    QVERIFY(QTest::qWaitForWindowActive(w));
    QLabel *caps = w->StatusBar1.panel(4);
    QVERIFY(!caps->isEnabled());

    env.tp.keyboard.caps = true;
    QTest::keyClick(w, Qt::Key_CapsLock);
    QVERIFY(caps->isEnabled());
    QCOMPARE(caps->text(), QStringLiteral("CAPS"));
    env.tp.keyboard.caps = false;
    QTest::keyClick(w, Qt::Key_CapsLock);
    QVERIFY(!caps->isEnabled());
}

void tst_frmMulti::menuTree()
{
    MultiWindow env;
    env.tp.writeCards(numberedCards(2));
    frmMulti *w = env.open();

    // name, caption, shortcut; a separator is "-".
    const QStringList expected{
        "mnuMulti|&Αρχείο|",
        "mnuTelos|Ανά καρτέλλα|Ctrl+A",
        "Sep3|-|",
        "mnuPrint|Εκτύπωση|Ctrl+F2",
        "mnuSep5|-|",
        "mnuExport|Αποθήκευση|Ctrl+F3",
        "mnuSep|-|",
        "mnuMenu|Μενού     F10|",
        "mnuSep4|-|",
        "mnuExit|Έ&ξοδος  Alt+X|",
        "mnuSearch|Α&ναζήτηση|",
        "mnuEpo|Αριθμ. &ΙSBN|F5",
        "mnuOno|&Συγγραφέα|F6",
        "mnuTitlos|&Τίτλου|F7",
        "mnuAlloi|Ά&λλου Ονόματος|F8",
        "mnuEkdot|Εκδ&οτικών|F9",
        "mnuSep8|-|",
        "mnuAnyAuthorTitle|Συγγραφέα/Τίτλου|Shift+F6",
        "mnuSearch1|&Διερεύνηση|",
        "mnuAuthorTitle|Συγγραφέας και Τίτλος|Ctrl+F6",
        "mnuTitleAlloi|Τίτλος και Άλλο Όνομα|Ctrl+F7",
        "mnuAlloiEkdot|Άλλο Όνομα και Εκδοτικά|Ctrl+F8",
        "mnuSep7|-|",
        "mnuTitleEkdot|Τίτλος και Εκδοτικά|Ctrl+F9",
        "mnuAuthorAlloi|Συγγραφέας και Άλλο Όνομα|Ctrl+F11",
        "mnuAuthorEkdot|Συγγραφέας και Εκδοτικά|Ctrl+F12",
        "mnublb|Βιβλιο&γραφία|",
        "mnuBible|Βελμόρα ...|",
        "mnuHelp|&Βοήθεια|",
        "mnuHelp1|Συντομ/ες-Πλήκτρα|F11",
        "mnuHelp2|Βοήθεια|Ctrl+F1",
        "mnuSep2|-|",
        "mnuAbout|Περί ...|",
    };
    QStringList actual;
    const auto describe = [](QAction *a) -> QString {
        return a->objectName() + u'|' + (a->isSeparator() ? QStringLiteral("-") : a->text()) + u'|' +
               a->shortcut().toString(QKeySequence::PortableText);
    };
    for (QAction *top : w->menuBar()->actions()) {
        actual << describe(top);
        for (QAction *a : top->menu()->actions())
            actual << describe(a);
    }
    QCOMPARE(actual, expected);
    // The iota of "ΙSBN" is Greek, the rest Latin.
    QCOMPARE(w->mnuEpo->text().at(8), QChar(0x0399));
    QCOMPARE(w->mnuEpo->text().mid(9), QStringLiteral("SBN"));

    for (QAction *a : w->findChildren<QAction *>())
        if (a != w->mnuPrint && a != w->mnuExport)
            QVERIFY2(a->isEnabled(), qPrintable(a->objectName()));
}

void tst_frmMulti::menuHandlers()
{
    MultiWindow env;
    env.tp.writeCards(numberedCards(2));
    frmMulti *w = env.open();
    w->CurrentCard = 2;
    w->ShowCR();
    const QString title = w->windowTitle();
    const QStringList drawn = w->page->drawnLines();

    // "Μενού     F10" only reminds: nothing happens.
    w->mnuMenu->trigger();
    QCOMPARE(w->windowTitle(), title);
    QCOMPARE(w->page->drawnLines(), drawn);
    QCOMPARE(w->SlotCount, 1);
    QVERIFY(env.tp.log.isEmpty());

    w->mnuHelp2->trigger();
    w->mnuBible->trigger();
    QCOMPARE(env.tp.help.opened, QStringList({"TERVANI.HLP", "BIBLIOGRAPHY.HLP"}));

    w->mnuHelp1->trigger();
    QVERIFY(env.tp.forms.isLoaded(FormName::frmHelp));
    QVERIFY(env.tp.forms.form(FormName::frmHelp)->isVisible());
    QVERIFY(!env.tp.forms.isLoaded(FormName::frmAbout));
    w->mnuAbout->trigger();
    QVERIFY(env.tp.forms.form(FormName::frmAbout)->isVisible());
    // Neither is modal, and the exploration window stays as it was.
    QVERIFY(!env.tp.forms.form(FormName::frmAbout)->isModal());
    QVERIFY(env.tp.forms.isLoaded(FormName::frmMulti));
    QCOMPARE(w->SlotCount, 1);

    w->mnuExit->trigger();
    QCOMPARE(env.tp.programEnded, 1);
    QVERIFY(!w->File.isOpen() || !env.tp.forms.isLoaded(FormName::frmMulti));
}

QTEST_MAIN(tst_frmMulti)
#include "tst_frmmulti.moc"
