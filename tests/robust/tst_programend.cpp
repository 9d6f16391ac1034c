// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The signals that end the program (a shutdown, a closed terminal, Ctrl+C) keep the card
// typed and not filed before the program ends, and then end it; a logout asks about it.

#include "program.h"
#include "programend.h"
#include "recoveryfile.h"
#include "titleedit.h"

#include <QEventLoop>
#include <QTimer>
#include <QtTest>

#include <csignal>

using namespace velmora;
using namespace velmora::test;

namespace {

// A session manager that lets the program ask, or not, and notes what it is told.
struct FakeSessionEnd : SessionEnd
{
    bool mayAsk = true;
    QStringList calls;
    bool allowsInteraction() override
    {
        calls << QStringLiteral("allowsInteraction");
        return mayAsk;
    }
    void release() override { calls << QStringLiteral("release"); }
    void cancel() override { calls << QStringLiteral("cancel"); }
};

} // namespace

class tst_programend : public QObject
{
    Q_OBJECT

private slots:
    void signalsKeepTheTyping_data()
    {
        QTest::addColumn<int>("signalNumber");
        QTest::newRow("SIGTERM") << int(SIGTERM);
        QTest::newRow("SIGHUP") << int(SIGHUP);
        QTest::newRow("SIGINT") << int(SIGINT);
    }
    void signalsKeepTheTyping()
    {
        QFETCH(int, signalNumber);
        Program p;
        p.tp.writeCards({card(QStringLiteral("960-1"), {}, QStringLiteral("ΠΑΛΙΟΣ"))});
        p.edit();
        frmTervani *w = p.start();
        QVERIFY(w);
        QCoreApplication::processEvents();
        w->txtTitlos->setText(QStringLiteral("ΝΕΟΣ"));
        struct sigaction before
        {
        };
        ::sigaction(signalNumber, nullptr, &before);
        {
            QEventLoop loop;
            const ProgramEnd end(p.tp.forms, [&](int status) { loop.exit(status); });
            // Sent before the keystroke delay is over: the typing is kept by the signal.
            QCOMPARE(::kill(::getpid(), signalNumber), 0);
            QTimer::singleShot(5000, &loop, [&] { loop.exit(-1); });
            QCOMPARE(loop.exec(), 128 + signalNumber);
        }
        const auto kept =
            readRecoveryFile(recoveryFilePath(p.tp.cardFile(), p.tp.paths.dataFolder()), p.tp.cardFile());
        QVERIFY(kept);
        QCOMPARE(kept->number, 1);
        QCOMPARE(kept->fields[int(Field::Title)], QStringLiteral("ΝΕΟΣ"));
        // Its end gives the signal back its earlier handling.
        struct sigaction now
        {
        };
        ::sigaction(signalNumber, nullptr, &now);
        QVERIFY(now.sa_handler == before.sa_handler);
    }

    // The manager's leave is asked for only with something to ask, given back once the
    // keeper has answered, and the logout cancelled by Cancel alone.
    void aLogoutAsks_data()
    {
        QTest::addColumn<bool>("typed");
        QTest::addColumn<bool>("mayAsk");
        QTest::addColumn<Answer>("answer");
        QTest::addColumn<QStringList>("calls");
        const QString ask = QStringLiteral("allowsInteraction");
        const QString release = QStringLiteral("release");
        QTest::newRow("nothing typed") << false << true << Answer::Ok << QStringList{};
        QTest::newRow("no asking") << true << false << Answer::Ok << QStringList{ask};
        QTest::newRow("Yes") << true << true << Answer::Yes << QStringList{ask, release};
        QTest::newRow("No") << true << true << Answer::No << QStringList{ask, release};
        QTest::newRow("Cancel") << true << true << Answer::Cancel
                                << QStringList{ask, release, QStringLiteral("cancel")};
    }
    void aLogoutAsks()
    {
        QFETCH(bool, typed);
        QFETCH(bool, mayAsk);
        QFETCH(Answer, answer);
        QFETCH(QStringList, calls);
        Program p;
        p.tp.writeCards({card(QStringLiteral("960-1"), {}, QStringLiteral("ΠΑΛΙΟΣ"))});
        p.edit();
        frmTervani *w = p.start();
        QVERIFY(w);
        if (typed)
            w->txtTitlos->setText(QStringLiteral("ΝΕΟΣ"));
        FakeMessageBox &messages = p.tp.messages;
        const qsizetype shown = messages.calls.size();
        messages.answers << answer;
        FakeSessionEnd session;
        session.mayAsk = mayAsk;
        endSession(p.tp.forms, session);
        QCOMPARE(session.calls, calls);
        QCOMPARE(messages.calls.size() - shown, typed && mayAsk ? 1 : 0);
    }
};

QTEST_MAIN(tst_programend)
#include "tst_programend.moc"
