// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "windowbench.h"

#include "baseline.h"
#include "benchplatform.h"
#include "cardgenerator.h"
#include "cp1253.h"
#include "scenarios.h"
#include "timing.h"
#include "titlesampler.h"

#include <QCoreApplication>
#include <QFileInfo>
#include <QProcess>
#include <QThread>

#include <algorithm>
#include <cstdio>

namespace velmora::bench {

namespace {

const QString ScanCaption = QStringLiteral("Διερευνώ Καρτέλλα:");

void put(const char *name, double value)
{
    std::printf("%s %.3f\n", name, value);
    std::fflush(stdout);
}

// The search once, watched: its time, and the scan captions the X server held during it.
struct WatchedSearch
{
    double ms = 0;
    int captions = 0;      // distinct scan captions seen
    double longestGap = 0; // the longest time the caption stood still during the scan
};

WatchedSearch watchedSearch(CardWindowBench &bench)
{
    TitleSampler sampler(bench.window().winId());
    if (!sampler.start())
        throw std::runtime_error("no X display for the title sampler");
    while (!sampler.isListening())
        QThread::msleep(1);
    WatchedSearch result;
    const auto start = std::chrono::steady_clock::now();
    result.ms = bench.titleSearchNoMatch();
    const double end = msSince(start);
    QThread::msleep(50); // the last changes still on their way to the sampler
    sampler.stop();

    double last = 0;
    for (const TitleSampler::Sample &s : sampler.samples()) {
        if (!s.title.contains(ScanCaption))
            continue;
        ++result.captions;
        result.longestGap = std::max(result.longestGap, s.ms - last);
        last = s.ms;
    }
    result.longestGap = std::max(result.longestGap, end - last);
    return result;
}

void measureProgram(const QString &folder, const QString &program)
{
    if (program.isEmpty() || !QFileInfo(program).isExecutable())
        return;
    QProcess velmora;
    velmora.setWorkingDirectory(folder);
    velmora.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    const auto start = std::chrono::steady_clock::now();
    velmora.start(program, {});
    if (!velmora.waitForStarted(5000))
        return;
    // The splash goes up once the card window behind it has loaded card 1; the card window
    // itself shows when the splash's time is over.
    const double splash = waitForWindowTitled(QStringLiteral("Βελμόρα 3.0"), 10000, start);
    const double card = waitForWindowTitled(QStringLiteral("Καρτέλλα:  1  από"), 10000, start);
    velmora.kill();
    velmora.waitForFinished(5000);
    put("program-first-window-ms", splash);
    put("program-card-window-ms", card);
}

} // namespace

int runWindowBench(const QString &folder, int runs, const QString &program)
{
    BenchPlatform platform(folder);
    const QString cardFile = platform.paths.cardFile();
    const QByteArray absent = cp1253::encode(planted::Absent);
    QList<double> baseline, times, captions;
    double longestGap = 0;
    {
        CardWindowBench bench(platform);
        for (int i = 0; i < runs; ++i) {
            baseline << timed([&] { scanTitlesBaseline(cardFile, absent); });
            const WatchedSearch w = watchedSearch(bench);
            times << w.ms;
            captions << w.captions;
            longestGap = std::max(longestGap, w.longestGap);
        }
    }
    put("window-baseline-ms", median(baseline));
    put("window-search-ms", median(times));
    put("window-captions", median(captions));
    put("window-fewest-captions", *std::min_element(captions.cbegin(), captions.cend()));
    put("window-longest-still-ms", longestGap);

    measureProgram(folder, program);
    return 0;
}

} // namespace velmora::bench
