#include "cardbackup.h"

#include "cardfile.h"
#include "filedescriptor.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QSaveFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace velmora {

namespace {

QString reasonFor(int errorNumber)
{
    return greekWriteReason(errorNumber != 0 ? errorNumber : EIO);
}

bool writeAll(int fd, const char *data, qint64 size)
{
    for (qint64 done = 0; done < size;) {
        const ssize_t put = ::write(fd, data + done, size_t(size - done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return false;
        done += put;
    }
    return true;
}

// Empty when the copy is in place and on the medium; otherwise why not, in Greek.
QString copyDurably(const CardFile &source, const QString &target, const BackupProgress &progress)
{
    // QSaveFile makes the temporary file beside the target, renames it over the target
    // and removes it on failure; it ignores a failed sync and never syncs the folder,
    // which are done here. Written through the raw handle so that errno tells why.
    QSaveFile out(target);
    errno = 0;
    if (!out.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        return reasonFor(errno != 0 ? errno : EACCES); // no errno: QSaveFile refused a target itself
    constexpr qint64 BlockCards = 4096;
    QByteArray block(BlockCards * RecordLength, Qt::Uninitialized);
    const Result<qint64> total = source.storedLength();
    if (!total)
        return total.error().reason;
    for (qint64 offset = 0;; offset += block.size()) {
        const Result<qint64> got = source.readAt(offset, block.data(), block.size());
        if (!got)
            return got.error().reason;
        if (!writeAll(out.handle(), block.constData(), *got))
            return reasonFor(errno);
        if (progress)
            progress(offset + *got, *total);
        if (*got < block.size())
            break;
    }
    if (::fsync(out.handle()) != 0)
        return reasonFor(errno);
    errno = 0;
    if (!out.commit())
        return reasonFor(errno);
    // The rename is in the folder: without this a crash could leave the old copy or none.
    const QByteArray folder = QFile::encodeName(QFileInfo(target).absolutePath());
    const FileDescriptor fd(::open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!fd)
        return reasonFor(errno);
    // Some file systems cannot sync a folder at all (EINVAL): nothing more can be done there.
    const bool synced = ::fsync(fd.get()) == 0 || errno == EINVAL;
    const int syncError = errno;
    return synced ? QString() : reasonFor(syncError);
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
