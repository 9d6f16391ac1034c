// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>

namespace velmora::bench {

// The benchmark's table: each figure, its ratio to the baseline scan, and its target.
class Report
{
public:
    enum class Verdict { None, Pass, Miss };

    void setBaseline(double ms) { m_baselineMs = ms; }
    // A timed figure; `maxRatio` > 0 sets a target relative to the baseline, `maxMs` > 0 an
    // absolute one. `baselineMs` > 0 stands for a baseline measured apart (in another process).
    void time(const QString &name, double ms, double maxRatio = 0, double maxMs = 0, double baselineMs = 0);
    // Any other figure with a target of its own.
    void figure(const QString &name, const QString &value, const QString &target, Verdict verdict);
    void note(const QString &text) { m_notes << text; }

    QString table() const;
    // One line: the key figures given, and how many targets were met.
    QString summary(const QString &figures) const;
    bool allPassed() const;

private:
    struct Row
    {
        QString name, value, ratio, target;
        Verdict verdict = Verdict::None;
    };
    double m_baselineMs = 0;
    QList<Row> m_rows;
    QStringList m_notes;
};

} // namespace velmora::bench
