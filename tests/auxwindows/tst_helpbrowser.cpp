// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fakes.h"
#include "helpbrowser.h"
#include "helpwindow.h"

#include <QApplication>
#include <QDesktopServices>
#include <QDir>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>
#include <QTextBrowser>
#include <QTextCursor>

#include <sys/stat.h>

using namespace velmora;
using namespace velmora::test;

namespace {

void writeFile(const QString &path, const QByteArray &bytes)
{
    QDir().mkpath(QFileInfo(path).path());
    QFile f(path);
    QVERIFY(f.open(QIODevice::WriteOnly));
    f.write(bytes);
}

void writeHelp(const QString &folder, const QString &name, const QString &title)
{
    QString body =
        QStringLiteral("<html><head><meta charset=\"utf-8\"><title>%1</title></head><body>"
                       "<a name=\"contents\"></a><h1>Περιεχόμενα</h1><p><a href=\"#end\">Τέλος</a></p>")
            .arg(title);
    for (int i = 0; i < 200; ++i)
        body += QStringLiteral("<p>Παράγραφος %1</p>").arg(i);
    body += QStringLiteral("<a name=\"end\"></a><h2>Τέλος</h2></body></html>");
    writeFile(QDir(folder).filePath(name), body.toUtf8());
}

// The three places a help file may be, in a temporary folder of its own; and the program's box.
struct Places
{
    QStringList log;
    FakeMessageBox messages{log};
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

// What the desktop would be asked to open.
class UrlCatcher : public QObject
{
    Q_OBJECT

public:
    explicit UrlCatcher(QStringList *urls) : m_urls(urls)
    {
        for (const char *scheme : {"sftp", "file", "http", "https"})
            QDesktopServices::setUrlHandler(QLatin1String(scheme), this, "open");
    }
    ~UrlCatcher() override
    {
        for (const char *scheme : {"sftp", "file", "http", "https"})
            QDesktopServices::unsetUrlHandler(QLatin1String(scheme));
    }

public slots:
    void open(const QUrl &url) { *m_urls << url.toString(); }

private:
    QStringList *m_urls;
};

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

        HelpBrowser help(places.messages, places.folders());
        help.showContents(QStringLiteral("TERVANI.HLP"));
        QVERIFY(places.messages.calls.isEmpty());
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
        HelpBrowser help(places.messages, places.folders());
        help.showContents(QStringLiteral("BIBLIOGRAPHY.HLP"));
        QCOMPARE(places.messages.calls.size(), 1);
        const MessageCall &box = places.messages.calls.first();
        QVERIFY2(box.prompt.startsWith(QStringLiteral(
                     "Η βοήθεια δεν είναι εγκατεστημένη: δεν βρέθηκε το αρχείο βοήθειας BIBLIOGRAPHY.HLP.")),
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
        HelpBrowser help(places.messages, places.folders());
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

    // Over the window it was asked from, centred, rather than in the screen's corner.
    void theWindowOpensCentredOverTheProgram()
    {
        Places places;
        writeHelp(places.data, QStringLiteral("TERVANI.HLP"), QStringLiteral("Βοήθεια"));
        QWidget program;
        program.setGeometry(300, 200, 400, 300);
        program.show();
        program.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&program));
        HelpBrowser help(places.messages, places.folders());
        help.showContents(QStringLiteral("TERVANI.HLP"));
        HelpWindow *w = help.window(QStringLiteral("TERVANI.HLP"));
        QVERIFY(w);
        // To within what the frame adds.
        const QPoint off = w->frameGeometry().center() - program.frameGeometry().center();
        QVERIFY2(off.manhattanLength() <= 8, qPrintable(QStringLiteral("%1,%2").arg(off.x()).arg(off.y())));
    }

    void theProgramsOwnHelpFilesAreFoundFromTheBuildTree()
    {
        // The working folder of a test holds no help file: the copy in the build tree, which
        // the build's mark beside the test program names, is what is found.
        // A help file someone left in the working folder stands in for none of them.
        Places places;
        writeHelp(places.work, QStringLiteral("TERVANI.HLP"), QStringLiteral("ξένο"));
        writeHelp(places.work, QStringLiteral("BIBLIOGRAPHY.HLP"), QStringLiteral("ξένο"));
        HelpBrowser help(places.messages);
        for (const QString &folder : help.searchFolders())
            QVERIFY2(QFileInfo(folder).absoluteFilePath() != QDir::currentPath(), qPrintable(folder));
        for (const QString &name : {QStringLiteral("TERVANI.HLP"), QStringLiteral("BIBLIOGRAPHY.HLP")}) {
            help.showContents(name);
            QVERIFY2(places.messages.calls.isEmpty(), qPrintable(name));
            HelpWindow *w = help.window(name);
            QVERIFY(w);
            // The files are HTML whatever their ending says.
            QVERIFY2(w->windowTitle().startsWith(QStringLiteral("Βελμόρα 3.0")),
                     qPrintable(w->windowTitle()));
            QVERIFY(!w->browser()->toPlainText().contains(QStringLiteral("<html")));
        }
    }

    // Beside a program, only the build's mark leads to a help folder, and only one that
    // nobody else could have written; a help folder around a copy of the program is not looked at.
    void whatTheProgramsFolderShows_data()
    {
        QTest::addColumn<int>("markMode"); // of the mark beside the program; 0: none
        QTest::addColumn<bool>("shown");
        QTest::newRow("a copy with a help folder two levels up") << 0 << false;
        QTest::newRow("the build's mark") << 0644 << true;
        QTest::newRow("a mark others can write") << 0666 << false;
    }
    void whatTheProgramsFolderShows()
    {
        QFETCH(int, markMode);
        QFETCH(bool, shown);
        Places places;
        const QString program = places.root.filePath(QStringLiteral("x/y"));
        const QString help = places.root.filePath(QStringLiteral("help"));
        QVERIFY(QDir().mkpath(program));
        writeHelp(help, QStringLiteral("TERVANI.HLP"), QStringLiteral("ξένο"));
        if (markMode) {
            const QString mark = program + QStringLiteral("/" VELMORA_BUILD_HELP_MARK);
            writeFile(mark, QFile::encodeName(help) + '\n');
            QCOMPARE(::chmod(QFile::encodeName(mark).constData(), mode_t(markMode)), 0);
        }
        const HelpBrowser browser(places.messages, HelpBrowser::searchFoldersBeside(program));
        QCOMPARE(browser.locate(QStringLiteral("TERVANI.HLP")) == help + QStringLiteral("/TERVANI.HLP"),
                 shown);
    }

    // A click on a link: a page of the help folder is shown; a file: link or a page
    // outside the folder is not; an address outside the help opens only once the user
    // has seen it and said yes.
    void whereALinkLeads_data()
    {
        QTest::addColumn<QString>("href");
        QTest::addColumn<bool>("shown");  // the page changes to it
        QTest::addColumn<int>("answer");  // to the question, -1: no question asked
        QTest::addColumn<bool>("opened"); // handed to the desktop
        QTest::newRow("a page of the help") << QStringLiteral("other.html") << true << -1 << false;
        QTest::newRow("file: link") << QStringLiteral("file:///etc/passwd") << false << -1 << false;
        QTest::newRow("out of the folder") << QStringLiteral("../outside.html") << false << -1 << false;
        QTest::newRow("address, no") << QStringLiteral("sftp://example.org/x") << false << int(Answer::No)
                                     << false;
        QTest::newRow("address, yes")
            << QStringLiteral("sftp://example.org/x") << false << int(Answer::Yes) << true;
    }
    void whereALinkLeads()
    {
        QFETCH(QString, href);
        QFETCH(bool, shown);
        QFETCH(int, answer);
        QFETCH(bool, opened);
        Places places;
        writeFile(places.data + QStringLiteral("/TERVANI.HLP"),
                  "<html><body><p><a href=\"" + href.toUtf8() + "\">ΣΥΝΔΕΣΜΟΣ</a></p></body></html>");
        writeFile(places.data + QStringLiteral("/other.html"), "<p>ΑΛΛΗ ΣΕΛΙΔΑ</p>");
        writeFile(places.root.filePath(QStringLiteral("share/velmora/outside.html")), "<p>ΕΞΩ</p>");
        if (answer >= 0)
            places.messages.answers << Answer(answer);
        HelpBrowser help(places.messages, places.folders());
        help.showContents(QStringLiteral("TERVANI.HLP"));
        HelpWindow *w = help.window(QStringLiteral("TERVANI.HLP"));
        QVERIFY(w);
        QVERIFY(QTest::qWaitForWindowExposed(w));
        const QUrl before = w->browser()->source();
        QStringList handed;
        UrlCatcher catcher(&handed);

        QTextCursor link = w->browser()->document()->find(QStringLiteral("ΣΥΝΔΕΣΜΟΣ"));
        QVERIFY(!link.isNull());
        link.setPosition(link.selectionStart() + 3);
        const QPoint at = w->browser()->cursorRect(link).center();
        QTest::mouseClick(w->browser()->viewport(), Qt::LeftButton, {}, at);
        QTest::qWait(50);

        QCOMPARE(w->browser()->source() != before, shown);
        QCOMPARE(w->browser()->toPlainText().contains(QStringLiteral("ΑΛΛΗ ΣΕΛΙΔΑ")), shown);
        QCOMPARE(places.messages.calls.size(), answer >= 0 ? 1 : 0);
        if (answer >= 0)
            QVERIFY2(places.messages.calls.first().prompt.contains(href),
                     qPrintable(places.messages.calls.first().prompt));
        QCOMPARE(handed, opened ? QStringList{href} : QStringList());
    }

    // What a page may load: files of the help folder, each and all within a bound.
    void whatAPageMayLoad_data()
    {
        QTest::addColumn<QString>("name"); // as a page names it
        QTest::addColumn<bool>("loaded");
        QTest::newRow("a picture of the help") << QStringLiteral("small.png") << true;
        QTest::newRow("outside the folder") << QStringLiteral("../secret.txt") << false;
        QTest::newRow("a sibling folder whose name begins with the folder's")
            << QStringLiteral("../help-x/small.png") << false;
        QTest::newRow("a link out of the folder") << QStringLiteral("link.png") << false;
        QTest::newRow("an absolute path") << QStringLiteral("%1/secret.txt") << false;
        QTest::newRow("larger than a help file may be") << QStringLiteral("big.png") << false;
    }
    void whatAPageMayLoad()
    {
        QFETCH(QString, name);
        QFETCH(bool, loaded);
        Places places;
        writeHelp(places.data, QStringLiteral("TERVANI.HLP"), QStringLiteral("Βοήθεια"));
        const QString secret = places.root.filePath(QStringLiteral("share/velmora/secret.txt"));
        writeFile(secret, "secret");
        for (const QString &folder : QStringList{places.data, places.data + QStringLiteral("-x")})
            writeFile(folder + QStringLiteral("/small.png"), "picture");
        QVERIFY(QFile::link(secret, places.data + QStringLiteral("/link.png")));
        QFile big(places.data + QStringLiteral("/big.png"));
        QVERIFY(big.open(QIODevice::WriteOnly));
        QVERIFY(big.resize(HelpWindow::MaxFileBytes + 1)); // sparse: no disk space taken
        big.close();

        HelpBrowser help(places.messages, places.folders());
        help.showContents(QStringLiteral("TERVANI.HLP"));
        HelpWindow *w = help.window(QStringLiteral("TERVANI.HLP"));
        QVERIFY(w);
        const QVariant got = w->browser()->loadResource(
            QTextDocument::ImageResource,
            QUrl(name.contains(QLatin1String("%1")) ? name.arg(QFileInfo(secret).absolutePath()) : name));
        QCOMPARE(!got.toByteArray().isEmpty(), loaded);
    }
};

QTEST_MAIN(tst_helpbrowser)
#include "tst_helpbrowser.moc"
