// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "scenarios.h"

#include "cardgenerator.h"
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
    : m_platform(platform),
      m_window(std::make_unique<frmTervani>(platform.platform(), platform.forms, m_session))
{
    m_window->Form_Load();
    showAndWait(*m_window);
}

CardWindowBench::~CardWindowBench() = default;

double CardWindowBench::titleSearchNoMatch()
{
    m_platform.input.answers = {planted::Absent};
    const double ms = timed([&] { m_window->cmdFindTitle_Click(); });
    const QString expected = QStringLiteral("Το Κείμενο ") + planted::Absent + QStringLiteral(" δεν Βρέθηκε");
    expect(m_platform.messages.lastPrompt == expected, m_platform.messages.lastPrompt);
    expect(m_window->SearchCard == m_window->CardCount, QStringLiteral("title search stopped early"));
    return ms;
}

double CardWindowBench::isbnPrefixSearch(qint64 matches)
{
    m_platform.input.answers = {planted::IsbnMarker};
    m_platform.messages.questionAnswer = Answer::No;
    const int questionsBefore = m_platform.messages.questions;
    const double ms = timed([&] { m_window->cmdFindISBN_Click(); });
    const int asked = m_platform.messages.questions - questionsBefore;
    expect(asked == matches, QStringLiteral("ISBN search asked %1 times").arg(asked));
    if (matches > 0)
        expect(m_platform.messages.lastPrompt == NoOtherCard, m_platform.messages.lastPrompt);
    return ms;
}

double CardWindowBench::authorTitleSearchNoMatch()
{
    const QString author = QStringLiteral("ΠΑΠΑ");
    m_platform.input.answers = {author, planted::Absent};
    const double ms = timed([&] { m_window->mnuAuthorTitle_Click(); });
    const QString expected = QStringLiteral("Ο Συγγραφέας ") + author +
                             QStringLiteral(" και το κείμενο Τίτλου ") + planted::Absent +
                             QStringLiteral(" δεν Βρέθηκαν");
    expect(m_platform.messages.lastPrompt == expected, m_platform.messages.lastPrompt);
    return ms;
}

ExplorationBench::ExplorationBench(BenchPlatform &platform)
    : m_platform(platform), m_window(std::make_unique<frmMulti>(platform.platform(), platform.forms))
{
    m_window->Form_Load();
    showAndWait(*m_window);
}

ExplorationBench::~ExplorationBench() = default;

double ExplorationBench::exploreTitles(qint64 matches)
{
    // Typed in small letters: the exploration upper-cases what it is given.
    m_platform.input.answers = {planted::TitleMarker.toLower()};
    m_platform.messages.questionAnswer = Answer::No;
    const int questionsBefore = m_platform.messages.questions;
    const double ms = timed([&] { m_window->mnuTitlos_Click(); });
    const qint64 pageQuestions = matches / frmMulti::SlotsPerPage;
    const int asked = m_platform.messages.questions - questionsBefore;
    expect(asked == pageQuestions + 1, QStringLiteral("exploration asked %1 questions").arg(asked));
    // Every page exported, eight slots of three lines each.
    const qint64 lines = lineCount(m_platform.paths.exportFile());
    expect(lines == (pageQuestions + 1) * 24, QStringLiteral("export file of %1 lines").arg(lines));
    return ms;
}

double startCardWindow(BenchPlatform &platform)
{
    const auto start = std::chrono::steady_clock::now();
    CardWindowSession session;
    frmTervani window(platform.platform(), platform.forms, session);
    window.Form_Load();
    showAndWait(window);
    const double ms = msSince(start);
    expect(window.windowTitle().contains(QStringLiteral("Καρτέλλα:  1  από")), window.windowTitle());
    return ms;
}

} // namespace velmora::bench
