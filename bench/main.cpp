// Velmora's speed benchmark: a card file of a million cards, the searches and an
// exploration through the real windows, each against a plain C scan of the same file.
//
//   velmora_bench [--cards N] [--runs N] [--folder DIR] [--no-window] [--program PATH]
//
// The window part runs in a second process of this program under xvfb-run.

#include "baseline.h"
#include "benchplatform.h"
#include "cardgenerator.h"
#include "cp1253.h"
#include "report.h"
#include "scenarios.h"
#include "timing.h"
#include "windowbench.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cstdio>
#include <cstring>
#include <optional>
#include <sys/resource.h>

using namespace velmora;
using namespace velmora::bench;

namespace {

struct Options
{
    qint64 cards = 1000000;
    int runs = 5;
    QString folder;
    bool window = true;
    bool windowChild = false;
    QString program;
};

Options parse(int argc, char **argv)
{
    Options o;
#ifdef VELMORA_PROGRAM
    o.program = QStringLiteral(VELMORA_PROGRAM);
#endif
    for (int i = 1; i < argc; ++i) {
        const auto value = [&] {
            if (i + 1 >= argc)
                throw std::runtime_error(std::string("missing value after ") + argv[i]);
            return QString::fromLocal8Bit(argv[++i]);
        };
        if (!std::strcmp(argv[i], "--cards"))
            o.cards = value().toLongLong();
        else if (!std::strcmp(argv[i], "--runs"))
            o.runs = value().toInt();
        else if (!std::strcmp(argv[i], "--folder"))
            o.folder = value();
        else if (!std::strcmp(argv[i], "--program"))
            o.program = value();
        else if (!std::strcmp(argv[i], "--no-window"))
            o.window = false;
        else if (!std::strcmp(argv[i], "--window-child"))
            o.windowChild = true;
        else
            throw std::runtime_error(std::string("unknown option ") + argv[i]);
    }
    if (o.cards < 1 || o.runs < 1)
        throw std::runtime_error("--cards and --runs must be at least 1");
    return o;
}

double peakRssMiB()
{
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return double(usage.ru_maxrss) / 1024.0; // KiB on Linux
}

// The window part, in a process of its own on a virtual X server. Its figures by name.
std::optional<QHash<QString, double>> runWindowChild(const Options &o, const QString &folder, QString *why)
{
    const QString xvfbRun = QStandardPaths::findExecutable(QStringLiteral("xvfb-run"));
    if (xvfbRun.isEmpty()) {
        *why = QStringLiteral("xvfb-run not found");
        return std::nullopt;
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    QStringList args = {QStringLiteral("-a"),
                        QStringLiteral("-s"),
                        QStringLiteral("-screen 0 1280x1024x24"),
                        QCoreApplication::applicationFilePath(),
                        QStringLiteral("--window-child"),
                        QStringLiteral("--folder"),
                        folder,
                        QStringLiteral("--runs"),
                        QString::number(o.runs)};
    if (!o.program.isEmpty())
        args << QStringLiteral("--program") << o.program;
    child.start(xvfbRun, args);
    if (!child.waitForFinished(15 * 60 * 1000) || child.exitStatus() != QProcess::NormalExit ||
        child.exitCode() != 0) {
        *why = QStringLiteral("the window benchmark failed (exit code %1)").arg(child.exitCode());
        return std::nullopt;
    }
    QHash<QString, double> figures;
    for (const QByteArray &line : child.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> parts = line.simplified().split(' ');
        if (parts.size() == 2)
            figures.insert(QString::fromLatin1(parts[0]), parts[1].toDouble());
    }
    return figures;
}

int runBenchmark(int argc, char **argv, const Options &o)
{
    std::optional<QTemporaryDir> temporary;
    QString folder = o.folder;
    if (folder.isEmpty()) {
        temporary.emplace(QDir::tempPath() + QStringLiteral("/velmora-bench-XXXXXX"));
        folder = temporary->path();
    }
    QDir().mkpath(folder);

    const auto writing = std::chrono::steady_clock::now();
    const QString cardFile = folder + QStringLiteral("/Filis.dat");
    const GeneratedFile generated = writeCardFile(cardFile, o.cards);
    const double writeMs = msSince(writing);

    // Headless: the offscreen platform, from the application object to card 1 shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const auto starting = std::chrono::steady_clock::now();
    QApplication app(argc, argv);
    BenchPlatform platform(folder);
    startCardWindow(platform);
    const double coldStartMs = msSince(starting);
    QList<double> warmStart;
    for (int i = 0; i < o.runs; ++i)
        warmStart << startCardWindow(platform);
    const double warmStartMs = median(warmStart);

    // Round after round of every scan, so that whatever else the machine does meanwhile
    // weighs on all of them alike.
    const QByteArray absent = cp1253::encode(planted::Absent);
    QList<double> baseline, title, isbn, twoField, exploration;
    {
        CardWindowBench cardWindow(platform);
        ExplorationBench explorationWindow(platform);
        for (int i = 0; i < o.runs; ++i) {
            baseline << timed([&] {
                if (scanTitlesBaseline(cardFile, absent) != 0)
                    throw std::runtime_error("the absent text was found");
            });
            title << cardWindow.titleSearchNoMatch();
            isbn << cardWindow.isbnPrefixSearch(generated.isbnMarkers);
            twoField << cardWindow.authorTitleSearchNoMatch();
            exploration << explorationWindow.exploreTitles(generated.titleMarkers);
        }
    }
    const double baselineMs = median(baseline);
    const double titleMs = median(title);
    const double isbnMs = median(isbn);
    const double twoFieldMs = median(twoField);
    const double explorationMs = median(exploration);

    Report report;
    report.setBaseline(baselineMs);
    report.note(
        QStringLiteral("Velmora benchmark: %1 cards (%2 MB), median of %3 runs; card file written in %4 s")
            .arg(o.cards)
            .arg(double(o.cards) * 195 / 1e6, 0, 'f', 1)
            .arg(o.runs)
            .arg(writeMs / 1000, 0, 'f', 2));
    report.time(QStringLiteral("baseline: block read + memmem in each title"), baselineMs);
    report.time(QStringLiteral("title search, no match (card window)"), titleMs, 3);
    report.time(QStringLiteral("ISBN prefix search, %1 found, each No").arg(generated.isbnMarkers), isbnMs);
    report.time(QStringLiteral("author + title search, no match"), twoFieldMs);
    report.time(QStringLiteral("exploration of titles, %1 found, %2 pages exported")
                    .arg(generated.titleMarkers)
                    .arg(generated.titleMarkers / 8 + 1),
                explorationMs, 5);
    report.time(QStringLiteral("start-up to card 1 shown, cold (offscreen)"), coldStartMs, 0, 500);
    report.time(QStringLiteral("start-up to card 1 shown, warm (offscreen)"), warmStartMs, 0, 500);

    QString figures = QStringLiteral("baseline %1 ms, title %2x, exploration %3x, start-up %4 ms")
                          .arg(baselineMs, 0, 'f', 1)
                          .arg(titleMs / baselineMs, 0, 'f', 2)
                          .arg(explorationMs / baselineMs, 0, 'f', 2)
                          .arg(coldStartMs, 0, 'f', 0);
    if (o.window) {
        QString why;
        const auto child = runWindowChild(o, folder, &why);
        if (child) {
            const double childBaseline = child->value(QStringLiteral("window-baseline-ms"));
            const double windowMs = child->value(QStringLiteral("window-search-ms"));
            const int captions = int(child->value(QStringLiteral("window-fewest-captions")));
            report.time(QStringLiteral("title search in a real window (Xvfb)"), windowMs, 5, 0,
                        childBaseline);
            report.figure(QStringLiteral("  scan captions seen on the X server"),
                          QStringLiteral("%1").arg(captions), QStringLiteral(">= 5"),
                          captions >= 5 ? Report::Verdict::Pass : Report::Verdict::Miss);
            report.figure(QStringLiteral("  longest the caption stood still"),
                          QStringLiteral("%1 ms").arg(child->value(QStringLiteral("window-longest-still-ms")),
                                                      0, 'f', 1),
                          QString(), Report::Verdict::None);
            report.note(
                QStringLiteral("(the window run's own baseline: %1 ms)").arg(childBaseline, 0, 'f', 1));
            if (child->contains(QStringLiteral("program-first-window-ms"))) {
                report.figure(QStringLiteral("real program under Xvfb: splash on screen"),
                              QStringLiteral("%1 ms").arg(
                                  child->value(QStringLiteral("program-first-window-ms")), 0, 'f', 1),
                              QString(), Report::Verdict::None);
                report.figure(QStringLiteral("real program: card window (after the 3 s splash)"),
                              QStringLiteral("%1 ms").arg(
                                  child->value(QStringLiteral("program-card-window-ms")), 0, 'f', 1),
                              QString(), Report::Verdict::None);
            }
            figures += QStringLiteral(", window %1x with %2 captions")
                           .arg(windowMs / childBaseline, 0, 'f', 2)
                           .arg(captions);
        } else {
            report.figure(QStringLiteral("title search in a real window (Xvfb)"), QStringLiteral("not run"),
                          QStringLiteral("<= 5x"), Report::Verdict::Miss);
            report.note(QStringLiteral("window part not run: ") + why);
        }
    }

    const double rss = peakRssMiB();
    report.figure(QStringLiteral("peak RSS of the benchmark"), QStringLiteral("%1 MiB").arg(rss, 0, 'f', 1),
                  QStringLiteral("< 64 MiB"), rss < 64 ? Report::Verdict::Pass : Report::Verdict::Miss);
    figures += QStringLiteral(", peak RSS %1 MiB").arg(rss, 0, 'f', 1);

    std::fputs(qPrintable(report.table()), stdout);
    std::fputs(qPrintable(report.summary(figures) + u'\n'), stdout);
    return 0;
}

} // namespace

int main(int argc, char **argv)
{
    try {
        const Options o = parse(argc, argv);
        if (o.windowChild) {
            QApplication app(argc, argv);
            return runWindowBench(o.folder, o.runs, o.program);
        }
        return runBenchmark(argc, argv, o);
    } catch (const std::exception &e) {
        std::fprintf(stderr, "velmora_bench: %s\n", e.what());
        return 1;
    }
}
