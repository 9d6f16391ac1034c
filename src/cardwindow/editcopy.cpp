// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editcopy.h"

#include <QFileInfo>

#include <algorithm>

namespace velmora {

namespace {

// A word as a POSIX shell reads it back unchanged; Greek letters need no quotes.
QString shellWord(const QString &word)
{
    const bool plain = !word.isEmpty() && std::all_of(word.cbegin(), word.cend(), [](QChar c) {
        return c.isLetterOrNumber() || QStringLiteral("_./-+,:@%").contains(c);
    });
    if (plain)
        return word;
    QString quoted = word;
    quoted.replace(QLatin1Char('\''), QStringLiteral("'\\''"));
    return QLatin1Char('\'') + quoted + QLatin1Char('\'');
}

} // namespace

QString editCopyCommand(const QString &cardFile)
{
    // -n: a copy made on an earlier day, and edited since, is opened rather than replaced.
    const QString folder = QStringLiteral("~/Βιβλιογραφία");
    const QString copy = folder + QLatin1Char('/') + shellWord(QFileInfo(cardFile).fileName());
    return QStringLiteral("mkdir -p %1 && cp -n %2 %1/ && velmora --edit %3")
        .arg(folder, shellWord(cardFile), copy);
}

QString editCopyAdvice(const QString &cardFile)
{
    return QStringLiteral("Αντιγράψτε το αρχείο σε δικό σας φάκελο και διορθώστε το αντίγραφο:\n") +
           editCopyCommand(cardFile);
}

} // namespace velmora
