#include "cardbackup.h"

#include "cardfile.h"
#include "ownfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>

#include <cerrno>
#include <cstdio>

namespace velmora {

namespace {

QString reasonFor(int errorNumber)
{
    return greekWriteReason(errorNumber != 0 ? errorNumber : EIO);
}

// The copy's name for `generation` (0 the latest, then older ones).
QString generationName(const QString &latest, int generation)
{
    return generation == 0 ? latest : latest + QLatin1Char('.') + QString::number(generation);
}

// Empty when the copy is in place, on the medium, and the older copies moved one step
// back; otherwise why not, in Greek, and nothing has changed.
QString copyDurably(const CardFile &source, const QString &target, const BackupProgress &progress)
{
    for (int g = 0; g < BackupGenerations; ++g)
        if (const QString why = whyNotOurs(generationName(target, g)); !why.isEmpty())
            return why;
    const Result<unsigned> mode = source.permissionBits();
    if (!mode)
        return mode.error().reason;
    Result<OwnFile> out = OwnFile::create(target, *mode);
    if (!out)
        return out.error().reason;
    constexpr qint64 BlockCards = 4096;
    QByteArray block(BlockCards * RecordLength, Qt::Uninitialized);
    const Result<qint64> total = source.storedLength();
    if (!total)
        return total.error().reason;
    for (qint64 offset = 0;; offset += block.size()) {
        const Result<qint64> got = source.readAt(offset, block.data(), block.size());
        if (!got)
            return got.error().reason;
        if (const Result<void> put = out->writeAll(block.constData(), *got); !put)
            return put.error().reason;
        if (progress)
            progress(offset + *got, *total);
        if (*got < block.size())
            break;
    }
    // Only a whole copy moves the older ones back; the oldest goes.
    for (int g = BackupGenerations - 1; g > 0; --g) {
        const QByteArray from = QFile::encodeName(generationName(target, g - 1));
        if (::rename(from.constData(), QFile::encodeName(generationName(target, g)).constData()) != 0 &&
            errno != ENOENT)
            return reasonFor(errno);
    }
    const Result<void> committed = out->commit();
    return committed ? QString() : committed.error().reason;
}

} // namespace

QString backupBeside(const QString &cardPath)
{
    return QFileInfo(cardPath + QStringLiteral(".bak")).absoluteFilePath();
}

QString backupInFolder(const QString &cardPath, const QString &folder)
{
    const QFileInfo card(cardPath);
    const QByteArray digest =
        QCryptographicHash::hash(card.absoluteFilePath().toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    return QDir(folder).absoluteFilePath(card.fileName() + QLatin1Char('.') + QString::fromLatin1(digest) +
                                         QStringLiteral(".bak"));
}

Result<QString> backUpCardFile(const CardFile &source, const QString &fallbackFolder,
                               const BackupProgress &progress)
{
    const QString beside = backupBeside(source.path());
    const QString whyNotBeside = copyDurably(source, beside, progress);
    if (whyNotBeside.isEmpty())
        return beside;
    QString reason = QStringLiteral("Δεν έγινε αντίγραφο ασφαλείας του αρχείου καρτελλών, γι' αυτό δεν "
                                    "γράφτηκε τίποτα.\nΣτον φάκελο «%1»: %2")
                         .arg(QFileInfo(beside).absolutePath(), whyNotBeside);
    if (fallbackFolder.isEmpty())
        return failure(reason);
    const QString elsewhere = backupInFolder(source.path(), fallbackFolder);
    const QString whyNotElsewhere =
        QDir().mkpath(fallbackFolder) ? copyDurably(source, elsewhere, progress) : reasonFor(errno);
    if (whyNotElsewhere.isEmpty())
        return elsewhere;
    reason +=
        QStringLiteral("\nΣτον φάκελο «%1»: %2").arg(QFileInfo(elsewhere).absolutePath(), whyNotElsewhere);
    return failure(reason);
}

} // namespace velmora
