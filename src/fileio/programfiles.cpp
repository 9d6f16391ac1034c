// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "programfiles.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QStandardPaths>

namespace velmora {

namespace {

constexpr int TemporaryLetters = 6;
const QLatin1StringView Alphabet("abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789");

} // namespace

QString userDataFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation) + QStringLiteral("/Velmora");
}

QString realCardPath(const QString &cardPath)
{
    const QFileInfo info(cardPath);
    const QString real = info.canonicalFilePath();
    return real.isEmpty() ? info.absoluteFilePath() : real;
}

QString besideCardFile(const QString &cardPath, const QString &suffix)
{
    return realCardPath(cardPath) + QLatin1Char('.') + suffix;
}

QString inDataFolder(const QString &cardPath, const QString &folder, const QString &suffix)
{
    const QString real = realCardPath(cardPath);
    const QByteArray digest =
        QCryptographicHash::hash(real.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    return QDir(folder).absoluteFilePath(QFileInfo(real).fileName() + QLatin1Char('.') +
                                         QString::fromLatin1(digest) + QLatin1Char('.') + suffix);
}

QString temporaryNameFor(const QString &target)
{
    const QFileInfo info(target);
    QString letters(TemporaryLetters, QLatin1Char('x'));
    for (QChar &c : letters)
        c = QLatin1Char(Alphabet[QRandomGenerator::system()->bounded(int(Alphabet.size()))]);
    return info.absolutePath() + QStringLiteral("/.") + info.fileName() + QLatin1Char('.') + letters;
}

bool isTemporaryOf(const QString &candidateName, const QString &targetName)
{
    const QString stem = QLatin1Char('.') + targetName + QLatin1Char('.');
    if (candidateName.size() != stem.size() + TemporaryLetters || !candidateName.startsWith(stem))
        return false;
    for (const QChar c : QStringView(candidateName).mid(stem.size()))
        if (!Alphabet.contains(c))
            return false;
    return true;
}

} // namespace velmora
