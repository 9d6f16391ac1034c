// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Velmora's speed benchmark: a card file of a million cards, the searches and an
// exploration through the real windows, each against a plain C scan of the same file, and
// the save of one card in editing mode, and the card tool's export for reference managers
// and its import of what they export.
//
//   velmora_bench [--cards N] [--runs N] [--folder DIR] [--no-window] [--program PATH]
//   velmora_bench --imports-only [--cards N] [--runs N] [--folder DIR]
//
// The window part runs in a second process of this program under xvfb-run.

#include "baseline.h"
#include "benchplatform.h"
#include "cardeditsession.h"
#include "cardgenerator.h"
#include "cp1253.h"
#include "editablecardfile.h"
#include "report.h"
#include "scenarios.h"
#include "timing.h"
#include "windowbench.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <algorithm>
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
    bool importsOnly = false; // the card tool's imports alone, from a tenth of the cards
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
        else if (!std::strcmp(argv[i], "--imports-only"))
            o.importsOnly = true;
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

struct HeadlessFigures
{
    double coldStartMs = 0, warmStartMs = 0;
    double baselineMs = 0, titleMs = 0, isbnMs = 0, twoFieldMs = 0, explorationMs = 0;
};

// Everything on the offscreen platform. `started`: when the application object began.
HeadlessFigures measureHeadless(const Options &o, const QString &folder, const GeneratedFile &generated,
                                std::chrono::steady_clock::time_point started)
{
    HeadlessFigures f;
    BenchPlatform platform(folder);
    startCardWindow(platform);
    f.coldStartMs = msSince(started);
    QList<double> warmStart;
    for (int i = 0; i < o.runs; ++i)
        warmStart << startCardWindow(platform);
    f.warmStartMs = median(warmStart);

    // Round after round of every scan, so that whatever else the machine does meanwhile
    // weighs on all of them alike.
    const QByteArray absent = cp1253::encode(planted::Absent);
    QList<double> baseline, title, isbn, twoField, exploration;
    CardWindowBench cardWindow(platform);
    ExplorationBench explorationWindow(platform);
    for (int i = 0; i < o.runs; ++i) {
        baseline << timed([&] {
            if (scanTitlesBaseline(platform.paths.cardFile(), absent) != 0)
                throw std::runtime_error("the absent text was found");
        });
        title << cardWindow.titleSearchNoMatch();
        isbn << cardWindow.isbnPrefixSearch(generated.isbnMarkers);
        twoField << cardWindow.authorTitleSearchNoMatch();
        exploration << explorationWindow.exploreTitles(generated.titleMarkers);
    }
    f.baselineMs = median(baseline);
    f.titleMs = median(title);
    f.isbnMs = median(isbn);
    f.twoFieldMs = median(twoField);
    f.explorationMs = median(exploration);
    return f;
}

// Saves as the editing window makes them: the lock held, the backup made by an earlier
// save, then one card written and synced. The card goes back as it was, so the window part
// still finds what it expects.
double medianSaveMs(const QString &cardPath, qint32 number, int saves)
{
    CardEditSession session;
    if (const auto begun = session.begin(cardPath); !begun)
        throw std::runtime_error("the card file cannot be edited");
    CardFile file;
    if (const auto opened = openToEdit(file, cardPath); !opened)
        throw std::runtime_error("the card file cannot be opened");
    const CardRecord card = file.read(number).value();
    auto save = [&] {
        if (const auto filed = session.write(file, number, card); !filed)
            throw std::runtime_error("the card was not filed");
    };
    save();
    QList<double> times;
    for (int i = 0; i < saves; ++i)
        times << timed(save);
    QFile::remove(session.backupPath()); // as large as the card file, and of no use here
    return median(times);
}

#ifdef VELMORA_CARDS_TOOL
// The high-water mark of a running process's memory. Its rusage would not do: a child
// forked from this process inherits this process's peak.
double peakRssMiBOf(qint64 pid)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (!status.open(QIODevice::ReadOnly))
        return 0;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmHWM:"))
            return line.mid(6).trimmed().split(' ').first().toDouble() / 1024.0; // kB
    return 0;
}

// The card tool run as people run it, in a process of its own; `peakMiB` is raised to the
// process's peak memory as last seen while it ran.
double cardToolMs(const QStringList &arguments, double *peakMiB)
{
    QProcess tool;
    tool.setStandardOutputFile(QProcess::nullDevice());
    tool.setStandardErrorFile(QProcess::nullDevice());
    const auto start = std::chrono::steady_clock::now();
    tool.start(QStringLiteral(VELMORA_CARDS_TOOL), arguments);
    if (!tool.waitForStarted())
        throw std::runtime_error("velmora-cards did not start");
    const qint64 pid = tool.processId();
    while (!tool.waitForFinished(20) && tool.state() == QProcess::Running)
        *peakMiB = std::max(*peakMiB, peakRssMiBOf(pid));
    const double ms = msSince(start);
    if (tool.exitStatus() != QProcess::NormalExit || tool.exitCode() != 0)
        throw std::runtime_error(
            qPrintable(QStringLiteral("velmora-cards %1 failed").arg(arguments.join(u' '))));
    return ms;
}

double exportMs(const QString &cardPath, const QString &format, const QString &out, double *peakMiB)
{
    const double ms =
        cardToolMs({QStringLiteral("export"), QStringLiteral("--format"), format, cardPath, out}, peakMiB);
    QFile::remove(out);
    return ms;
}

// The import of `entries` books from each format the export writes, and its peak memory
// beside that of an import of a tenth as many: what the import holds must not grow with
// its input. Then the peak memory of the same entries appended to the card file they came
// from, all but its last card: each entry but the last is a book already there, told and
// left out rather than filed, so that an append of a hundred thousand takes seconds.
void reportImports(Report &report, const QString &folder, qint64 entries, int runs)
{
    const QString cards = folder + QStringLiteral("/import-source.dat");
    const QString input = folder + QStringLiteral("/import-input");
    const QString output = folder + QStringLiteral("/imported.dat");
    for (const QString &format : {QStringLiteral("ris"), QStringLiteral("bibtex"), QStringLiteral("biblatex"),
                                  QStringLiteral("csl-json")}) {
        double peak[2] = {0, 0};
        double appendPeak[2] = {0, 0};
        QList<double> times;
        for (const qint64 n : {entries / 10, entries}) {
            writeCardFile(cards, std::max<qint64>(n, 1) + 1);
            double unused = 0;
            cardToolMs({QStringLiteral("export"), QStringLiteral("--format"), format, cards, input}, &unused);
            for (int i = 0; i < (n == entries ? runs : 1); ++i) {
                // Into a new card file each time: import keeps one that holds cards.
                QFile::remove(output);
                const double ms =
                    cardToolMs({QStringLiteral("import"), QStringLiteral("--format"), format, input, output},
                               &peak[n == entries]);
                if (n == entries)
                    times << ms;
            }
            // The same bytes as the file exported, but for its last card.
            writeCardFile(cards, std::max<qint64>(n, 1));
            cardToolMs({QStringLiteral("import"), QStringLiteral("--append"), QStringLiteral("--format"),
                        format, input, cards},
                       &appendPeak[n == entries]);
        }
        report.time(QStringLiteral("velmora-cards import --format %1, %2 entries").arg(format).arg(entries),
                    median(times), 0, 10000);
        // The target also asks for less than 8 MiB more than a tenth as many entries take.
        report.figure(
            QStringLiteral("  peak RSS (%1 entries: %2 MiB)").arg(entries / 10).arg(peak[0], 0, 'f', 1),
            QStringLiteral("%1 MiB").arg(peak[1], 0, 'f', 1), QStringLiteral("< 64 MiB"),
            peak[1] < 64 && peak[1] - peak[0] < 8 ? Report::Verdict::Pass : Report::Verdict::Miss);
        // The books it knows grow with the card file and the input, a few bytes each.
        report.figure(QStringLiteral("  peak RSS of import --append (%1 entries: %2 MiB)")
                          .arg(entries / 10)
                          .arg(appendPeak[0], 0, 'f', 1),
                      QStringLiteral("%1 MiB").arg(appendPeak[1], 0, 'f', 1), QStringLiteral("< 64 MiB"),
                      appendPeak[1] < 64 ? Report::Verdict::Pass : Report::Verdict::Miss);
    }
    for (const QString &file : {cards, input, output})
        QFile::remove(file);
    // The appends' backups, of a session each.
    for (const QString &suffix : {QStringLiteral(".bak"), QStringLiteral(".bak.1"), QStringLiteral(".bak.2")})
        QFile::remove(cards + suffix);
}
#endif

QString ms(double value)
{
    return QString::asprintf("%.1f ms", value);
}

void reportWindow(Report &report, const QHash<QString, double> &child, QString *summary)
{
    const double baselineMs = child.value(QStringLiteral("window-baseline-ms"));
    const double searchMs = child.value(QStringLiteral("window-search-ms"));
    const double captions = child.value(QStringLiteral("window-captions"));
    report.note(QStringLiteral("(the window run's own baseline: %1)").arg(ms(baselineMs)));
    report.time(QStringLiteral("title search in a real window (Xvfb)"), searchMs, 1.6, 0, baselineMs);
    report.figure(QStringLiteral("  scan captions seen on the X server"),
                  QStringLiteral("%1 (fewest %2)")
                      .arg(captions)
                      .arg(child.value(QStringLiteral("window-fewest-captions"))),
                  QStringLiteral(">= 5"), captions >= 5 ? Report::Verdict::Pass : Report::Verdict::Miss);
    report.figure(QStringLiteral("  longest the caption stood still"),
                  ms(child.value(QStringLiteral("window-longest-still-ms"))), QString(),
                  Report::Verdict::None);
    if (child.contains(QStringLiteral("program-first-window-ms"))) {
        report.figure(QStringLiteral("real program under Xvfb: splash on screen"),
                      ms(child.value(QStringLiteral("program-first-window-ms"))), QString(),
                      Report::Verdict::None);
        report.figure(QStringLiteral("real program: card window (after the 3 s splash)"),
                      ms(child.value(QStringLiteral("program-card-window-ms"))), QString(),
                      Report::Verdict::None);
    }
    *summary +=
        QStringLiteral(", window %1x with %2 captions").arg(searchMs / baselineMs, 0, 'f', 2).arg(captions);
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
#ifdef VELMORA_CARDS_TOOL
    if (o.importsOnly) {
        Report report;
        reportImports(report, folder, std::min<qint64>(o.cards / 10, 100000), o.runs);
        std::fputs(qPrintable(report.table()), stdout);
        return 0;
    }
#endif
    const auto writing = std::chrono::steady_clock::now();
    const GeneratedFile generated = writeCardFile(folder + QStringLiteral("/Filis.dat"), o.cards);
    const double writeMs = msSince(writing);

    // Headless: the offscreen platform, from the application object to card 1 shown.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    const auto started = std::chrono::steady_clock::now();
    QApplication app(argc, argv);
    const HeadlessFigures f = measureHeadless(o, folder, generated, started);

    Report report;
    report.setBaseline(f.baselineMs);
    report.note(
        QStringLiteral("Velmora benchmark: %1 cards (%2 MB), median of %3 runs; card file written in %4 s")
            .arg(o.cards)
            .arg(double(o.cards) * 195 / 1e6, 0, 'f', 1)
            .arg(o.runs)
            .arg(writeMs / 1000, 0, 'f', 2));
    report.time(QStringLiteral("baseline: block read + memmem in each title"), f.baselineMs);
    report.time(QStringLiteral("title search, no match (card window)"), f.titleMs, 1.5);
    report.time(QStringLiteral("ISBN prefix search, %1 found, each No").arg(generated.isbnMarkers), f.isbnMs);
    report.time(QStringLiteral("author + title search, no match"), f.twoFieldMs);
    report.time(QStringLiteral("exploration of titles, %1 found, %2 pages exported")
                    .arg(generated.titleMarkers)
                    .arg(generated.titleMarkers / 8 + 1),
                f.explorationMs, 3.5);
    report.time(QStringLiteral("start-up to card 1 shown, cold (offscreen)"), f.coldStartMs, 0, 500);
    report.time(QStringLiteral("start-up to card 1 shown, warm (offscreen)"), f.warmStartMs, 0, 500);
    constexpr int Saves = 25;
    const double saveMs =
        medianSaveMs(folder + QStringLiteral("/Filis.dat"), qint32((o.cards + 1) / 2), Saves);
    report.figure(QStringLiteral("save of one card (median of %1): write + fdatasync").arg(Saves), ms(saveMs),
                  QStringLiteral("< 20 ms"), saveMs < 20 ? Report::Verdict::Pass : Report::Verdict::Miss);
#ifdef VELMORA_CARDS_TOOL
    double exportRss = 0;
    for (const QString &format : {QStringLiteral("csl-json"), QStringLiteral("bibtex")}) {
        QList<double> times;
        for (int i = 0; i < o.runs; ++i)
            times << exportMs(folder + QStringLiteral("/Filis.dat"), format,
                              folder + QStringLiteral("/export.out"), &exportRss);
        report.time(QStringLiteral("velmora-cards export --format %1").arg(format), median(times), 0, 5000);
    }
    report.figure(QStringLiteral("  peak RSS of an export (as seen while it ran)"),
                  QStringLiteral("%1 MiB").arg(exportRss, 0, 'f', 1), QStringLiteral("< 64 MiB"),
                  exportRss < 64 ? Report::Verdict::Pass : Report::Verdict::Miss);
    // A hundred thousand entries from the million cards; a tenth of the cards for a smaller run.
    reportImports(report, folder, std::min<qint64>(o.cards / 10, 100000), o.runs);
#endif
    QString summary = QStringLiteral("baseline %1, title %2x, exploration %3x, start-up %4, save %5")
                          .arg(ms(f.baselineMs))
                          .arg(f.titleMs / f.baselineMs, 0, 'f', 2)
                          .arg(f.explorationMs / f.baselineMs, 0, 'f', 2)
                          .arg(ms(f.coldStartMs))
                          .arg(ms(saveMs));

    if (o.window) {
        QString why;
        if (const auto child = runWindowChild(o, folder, &why)) {
            reportWindow(report, *child, &summary);
        } else {
            report.note(QStringLiteral("window part not run: ") + why);
            report.figure(QStringLiteral("title search in a real window (Xvfb)"), QStringLiteral("not run"),
                          QStringLiteral("<= 1.6x"), Report::Verdict::Miss);
        }
    }

    const double rss = peakRssMiB();
    report.figure(QStringLiteral("peak RSS of the benchmark"), QStringLiteral("%1 MiB").arg(rss, 0, 'f', 1),
                  QStringLiteral("< 64 MiB"), rss < 64 ? Report::Verdict::Pass : Report::Verdict::Miss);
    summary += QStringLiteral(", peak RSS %1 MiB").arg(rss, 0, 'f', 1);

    std::fputs(qPrintable(report.table()), stdout);
    std::fputs(qPrintable(report.summary(summary) + u'\n'), stdout);
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
