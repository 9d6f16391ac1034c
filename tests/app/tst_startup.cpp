// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardeditsession.h"
#include "cardfile.h"
#include "cardfileerror.h"
#include "cardfilefailure.h"
#include "cardjournal.h"
#include "fakes.h"
#include "frmabout.h"
#include "frmhelp.h"
#include "frmmulti.h"
#include "frmsplash.h"
#include "frmtervani.h"
#include "greekfailure.h"
#include "handlerguard.h"
#include "startup.h"

#include <QDir>
#include <QFileInfo>
#include <QLineEdit>
#include <QProcess>
#include <QToolButton>
#include <QtTest>

using namespace velmora;
using namespace velmora::test;

namespace {

constexpr FormName Splash = FormName::frmSplash;
constexpr FormName CardWindow = FormName::frmTervani;

// The program's start as main() runs it, on the fakes.
struct Program
{
    TestPlatform tp;
    CardWindowSession session;
    Program() { registerForms(tp.platform(), tp.forms, session); }
    ~Program()
    {
        for (FormName name : {Splash, CardWindow, FormName::frmMulti, FormName::frmAbout, FormName::frmHelp})
            tp.forms.unload(name);
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    }
    QWidget *form(FormName name) { return tp.forms.form(name); }
};

QStringList visibleWindows()
{
    QStringList names;
    const auto windows = QApplication::topLevelWidgets();
    for (QWidget *w : windows)
        if (w->isVisible())
            names << w->objectName();
    return names;
}

} // namespace

class StartupTest : public QObject
{
    Q_OBJECT

private slots:
    void startsBehindTheSplash()
    {
        Program p;
        p.tp.writeCards({card(QStringLiteral("1")), card(QStringLiteral("2")), card(QStringLiteral("3"))});
        QVERIFY(startProgram(p.tp.platform(), p.tp.forms));
        QVERIFY(p.tp.messages.calls.isEmpty());

        auto *splash = qobject_cast<frmSplash *>(p.form(Splash));
        auto *cardWindow = qobject_cast<frmTervani *>(p.form(CardWindow));
        QVERIFY(splash && cardWindow);
        QCOMPARE(visibleWindows(), QStringList{QStringLiteral("frmSplash")});
        QCOMPARE(cardWindow->windowTitle(), QStringLiteral("Βελμόρα 3.0 - Σερβαλίνη - Καρτέλλα:  1  από  3"));

        splash->tmrSplash->setInterval(10);
        QTRY_COMPARE(visibleWindows(), QStringList{QStringLiteral("frmTervani")});
        QVERIFY(!p.tp.forms.isLoaded(Splash));
    }

    // The picture brings the splash back over the card window; the user may go on to the
    // exploration window before it closes, and the card window must then stay unloaded.
    void theSplashShownAgainLeavesTheExplorationWindowAlone()
    {
        Program p;
        p.tp.writeCards({card(QStringLiteral("1")), card(QStringLiteral("2"))});
        QVERIFY(startProgram(p.tp.platform(), p.tp.forms));
        qobject_cast<frmSplash *>(p.form(Splash))->tmrSplash_Timer();
        auto *cardWindow = qobject_cast<frmTervani *>(p.form(CardWindow));
        QVERIFY(cardWindow);
        QVERIFY(QTest::qWaitForWindowExposed(cardWindow));

        QTest::mouseClick(cardWindow->Picture1, Qt::LeftButton);
        auto *splash = qobject_cast<frmSplash *>(p.form(Splash));
        QVERIFY(splash && splash->isVisible());
        cardWindow->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(cardWindow));
        QTest::keyClick(cardWindow, Qt::Key_A, Qt::ControlModifier);
        QVERIFY(p.tp.forms.isLoaded(FormName::frmMulti));
        QVERIFY(!p.tp.forms.isLoaded(CardWindow));

        splash->tmrSplash_Timer();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QVERIFY(!p.tp.forms.isLoaded(Splash));
        QVERIFY(!p.tp.forms.isLoaded(CardWindow));
        QCOMPARE(visibleWindows(), QStringList{QStringLiteral("frmMulti")});
    }

    void everyWindowIsRegistered()
    {
        Program p;
        p.tp.writeCards({card(QStringLiteral("1"))});
        QVERIFY(startProgram(p.tp.platform(), p.tp.forms));
        p.tp.forms.show(FormName::frmAbout);
        auto *about = p.tp.forms.form<frmAbout>(FormName::frmAbout);
        QVERIFY(about);
        QCOMPARE(about->windowTitle(), QStringLiteral("Περί του ...")); // its load step ran
        p.tp.forms.show(FormName::frmHelp);
        QVERIFY(p.tp.forms.form<frmHelp>(FormName::frmHelp));

        p.tp.forms.load(FormName::frmMulti);
        QVERIFY(p.tp.forms.form<frmMulti>(FormName::frmMulti));
        QVERIFY(!p.tp.forms.isLoaded(CardWindow)); // the exploration window's load ran
    }

    // A second editor of the same card file is refused before anything is loaded; the
    // bibliography installed with the program is never locked for editing.
    void aSecondEditorIsRefused()
    {
        Program p;
        p.tp.writeCards({card(QStringLiteral("1"))});
        CardFileLock first;
        QVERIFY(first.acquire(p.tp.cardFile()));
        CardEditSession second;
        QVERIFY(!beginEditing(p.tp.platform(), second, p.tp.cardFile(), false));
        QCOMPARE(p.tp.messages.calls.size(), 1);
        QCOMPARE(p.tp.messages.calls.first().prompt, greekText(Failure(Fault::Locked)));
        QVERIFY(beginEditing(p.tp.platform(), second, p.tp.cardFile(), true));
        QVERIFY(!second.isActive());
        first.release();
        QVERIFY(beginEditing(p.tp.platform(), second, p.tp.cardFile(), false));
        QVERIFY(second.isActive());
    }

    // A filing cut short: the editor undoes it before anything is shown and says so; a
    // reader shows the file as it is and says an editing session was interrupted.
    void anInterruptedFilingIsUndoneAndTold_data()
    {
        QTest::addColumn<bool>("edit");
        QTest::addColumn<bool>("installed");
        QTest::newRow("editor") << true << false;
        QTest::newRow("reader") << false << false;
        QTest::newRow("the installed file, with --edit") << true << true;
    }
    void anInterruptedFilingIsUndoneAndTold()
    {
        QFETCH(bool, edit);
        QFETCH(bool, installed);
        Program p;
        const CardRecord before = card(QStringLiteral("1"), QStringLiteral("ΠΡΙΝ"));
        p.tp.writeCards({card(QStringLiteral("1"), QStringLiteral("ΜΙΣΟ")), card(QStringLiteral("2"))});
        const QByteArray torn = p.tp.cardFileBytes();
        JournalEntry entry{0, 2 * RecordLength, QByteArray(before.bytes().data(), RecordLength),
                           torn.left(RecordLength)};
        QFile journal(journalBeside(p.tp.cardFile()));
        QVERIFY(journal.open(QIODevice::WriteOnly));
        journal.write(encodeJournal(entry));
        journal.close();
        CardEditSession editing(p.tp.platform().paths.dataFolder());
        if (edit)
            QVERIFY(beginEditing(p.tp.platform(), editing, p.tp.cardFile(), installed));
        else
            tellOfInterruptedEditing(p.tp.platform(), p.tp.cardFile());
        const bool undone = edit && !installed;
        // An undone filing is told by the card window, with its card back on the screen.
        QCOMPARE(p.tp.messages.calls.size(), undone ? 0 : 1);
        const std::optional<UndoneFiling> handedBack = editing.takeUndoneFiling();
        QCOMPARE(handedBack.has_value(), undone);
        if (undone)
            QCOMPARE(handedBack->number, 1);
        else
            QCOMPARE(p.tp.messages.calls.first().prompt,
                     QStringLiteral("Μια διόρθωση του αρχείου καρτελλών διακόπηκε στη μέση μιας "
                                    "καταχώρισης. Το αρχείο δείχνεται όπως είναι· η επόμενη διόρθωση "
                                    "(velmora --edit) θα το επαναφέρει όπως ήταν πριν από αυτήν."));
        QCOMPARE(p.tp.cardFileBytes(),
                 undone ? QByteArray(before.bytes().data(), RecordLength) + torn.mid(RecordLength) : torn);
        QCOMPARE(journal.exists(), !undone);
    }

    // Release builds drop assertions: a window nobody registered must still fail loudly.
    void aWindowNobodyRegisteredIsAFault()
    {
        Forms forms;
        QVERIFY_THROWS_EXCEPTION(std::logic_error, forms.load(FormName::frmAbout));
        QVERIFY(!forms.isLoaded(FormName::frmAbout));
    }

    void cardFileThatCannotBeUsed_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("folder") << QStringLiteral("folder");
        QTest::newRow("longer than 2 GiB") << QStringLiteral("long");
    }
    void cardFileThatCannotBeUsed()
    {
        QFETCH(QString, kind);
        Program p;
        if (kind == QLatin1String("folder")) {
            QVERIFY(QDir().mkdir(p.tp.cardFile()));
        } else {
            QFile f(p.tp.cardFile());
            QVERIFY(f.open(QIODevice::WriteOnly));
            QVERIFY(f.resize(MaxFileLength + 1)); // sparse
        }
        QVERIFY(!startProgram(p.tp.platform(), p.tp.forms));

        QCOMPARE(p.tp.messages.calls.size(), 1);
        const MessageCall &m = p.tp.messages.calls.first();
        QCOMPARE(m.title, QStringLiteral("Βελμόρα 3.0"));
        QCOMPARE(m.buttons, Buttons::Ok);
        QCOMPARE(m.icon, Icon::Exclamation);
        QVERIFY2(m.prompt.contains(p.tp.cardFile()), qPrintable(m.prompt));
        // Nothing is left loaded or on screen.
        QVERIFY(!p.tp.forms.isLoaded(Splash));
        QVERIFY(!p.tp.forms.isLoaded(CardWindow));
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCOMPARE(visibleWindows(), QStringList());
    }

    void handlerFailuresAreCaught()
    {
        QStringList caught;
        setHandlerFailureReporter([&caught](const CardFileError &e) {
            caught << e.failure().path;
            // A second failure while the first is being reported adds nothing.
            QTimer::singleShot(0, guarded([] {
                                   throw CardFileError(Failure(Fault::System, EIO, QStringLiteral("second")));
                               }));
            QTest::qWait(20);
        });
        QTimer::singleShot(
            0, guarded([] { throw CardFileError(Failure(Fault::System, EIO, QStringLiteral("first"))); }));
        QTRY_COMPARE(caught, QStringList{QStringLiteral("first")});
        QTest::qWait(20);
        QCOMPARE(caught, QStringList{QStringLiteral("first")});

        // Once reported, the next failure is reported again.
        QTimer::singleShot(
            0, guarded([] { throw CardFileError(Failure(Fault::System, EIO, QStringLiteral("third"))); }));
        QTRY_COMPARE(caught.size(), 2);
        QCOMPARE(caught.last(), QStringLiteral("third"));
        setHandlerFailureReporter(nullptr);
    }

    void failureEndsTheProcess_data()
    {
        QTest::addColumn<QString>("mode");
        QTest::addColumn<QString>("file");
        QTest::newRow("from the main loop") << QStringLiteral("top") << QStringLiteral("/nowhere/Filis.dat");
        QTest::newRow("from a modal loop")
            << QStringLiteral("nested") << QStringLiteral("/nowhere/Filis.dat");
        QTest::newRow("from the card window") << QStringLiteral("cardwindow") << QStringLiteral("/Filis.dat");
        QTest::newRow("from a search") << QStringLiteral("search") << QStringLiteral("/Filis.dat");
    }
    void failureEndsTheProcess()
    {
        QFETCH(QString, mode);
        QFETCH(QString, file);
        QProcess helper;
        helper.start(QStringLiteral(VELMORA_FAILURE_HELPER), {mode});
        QVERIFY(helper.waitForFinished(30000));
        const QString out = QString::fromUtf8(helper.readAllStandardOutput());
        QCOMPARE(helper.exitStatus(), QProcess::NormalExit);
        QVERIFY2(helper.exitCode() == CardFileFailureStatus, qPrintable(out));
        QCOMPARE(out.count(QStringLiteral("message: ")), 1);
        QVERIFY2(out.contains(QStringLiteral("message: Βελμόρα 3.0|")), qPrintable(out));
        QVERIFY2(out.contains(file), qPrintable(out));
        // Nothing runs after the report: no modal loop resumes, no event loop goes on.
        QVERIFY2(!out.contains(QStringLiteral("modal loop ended")), qPrintable(out));
        QVERIFY2(!out.contains(QStringLiteral("carried on")), qPrintable(out));
    }

    void theSampleBibliographyOpens()
    {
        const QFileInfo sample(QStringLiteral(VELMORA_SAMPLE_CARDS));
        QVERIFY2(sample.isFile(), VELMORA_SAMPLE_CARDS);
        QVERIFY(sample.size() >= 100 * RecordLength);
        QCOMPARE(sample.size() % RecordLength, 0);

        Program p;
        QVERIFY(QFile::copy(sample.filePath(), p.tp.cardFile()));
        QVERIFY(startProgram(p.tp.platform(), p.tp.forms));
        auto *cardWindow = p.tp.forms.form<frmTervani>(CardWindow);
        QCOMPARE(cardWindow->CardCount, qint32(sample.size() / RecordLength));
        QVERIFY(!cardWindow->txtOno->text().isEmpty());
    }
};

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    StartupTest test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "tst_startup.moc"
