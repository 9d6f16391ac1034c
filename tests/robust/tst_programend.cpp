// The signals that end the program (a shutdown, a closed terminal, Ctrl+C) keep the card
// typed and not filed before the program ends, and then end it.

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
            readRecoveryFile(recoveryFilePath(p.tp.cardFile(), p.tp.paths.exportFolder()), p.tp.cardFile());
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
};

QTEST_MAIN(tst_programend)
#include "tst_programend.moc"
