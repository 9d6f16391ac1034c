#include "fakes.h"
#include "helpbrowser.h"
#include "helpwindow.h"

#include <QApplication>
#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>

using namespace velmora;
using namespace velmora::test;

namespace {

void writeHelp(const QString &folder, const QString &name, const QString &title)
{
    QDir().mkpath(folder);
    QFile f(QDir(folder).filePath(name));
    QVERIFY(f.open(QIODevice::WriteOnly));
    QString body =
        QStringLiteral("<html><head><meta charset=\"utf-8\"><title>%1</title></head><body>"
                       "<a name=\"contents\"></a><h1>Περιεχόμενα</h1><p><a href=\"#end\">Τέλος</a></p>")
            .arg(title);
    for (int i = 0; i < 200; ++i)
        body += QStringLiteral("<p>Παράγραφος %1</p>").arg(i);
    body += QStringLiteral("<a name=\"end\"></a><h2>Τέλος</h2></body></html>");
    f.write(body.toUtf8());
}

// The three places a help file may be, in a temporary folder of its own.
struct Places
{
    QTemporaryDir root;
    QString work = root.filePath(QStringLiteral("work"));
    QString data = root.filePath(QStringLiteral("share/velmora/help"));
    QString program = root.filePath(QStringLiteral("bin"));
    QString before = QDir::currentPath();

    Places()
    {
        QDir().mkpath(work);
        QDir::setCurrent(work);
    }
    ~Places() { QDir::setCurrent(before); }
    QStringList folders() const { return {QStringLiteral("."), data, program}; }
};

} // namespace

class tst_helpbrowser : public QObject
{
    Q_OBJECT

private slots:
    void findsTheFileInEachPlace_data()
    {
        QTest::addColumn<QStringList>("holders"); // which places hold a copy
        QTest::addColumn<QString>("expected");
        QTest::newRow("working folder") << QStringList{QStringLiteral("work")} << QStringLiteral("work");
        QTest::newRow("data folder") << QStringList{QStringLiteral("data")} << QStringLiteral("data");
        QTest::newRow("beside the program")
            << QStringList{QStringLiteral("program")} << QStringLiteral("program");
        QTest::newRow("working folder first")
            << QStringList{QStringLiteral("program"), QStringLiteral("data"), QStringLiteral("work")}
            << QStringLiteral("work");
        QTest::newRow("data before program")
            << QStringList{QStringLiteral("program"), QStringLiteral("data")} << QStringLiteral("data");
    }
    void findsTheFileInEachPlace()
    {
        QFETCH(QStringList, holders);
        QFETCH(QString, expected);
        Places places;
        const QHash<QString, QString> folder{{QStringLiteral("work"), places.work},
                                             {QStringLiteral("data"), places.data},
                                             {QStringLiteral("program"), places.program}};
        for (const QString &holder : holders)
            writeHelp(folder.value(holder), QStringLiteral("TERVANI.HLP"),
                      QStringLiteral("Βοήθεια ") + holder);

        QStringList log;
        FakeMessageBox messages(log);
        HelpBrowser help(messages, places.folders());
        help.showContents(QStringLiteral("TERVANI.HLP"));
        QVERIFY(messages.calls.isEmpty());
        HelpWindow *w = help.window(QStringLiteral("TERVANI.HLP"));
        QVERIFY(w);
        QVERIFY(w->isVisible());
        const QString wanted = QDir(folder.value(expected)).absoluteFilePath(QStringLiteral("TERVANI.HLP"));
        QCOMPARE(w->path(), QDir::cleanPath(wanted));
        QCOMPARE(w->browser()->source(), QUrl::fromLocalFile(QDir::cleanPath(wanted)));
        QCOMPARE(w->windowTitle(), QStringLiteral("Βοήθεια ") + expected);
        QVERIFY(w->browser()->toPlainText().contains(QStringLiteral("Περιεχόμενα")));
    }

    // By name and the folders searched, through the program's own message box rather than
    // a box of the viewer's past it.
    void aMissingFileIsReportedInTheProgramsBox()
    {
        Places places;
        writeHelp(places.data, QStringLiteral("TERVANI.HLP"), QStringLiteral("Βοήθεια"));
        QStringList log;
        FakeMessageBox messages(log);
        HelpBrowser help(messages, places.folders());
        help.showContents(QStringLiteral("BIBLIOGRAPHY.HLP"));
        QCOMPARE(messages.calls.size(), 1);
        const MessageCall &box = messages.calls.first();
        QVERIFY2(box.prompt.startsWith(QStringLiteral("Δεν βρέθηκε το αρχείο βοήθειας BIBLIOGRAPHY.HLP.")),
                 qPrintable(box.prompt));
        for (const QString &folder : {places.work, places.data, places.program})
            QVERIFY2(box.prompt.contains(QDir::toNativeSeparators(folder)), qPrintable(folder));
        QCOMPARE(box.title, QStringLiteral("Βελμόρα 3.0 - Βοήθεια"));
        QCOMPARE(box.buttons, Buttons::Ok);
        QCOMPARE(box.icon, Icon::Exclamation);
        QVERIFY(!help.window(QStringLiteral("BIBLIOGRAPHY.HLP")));
        for (QWidget *w : QApplication::topLevelWidgets())
            QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
    }

    void showingAgainReturnsToTheContentsInTheSameWindow()
    {
        Places places;
        writeHelp(places.work, QStringLiteral("TERVANI.HLP"), QStringLiteral("Βοήθεια"));
        QStringList log;
        FakeMessageBox messages(log);
        HelpBrowser help(messages, places.folders());
        help.showContents(QStringLiteral("TERVANI.HLP"));
        HelpWindow *w = help.window(QStringLiteral("TERVANI.HLP"));
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        QCOMPARE(w->browser()->verticalScrollBar()->value(), 0);
        const QUrl top = w->browser()->source();

        QUrl end = top;
        end.setFragment(QStringLiteral("end"));
        w->browser()->setSource(end);
        QTRY_VERIFY(w->browser()->verticalScrollBar()->value() > 0);

        help.showContents(QStringLiteral("TERVANI.HLP"));
        QCOMPARE(help.window(QStringLiteral("TERVANI.HLP")), w);
        QCOMPARE(w->browser()->source(), top);
        QCOMPARE(w->browser()->verticalScrollBar()->value(), 0);

        // A closed window is not reused.
        QPointer<HelpWindow> closed(w);
        w->close();
        QTRY_VERIFY(!closed);
        help.showContents(QStringLiteral("TERVANI.HLP"));
        QVERIFY(help.window(QStringLiteral("TERVANI.HLP")));
    }

    void theProgramsOwnHelpFilesAreFoundFromTheBuildTree()
    {
        // The working folder of a test holds no help file: the copy in the build tree,
        // two levels above the test program, is what is found.
        QStringList log;
        FakeMessageBox messages(log);
        HelpBrowser help(messages);
        QCOMPARE(help.searchFolders().first(), QStringLiteral("."));
        for (const QString &name : {QStringLiteral("TERVANI.HLP"), QStringLiteral("BIBLIOGRAPHY.HLP")}) {
            help.showContents(name);
            QVERIFY2(messages.calls.isEmpty(), qPrintable(name));
            HelpWindow *w = help.window(name);
            QVERIFY(w);
            // The files are HTML whatever their ending says.
            QVERIFY2(w->windowTitle().startsWith(QStringLiteral("Βελμόρα 3.0")),
                     qPrintable(w->windowTitle()));
            QVERIFY(!w->browser()->toPlainText().contains(QStringLiteral("<html")));
        }
    }
};

QTEST_MAIN(tst_helpbrowser)
#include "tst_helpbrowser.moc"
