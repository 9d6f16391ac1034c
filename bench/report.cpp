// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "report.h"

#include <algorithm>

namespace velmora::bench {

namespace {

QString verdictText(Report::Verdict v)
{
    switch (v) {
    case Report::Verdict::Pass:
        return QStringLiteral("PASS");
    case Report::Verdict::Miss:
        return QStringLiteral("MISS");
    case Report::Verdict::None:
        break;
    }
    return {};
}

} // namespace

void Report::time(const QString &name, double ms, double maxRatio, double maxMs, double baselineMs)
{
    Row row{name, QString::asprintf("%.1f ms", ms), {}, {}};
    const double base = baselineMs > 0 ? baselineMs : m_baselineMs;
    const double ratio = base > 0 ? ms / base : 0;
    if (base > 0)
        row.ratio = QString::asprintf("%.2fx", ratio);
    if (maxRatio > 0) {
        row.target = QString::asprintf("<= %gx", maxRatio);
        row.verdict = ratio <= maxRatio ? Verdict::Pass : Verdict::Miss;
    } else if (maxMs > 0) {
        row.target = QString::asprintf("< %g ms", maxMs);
        row.verdict = ms < maxMs ? Verdict::Pass : Verdict::Miss;
    }
    m_rows << row;
}

void Report::figure(const QString &name, const QString &value, const QString &target, Verdict verdict)
{
    m_rows << Row{name, value, {}, target, verdict};
}

bool Report::allPassed() const
{
    return std::none_of(m_rows.cbegin(), m_rows.cend(),
                        [](const Row &r) { return r.verdict == Verdict::Miss; });
}

QString Report::table() const
{
    qsizetype nameWidth = 0;
    for (const Row &r : m_rows)
        nameWidth = std::max(nameWidth, r.name.size());
    QString out;
    for (const QString &n : m_notes)
        out += n + u'\n';
    out += QStringLiteral("%1  %2  %3  %4  %5\n")
               .arg(QStringLiteral("measurement"), -int(nameWidth))
               .arg(QStringLiteral("median"), 12)
               .arg(QStringLiteral("ratio"), 8)
               .arg(QStringLiteral("target"), -10)
               .arg(QStringLiteral("result"));
    for (const Row &r : m_rows) {
        QString line = QStringLiteral("%1  %2  %3  %4  %5")
                           .arg(r.name, -int(nameWidth))
                           .arg(r.value, 12)
                           .arg(r.ratio, 8)
                           .arg(r.target, -10)
                           .arg(verdictText(r.verdict));
        while (line.endsWith(u' '))
            line.chop(1);
        out += line + u'\n';
    }
    return out;
}

QString Report::summary(const QString &figures) const
{
    int passed = 0, missed = 0;
    for (const Row &r : m_rows) {
        passed += r.verdict == Verdict::Pass;
        missed += r.verdict == Verdict::Miss;
    }
    return QStringLiteral("summary: %1; %2 of %3 targets met%4")
        .arg(figures)
        .arg(passed)
        .arg(passed + missed)
        .arg(missed ? QStringLiteral(", %1 missed").arg(missed) : QString());
}

} // namespace velmora::bench
