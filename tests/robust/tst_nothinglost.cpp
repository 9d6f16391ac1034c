// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Every path of the program that only reads the card file, run over a file that holds
// every byte value: the file keeps every byte.

#include "program.h"

#include <QtTest>

using namespace velmora;
using namespace velmora::test;

namespace {

// Nine cards every search finds (more than a page of the exploration window), then every
// byte value four times over and 77 bytes more: a partial last record of 126 bytes.
QByteArray everyByteFile()
{
    QByteArray bytes;
    for (int i = 1; i <= 9; ++i)
        bytes += recordBytes(card(QStringLiteral("960-ΚΟΙΝΟ %1").arg(i), QStringLiteral("ΚΟΙΝΟ"),
                                  QStringLiteral("ΚΟΙΝΟ"), QStringLiteral("ΚΟΙΝΟ"), QStringLiteral("ΚΟΙΝΟ"),
                                  QStringLiteral("ΚΟΙΝΟ")));
    return bytes + everyByte(4, 77);
}

} // namespace

class NothingLostTest : public QObject
{
    Q_OBJECT

private slots:
    void everyReadOnlyPathKeepsEveryByte()
    {
        Program p;
        const QByteArray stored = everyByteFile();
        QCOMPARE(stored.size() % RecordLength, 126);
        p.writeBytes(stored);
        const auto unchanged = [&] { return p.tp.cardFileBytes() == stored; };

        frmTervani *w = p.start();
        QVERIFY(w);
        QCOMPARE(w->CardCount, 15);
        p.tp.forms.show(FormName::frmAbout);

        // Browsing, to the end and back, past both ends, by buttons and menus.
        for (int i = 0; i < 15; ++i)
            w->cmdNext_Click();
        w->mnuNext_Click();
        for (int i = 0; i < 15; ++i)
            w->mnuPrevious_Click();
        w->cmdPrevious_Click();
        QCOMPARE(w->CurrentCard, 1);
        QVERIFY(unchanged());

        // Every search: the first card found is printed, the search then cancelled.
        using Handler = void (frmTervani::*)();
        const struct
        {
            Handler handler;
            int texts;
        } searches[] = {
            {&frmTervani::cmdFindISBN_Click, 1},    {&frmTervani::cmdFindAuthor_Click, 1},
            {&frmTervani::cmdFindTitle_Click, 1},   {&frmTervani::cmdFindAlloi_Click, 1},
            {&frmTervani::cmdFindEkdot_Click, 1},   {&frmTervani::mnuAnyAuthorTitle_Click, 1},
            {&frmTervani::mnuAuthorTitle_Click, 2}, {&frmTervani::mnuTitleAlloi_Click, 2},
            {&frmTervani::mnuAlloiEkdot_Click, 2},  {&frmTervani::mnuTitleEkdot_Click, 2},
            {&frmTervani::mnuAuthorAlloi_Click, 2}, {&frmTervani::mnuAuthorEkdot_Click, 2},
        };
        for (const auto &s : searches) {
            for (int i = 0; i < s.texts; ++i)
                p.tp.input.answers << (s.handler == &frmTervani::cmdFindISBN_Click ? QStringLiteral("960-")
                                                                                   : QStringLiteral("κοινο"));
            p.tp.messages.answers << Answer::Yes << Answer::No << Answer::Cancel;
            (w->*s.handler)();
            QVERIFY(unchanged());
        }
        // Texts that are found nowhere, or only in the damaged cards.
        for (const QString &typed :
             {QStringLiteral("ΑΒΓ"), QStringLiteral("\u2400\u2401"), QStringLiteral("ABC")}) {
            p.tp.input.answers << typed;
            p.tp.messages.answers << Answer::No << Answer::No << Answer::No;
            w->cmdFindTitle_Click();
        }
        for (const QString &typed :
             {QStringLiteral("15"), QStringLiteral("0"), QString(), QStringLiteral("16")}) {
            p.tp.input.answers << typed;
            w->cmdFindcode_Click();
        }
        QCOMPARE(w->CurrentCard, 15);
        QVERIFY(unchanged());

        // Printing, help and the splash.
        w->cmdPrint_Click();
        w->cmdEndPrint_Click();
        w->mnuHelp_Click();
        w->mnuHelp1_Click();
        w->mnuBible_Click();
        w->mnuAbout1_Click();
        w->Picture1_Click();
        QVERIFY(!p.tp.renderer.documents.isEmpty());
        QVERIFY(unchanged());

        // Every exploration: the first full page printed, the last one exported; then the
        // menus of the page.
        frmMulti *m = p.toExploration();
        QVERIFY(m);
        QCOMPARE(m->CardCount, 15);
        using MultiHandler = void (frmMulti::*)();
        const struct
        {
            MultiHandler handler;
            int texts;
        } explorations[] = {
            {&frmMulti::mnuEpo_Click, 1},         {&frmMulti::mnuOno_Click, 1},
            {&frmMulti::mnuTitlos_Click, 1},      {&frmMulti::mnuAlloi_Click, 1},
            {&frmMulti::mnuEkdot_Click, 1},       {&frmMulti::mnuAnyAuthorTitle_Click, 1},
            {&frmMulti::mnuAuthorTitle_Click, 2}, {&frmMulti::mnuTitleAlloi_Click, 2},
            {&frmMulti::mnuAlloiEkdot_Click, 2},  {&frmMulti::mnuTitleEkdot_Click, 2},
            {&frmMulti::mnuAuthorAlloi_Click, 2}, {&frmMulti::mnuAuthorEkdot_Click, 2},
        };
        for (const auto &e : explorations) {
            for (int i = 0; i < e.texts; ++i)
                p.tp.input.answers << (e.handler == &frmMulti::mnuEpo_Click ? QStringLiteral("960-")
                                                                            : QStringLiteral("ΚΟΙΝΟ"));
            p.tp.messages.answers << Answer::Yes << Answer::No;
            (m->*e.handler)();
            QVERIFY(!p.exportBytes().isEmpty());
            QVERIFY(unchanged());
        }
        p.tp.input.answers << QStringLiteral("\u2400");
        p.tp.messages.answers << Answer::No;
        m->mnuTitlos_Click();
        m->mnuExport_Click();
        m->mnuPrint_Click();
        m->mnuAbout_Click();
        m->mnuHelp1_Click();
        m->mnuHelp2_Click();
        m->mnuBible_Click();
        QVERIFY(unchanged());

        // Back to the card window, which opens the file again.
        w = p.toCards();
        QVERIFY(w);
        QCOMPARE(w->CardCount, 15);
        for (int i = 0; i < 15; ++i)
            w->cmdNext_Click();
        QVERIFY(unchanged());
        QVERIFY(p.tp.input.answers.isEmpty());
        QVERIFY(p.tp.messages.answers.isEmpty());
    }
};

QTEST_MAIN(NothingLostTest)
#include "tst_nothinglost.moc"
