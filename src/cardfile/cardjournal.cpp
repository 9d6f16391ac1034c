#include "cardjournal.h"

#include "ownfile.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QtEndian>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>
#include <zlib.h>

namespace velmora {

namespace {

constexpr char Magic[] = "VELMORA JOURNAL1";
constexpr qsizetype MagicLength = sizeof Magic - 1;
// magic, device, inode, offset, old length, bytes that follow, then the bytes and the CRC
constexpr qsizetype HeaderLength = MagicLength + 5 * 8;

quint32 crcOf(const char *data, qsizetype size)
{
    return quint32(::crc32(::crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef *>(data), uInt(size)));
}

void append64(QByteArray &bytes, quint64 value)
{
    char le[8];
    qToLittleEndian(value, le);
    bytes.append(le, 8);
}

QString canonical(const QString &cardPath)
{
    const QFileInfo info(cardPath);
    const QString real = info.canonicalFilePath();
    return real.isEmpty() ? info.absoluteFilePath() : real;
}

QByteArray readWhole(const QString &path)
{
    // Small and the program's own; a link planted there is not followed.
    const FileDescriptor fd(::open(QFile::encodeName(path).constData(), O_RDONLY | O_NOFOLLOW | O_CLOEXEC));
    QByteArray bytes;
    if (!fd)
        return bytes;
    char block[1024];
    for (ssize_t got; (got = ::read(fd.get(), block, sizeof block)) != 0 && bytes.size() < 4096;) {
        if (got < 0 && errno == EINTR)
            continue;
        if (got < 0)
            break;
        bytes.append(block, got);
    }
    return bytes;
}

} // namespace

QString journalBeside(const QString &cardPath)
{
    return canonical(cardPath) + QStringLiteral(".journal");
}

QString journalInFolder(const QString &cardPath, const QString &folder)
{
    const QString real = canonical(cardPath);
    const QByteArray digest =
        QCryptographicHash::hash(real.toUtf8(), QCryptographicHash::Sha1).toHex().left(8);
    return QDir(folder).absoluteFilePath(QFileInfo(real).fileName() + QLatin1Char('.') +
                                         QString::fromLatin1(digest) + QStringLiteral(".journal"));
}

QByteArray encodeJournal(const JournalEntry &entry)
{
    QByteArray bytes(Magic, MagicLength);
    append64(bytes, entry.file.device);
    append64(bytes, entry.file.inode);
    append64(bytes, quint64(entry.offset));
    append64(bytes, quint64(entry.oldLength));
    append64(bytes, quint64(entry.old.size()));
    bytes += entry.old;
    char crc[4];
    qToLittleEndian(crcOf(bytes.constData(), bytes.size()), crc);
    return bytes.append(crc, 4);
}

std::optional<JournalEntry> decodeJournal(const QByteArray &bytes)
{
    if (bytes.size() < HeaderLength + 4 || !bytes.startsWith(QByteArray(Magic, MagicLength)))
        return std::nullopt;
    const auto at = [&](int field) {
        return qFromLittleEndian<quint64>(bytes.constData() + MagicLength + 8 * field);
    };
    const quint64 count = at(4);
    if (count > quint64(RecordLength) || bytes.size() != HeaderLength + qsizetype(count) + 4)
        return std::nullopt;
    const qsizetype body = HeaderLength + qsizetype(count);
    if (qFromLittleEndian<quint32>(bytes.constData() + body) != crcOf(bytes.constData(), body))
        return std::nullopt;
    JournalEntry entry;
    entry.file = {at(0), at(1)};
    entry.offset = qint64(at(2));
    entry.oldLength = qint64(at(3));
    entry.old = bytes.mid(HeaderLength, qsizetype(count));
    if (entry.offset < 0 || entry.oldLength < 0)
        return std::nullopt;
    return entry;
}

std::optional<FoundJournal> findJournal(const QString &cardPath, const QString &fallbackFolder)
{
    QStringList places{journalBeside(cardPath)};
    if (!fallbackFolder.isEmpty())
        places << journalInFolder(cardPath, fallbackFolder);
    for (const QString &place : places) {
        struct stat st = {};
        if (::lstat(QFile::encodeName(place).constData(), &st) != 0 || !whyNotOurs(place).isEmpty())
            continue;
        return FoundJournal{place, decodeJournal(readWhole(place))};
    }
    return std::nullopt;
}

Result<bool> undoInterruptedFiling(int fd, const QString &cardPath, FileIdentity identity,
                                   const QString &fallbackFolder)
{
    const std::optional<FoundJournal> found = findJournal(cardPath, fallbackFolder);
    if (!found)
        return false;
    // A journal of another file (the card file was replaced since) must not be put into
    // this one; a journal cut short was written before the card was touched.
    const bool undo = found->entry && found->entry->file == identity;
    if (undo) {
        const JournalEntry &e = *found->entry;
        for (qint64 done = 0; done < e.old.size();) {
            const ssize_t put =
                ::pwrite(fd, e.old.constData() + done, size_t(e.old.size() - done), e.offset + done);
            if (put < 0 && errno == EINTR)
                continue;
            if (put <= 0)
                return failure(greekWriteReason(put < 0 ? errno : EIO), errno);
            done += put;
        }
        struct stat st = {};
        if (::fstat(fd, &st) != 0 || (st.st_size > e.oldLength && ::ftruncate(fd, e.oldLength) != 0) ||
            ::fdatasync(fd) != 0)
            return failure(greekWriteReason(errno), errno);
    }
    if (const Result<void> removed = removeDurably(found->path); !removed)
        return tl::unexpected(removed.error());
    return undo;
}

bool editingWasInterrupted(const QString &cardPath, const QString &fallbackFolder)
{
    const std::optional<FoundJournal> found = findJournal(cardPath, fallbackFolder);
    if (!found || !found->entry)
        return false;
    // An editor filing this moment has a journal too, and holds the lock.
    const FileDescriptor fd(
        ::open(QFile::encodeName(cardPath).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC));
    struct stat st = {};
    if (!fd || ::fstat(fd.get(), &st) != 0 ||
        FileIdentity{quint64(st.st_dev), quint64(st.st_ino)} != found->entry->file)
        return false;
    int locked;
    while ((locked = ::flock(fd.get(), LOCK_SH | LOCK_NB)) != 0 && errno == EINTR) {
    }
    return locked == 0; // released with the descriptor
}

} // namespace velmora
