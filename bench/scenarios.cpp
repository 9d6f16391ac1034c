#include "scenarios.h"

#include "cardgenerator.h"
#include "frmmulti.h"
#include "timing.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QWindow>

#include <stdexcept>

namespace velmora::bench {

namespace {

const QString NoOtherCard = QStringLiteral("Δεν Υπάρχει Άλλη Όμοια Καρτέλλα");

void expect(bool condition, const QString &what)
{
    if (!condition)
        throw std::runtime_error("unexpected outcome: " + what.toStdString());
}

qint64 lineCount(const QString &path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return -1;
    return file.readAll().count("\r\n");
}

} // namespace

void showAndWait(QWidget &window)
{
    window.show();
    QElapsedTimer waited;
    waited.start();
    while (!(window.windowHandle() && window.windowHandle()->isExposed()) && waited.elapsed() < 5000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
    QCoreApplication::processEvents(); // the first paint
    expect(window.windowHandle() && window.windowHandle()->isExposed(), QStringLiteral("window never shown"));
}

CardWindowBench::CardWindowBench(BenchPlatform &platform)
    : m_platform(platform), m_window(std::make_unique<frmTervani>(platform.platform(), m_session))
{
    m_window->Form_Load();
    showAndWait(*m_window);
}

CardWindowBench::~CardWindowBench() = default;

QList<double> CardWindowBench::titleSearchNoMatch(int runs)
{
    const QString expected = QStringLiteral("Το Κείμενο ") + planted::Absent + QStringLiteral(" δεν Βρέθηκε");
    return timed(runs, [&] {
        m_platform.input.answers = {planted::Absent};
        m_window->cmdFindTitle_Click();
        expect(m_platform.messages.lastPrompt == expected, m_platform.messages.lastPrompt);
        expect(m_window->SearchCard == m_window->CardCount, QStringLiteral("title search stopped early"));
    });
}

QList<double> CardWindowBench::isbnPrefixSearch(int runs, qint64 matches)
{
    return timed(runs, [&] {
        m_platform.input.answers = {planted::IsbnMarker};
        m_platform.messages.questionAnswer = Answer::No;
        const int questionsBefore = m_platform.messages.questions;
        m_window->cmdFindISBN_Click();
        expect(m_platform.messages.questions - questionsBefore == matches,
               QStringLiteral("ISBN search asked %1 times")
                   .arg(m_platform.messages.questions - questionsBefore));
        if (matches > 0)
            expect(m_platform.messages.lastPrompt == NoOtherCard, m_platform.messages.lastPrompt);
    });
}

QList<double> CardWindowBench::authorTitleSearchNoMatch(int runs)
{
    const QString author = QStringLiteral("ΠΑΠΑ");
    const QString expected = QStringLiteral("Ο Συγγραφέας ") + author +
                             QStringLiteral(" και το κείμενο Τίτλου ") + planted::Absent +
                             QStringLiteral(" δεν Βρέθηκαν");
    return timed(runs, [&] {
        m_platform.input.answers = {author, planted::Absent};
        m_window->mnuAuthorTitle_Click();
        expect(m_platform.messages.lastPrompt == expected, m_platform.messages.lastPrompt);
    });
}

QList<double> explorationRuns(BenchPlatform &platform, int runs, qint64 matches)
{
    frmMulti window(platform.platform());
    window.Form_Load();
    showAndWait(window);
    // Typed in small letters: the exploration upper-cases what it is given.
    const QString typed = planted::TitleMarker.toLower();
    const qint64 pageQuestions = matches / frmMulti::SlotsPerPage;
    return timed(runs, [&] {
        platform.input.answers = {typed};
        platform.messages.questionAnswer = Answer::No;
        const int questionsBefore = platform.messages.questions;
        window.mnuTitlos_Click();
        expect(platform.messages.questions - questionsBefore == pageQuestions + 1,
               QStringLiteral("exploration asked %1 questions")
                   .arg(platform.messages.questions - questionsBefore));
        // Every page exported, eight slots of three lines each.
        expect(lineCount(platform.paths.exportFile()) == (pageQuestions + 1) * 24,
               QStringLiteral("export file of %1 lines").arg(lineCount(platform.paths.exportFile())));
    });
}

double startCardWindow(BenchPlatform &platform)
{
    const auto start = std::chrono::steady_clock::now();
    CardWindowSession session;
    frmTervani window(platform.platform(), session);
    window.Form_Load();
    showAndWait(window);
    const double ms = msSince(start);
    expect(window.windowTitle().contains(QStringLiteral("Καρτέλλα:  1  από")), window.windowTitle());
    return ms;
}

} // namespace velmora::bench
