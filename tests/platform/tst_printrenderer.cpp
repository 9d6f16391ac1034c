// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "clock.h"
#include "fakes.h"
#include "platform.h"
#include "printedfilenotice.h"
#include "printheader.h"
#include "qtprintrenderer.h"

#include <QDir>
#include <QFontInfo>
#include <QFontMetricsF>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

#include <sys/inotify.h>
#include <thread>
#include <unistd.h>

using namespace velmora;
using namespace velmora::test;

namespace {

QString padded(const QString &text, int width)
{
    return text.leftJustified(width, u' ', true);
}

// One card block as the card list prints it: rules, fields at their full widths, the
// card number at column 62 and the two "&".
void printBlock(PrintDocument &doc, int number, const QString &author, const QString &title)
{
    const QString rule(250, u'-');
    doc.print(rule, false);
    doc.print(QString());
    doc.print(padded(QStringLiteral("960-7%1").arg(number), 20), false);
    doc.tab(62);
    doc.print(QStringLiteral("Καρτέλλα ="), false);
    doc.printNumber(number);
    doc.print(QString());
    doc.print(padded(author, 20) + QStringLiteral("    &    ") + padded(QStringLiteral("ΑΛΛΟΣ"), 30));
    doc.print(padded(title, 65));
    doc.print(padded(QStringLiteral("ΑΘΗΝΑ, ΚΕΔΡΟΣ 1999"), 40) + QStringLiteral("     &     ") +
              padded(QStringLiteral("σ. 320"), 20));
    doc.print(rule, false);
    doc.print(QString());
}

// Text of a PDF laid out as on the page, one string per page.
QStringList pdfPages(const QString &path)
{
    QProcess p;
    p.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), QStringLiteral("-enc"),
                                          QStringLiteral("UTF-8"), path, QStringLiteral("-")});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return {};
    QStringList pages = QString::fromUtf8(p.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty())
        pages.removeLast();
    return pages;
}

// A failed rendering must not be announced as a file to open.
struct RecordingNotice : PrintedFileNotice
{
    QStringList files;
    void printedTo(const QString &file) override { files << file; }
};

QStringList linesWith(const QString &page, const QString &text)
{
    QStringList found;
    for (const QString &line : page.split(QLatin1Char('\n')))
        if (line.contains(text))
            found << line;
    return found;
}

} // namespace

class tst_printrenderer : public QObject
{
    Q_OBJECT

private slots:
    void initTestCase()
    {
        if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty())
            QFAIL("pdftotext (poppler-utils) is needed to read the printed PDF back");
    }

    void tenCardsOnTwoPagesKeepTheirColumns()
    {
        TestPlatform tp;
        QTemporaryDir out;
        QtPrintRenderer renderer(tp.messages, tp.clock, out.path());
        PrintDocument doc(renderer);
        doc.setFontName(QStringLiteral("courier"));
        doc.setFontSize(12);
        for (int card = 1; card <= 10; ++card) {
            if (card == 1 || card == 10)
                doc.print(printHeaderLine(tp.clock));
            printBlock(doc, card, QStringLiteral("ΠΑΠΑΔΟΠΟΥΛΟΣ %1").arg(card),
                       QStringLiteral("ΙΣΤΟΡΙΑ ΤΟΥ ΕΛΛΗΝΙΚΟΥ ΕΘΝΟΥΣ, ΤΟΜΟΣ %1").arg(card));
            if (card == 9)
                doc.newPage();
        }
        QVERIFY(doc.endDoc());
        QCOMPARE(tp.messages.calls.size(), 0);
        QVERIFY(QFileInfo(renderer.lastOutput()).isFile());
        QCOMPARE(QFileInfo(renderer.lastOutput()).absolutePath(), QDir(out.path()).absolutePath());

        const QStringList pages = pdfPages(renderer.lastOutput());
        QCOMPARE(pages.size(), 2);
        const QString header = QStringLiteral("Βελμόρα 3.0 Σερβαλίνη: Εκτυπώθηκε 6/12/2026, 09:05");
        QCOMPARE(linesWith(pages.at(0), header).size(), 1);
        QCOMPARE(linesWith(pages.at(1), header).size(), 1);
        QCOMPARE(linesWith(pages.at(0), QStringLiteral("Καρτέλλα =")).size(), 9);
        QCOMPARE(linesWith(pages.at(1), QStringLiteral("Καρτέλλα =")).size(), 1);
        QVERIFY(pages.at(0).contains(QStringLiteral("Καρτέλλα = 9\n")));
        QVERIFY(pages.at(1).contains(QStringLiteral("Καρτέλλα = 10\n")));

        // Every line starts at the same left edge, so a column on paper is an offset in
        // the text: the author's "&" stands 24 characters after the line's start, the
        // publisher's 45, the card number's label 61.
        for (const QString &page : pages) {
            const QStringList authors = linesWith(page, QStringLiteral("ΠΑΠΑΔΟΠΟΥΛΟΣ"));
            QVERIFY(!authors.isEmpty());
            for (const QString &line : authors) {
                const qsizetype start = line.indexOf(QStringLiteral("ΠΑΠΑΔΟΠΟΥΛΟΣ"));
                QCOMPARE(line.indexOf(u'&') - start, 24);
                QCOMPARE(line.indexOf(QStringLiteral("ΑΛΛΟΣ")) - start, 29);
            }
            for (const QString &line : linesWith(page, QStringLiteral("ΚΕΔΡΟΣ"))) {
                const qsizetype start = line.indexOf(QStringLiteral("ΑΘΗΝΑ"));
                QCOMPARE(line.indexOf(u'&') - start, 45);
                QCOMPARE(line.indexOf(QStringLiteral("σ. 320")) - start, 51);
            }
            for (const QString &line : linesWith(page, QStringLiteral("Καρτέλλα ="))) {
                const qsizetype start = line.indexOf(QStringLiteral("960-7"));
                QCOMPARE(line.indexOf(QStringLiteral("Καρτέλλα =")) - start, 61);
            }
        }
    }

    void column81StandsOnThePaperAndLongerRulesAreCut()
    {
        TestPlatform tp;
        QTemporaryDir out;
        QtPrintRenderer renderer(tp.messages, tp.clock, out.path());
        // 81 characters whose last is a marker, then the rule of 250.
        QString ruler;
        for (int col = 1; col <= 80; ++col)
            ruler += QChar(u'0' + col % 10);
        ruler += u'Ω';
        PrintedDocument doc{QStringLiteral("courier"), 12, {{ruler, QString(250, u'-'), QString(250, u'_')}}};
        QVERIFY(renderer.render(doc));
        const QStringList pages = pdfPages(renderer.lastOutput());
        QCOMPARE(pages.size(), 1);
        QCOMPARE(linesWith(pages.first(), ruler).size(), 1);
        static const QRegularExpression dashes(QStringLiteral("-+"));
        static const QRegularExpression lows(QStringLiteral("_+"));
        for (const QRegularExpression *rule : {&dashes, &lows}) {
            const QRegularExpressionMatch m = rule->match(pages.first());
            QVERIFY(m.hasMatch());
            QCOMPARE(m.capturedLength(), 81);
        }
    }

    void aPageLongerThanASheetGoesOnOverTheNext()
    {
        TestPlatform tp;
        QTemporaryDir out;
        QtPrintRenderer renderer(tp.messages, tp.clock, out.path());
        QStringList fiftySix, seventy;
        for (int i = 1; i <= 56; ++i)
            fiftySix << QStringLiteral("γραμμή %1").arg(i);
        for (int i = 1; i <= 70; ++i)
            seventy << QStringLiteral("σειρά %1").arg(i);
        QVERIFY(renderer.render(PrintedDocument{QStringLiteral("courier"), 12, {fiftySix, seventy}}));
        const QStringList pages = pdfPages(renderer.lastOutput());
        QCOMPARE(pages.size(), 3); // 56 lines fit one sheet; 70 need two
        QVERIFY(pages.at(0).contains(QStringLiteral("γραμμή 56")));
        QVERIFY(!pages.at(1).contains(QStringLiteral("σειρά 57")));
        QVERIFY(pages.at(1).contains(QStringLiteral("σειρά 56")));
        QVERIFY(pages.at(2).contains(QStringLiteral("σειρά 57")));
        QVERIFY(pages.at(2).contains(QStringLiteral("σειρά 70")));
    }

    void twoDocumentsInOneSecondGoToTwoFiles()
    {
        TestPlatform tp; // its clock stands still
        QTemporaryDir out;
        QtPrintRenderer renderer(tp.messages, tp.clock, out.path());
        const PrintedDocument doc{QStringLiteral("courier"), 12, {{QStringLiteral("πρώτο")}}};
        QVERIFY(renderer.render(doc));
        const QString first = renderer.lastOutput();
        QVERIFY(
            renderer.render(PrintedDocument{QStringLiteral("courier"), 12, {{QStringLiteral("δεύτερο")}}}));
        const QString second = renderer.lastOutput();
        QCOMPARE(QFileInfo(first).fileName(), QStringLiteral("velmora-2026-12-06_09-05-00.pdf"));
        QCOMPARE(QFileInfo(second).fileName(), QStringLiteral("velmora-2026-12-06_09-05-00-2.pdf"));
        QVERIFY(pdfPages(first).first().contains(QStringLiteral("πρώτο")));
        QVERIFY(pdfPages(second).first().contains(QStringLiteral("δεύτερο")));
    }

    // Whoever is told of the file may open it at once: it must be whole by then.
    void theFileIsAnnouncedOnceItIsWhole()
    {
        TestPlatform tp;
        QTemporaryDir out;
        struct ReadingNotice : PrintedFileNotice
        {
            QStringList pages;
            void printedTo(const QString &file) override { pages = pdfPages(file); }
        } notice;
        QtPrintRenderer renderer(tp.messages, tp.clock, out.path(), &notice);
        QVERIFY(renderer.render(PrintedDocument{QStringLiteral("courier"), 12, {{QStringLiteral("πρώτο")}}}));
        QCOMPARE(notice.pages.size(), 1);
        QVERIFY(notice.pages.first().contains(QStringLiteral("πρώτο")));
    }

    void aFolderThatCannotBeMadeIsReported()
    {
        TestPlatform tp;
        // Not even root can make a folder below a plain file.
        const QString blocker = tp.dir.filePath(QStringLiteral("plain"));
        QFile f(blocker);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.close();
        const QString folder = blocker + QStringLiteral("/Velmora");
        RecordingNotice notice;
        QtPrintRenderer renderer(tp.messages, tp.clock, folder, &notice);
        PrintDocument doc(renderer);
        doc.print(QStringLiteral("x"));
        QVERIFY(!doc.endDoc());
        QVERIFY(renderer.lastOutput().isEmpty());
        QVERIFY(notice.files.isEmpty());
        QCOMPARE(tp.messages.calls.size(), 1);
        const MessageCall call = tp.messages.calls.first();
        QCOMPARE(call.title, AppTitle);
        QCOMPARE(call.buttons, Buttons::Ok);
        QCOMPARE(call.icon, Icon::Exclamation);
        QVERIFY2(call.prompt.startsWith(QStringLiteral("Η εκτύπωση δεν έγινε")), qPrintable(call.prompt));
        QVERIFY2(call.prompt.contains(folder), qPrintable(call.prompt));
    }

    // In a folder another user can write, the PDF's name is replaced by a link to the
    // user's own file as soon as it appears: that file stays as it was, and the print is
    // not reported as done.
    void aLinkSwappedInWhileWritingIsNotWrittenThrough()
    {
        TestPlatform tp;
        QTemporaryDir out;
        const QString victim = tp.dir.filePath(QStringLiteral("private.txt"));
        QFile v(victim);
        QVERIFY(v.open(QIODevice::WriteOnly));
        v.write("private");
        v.close();
        const int watch = ::inotify_init1(IN_CLOEXEC);
        QVERIFY(watch >= 0);
        QVERIFY(::inotify_add_watch(watch, QFile::encodeName(out.path()).constData(), IN_CREATE) >= 0);
        QString swapped;
        std::thread watcher([&] {
            alignas(inotify_event) char events[4096];
            const ssize_t n = ::read(watch, events, sizeof events);
            if (n <= 0)
                return;
            const auto *event = reinterpret_cast<const inotify_event *>(events);
            swapped = QDir(out.path()).filePath(QFile::decodeName(event->name));
            const QByteArray name = QFile::encodeName(swapped);
            ::unlink(name.constData());
            ::symlink(QFile::encodeName(victim).constData(), name.constData());
        });
        RecordingNotice notice;
        QtPrintRenderer renderer(tp.messages, tp.clock, out.path(), &notice);
        // Long enough to draw that the swap comes while it is written.
        PrintedDocument doc{QStringLiteral("courier"), 12, {}};
        for (int page = 0; page < 60; ++page)
            doc.pages << QStringList(56, QString(80, u'Ω'));
        const bool done = renderer.render(doc);
        watcher.join();
        ::close(watch);
        QVERIFY(QFileInfo(swapped).isSymLink());
        QCOMPARE(QFileInfo(swapped).symLinkTarget(), victim);
        QFile back(victim);
        QVERIFY(back.open(QIODevice::ReadOnly));
        QCOMPARE(back.readAll(), QByteArray("private"));
        QVERIFY(!done);
        QVERIFY(notice.files.isEmpty());
        QCOMPARE(tp.messages.calls.size(), 1);
        QVERIFY(tp.messages.calls.first().prompt.startsWith(QStringLiteral("Η εκτύπωση δεν έγινε")));
    }

    void thePrintingFontIsAFixedPitchCourier()
    {
        const QFont font = QtPrintRenderer::printingFont(QStringLiteral("courier"), 12);
        QVERIFY(QFontInfo(font).fixedPitch());
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        const QFontMetricsF metrics(font, &printer);
        const qreal points = 72.0 / printer.resolution();
        const qreal width = metrics.horizontalAdvance(u'i');
        for (const QChar c : QStringLiteral("W_-&Ωάλς0"))
            QCOMPARE(metrics.horizontalAdvance(c), width);
        // 7.2 pt a character: 81 columns fit across A4 between the side margins.
        QVERIFY2(qAbs(width * points - 7.2) < 0.01, qPrintable(QString::number(width * points)));
        QVERIFY(81 * width * points <= 595.28 - 2 * QtPrintRenderer::SideMarginPt);
        QVERIFY(56 * QtPrintRenderer::LineHeightPt <=
                841.89 - QtPrintRenderer::TopMarginPt - QtPrintRenderer::BottomMarginPt);
    }
};

QTEST_MAIN(tst_printrenderer)
#include "tst_printrenderer.moc"
