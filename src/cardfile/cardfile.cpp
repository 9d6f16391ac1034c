// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardfile.h"

#include "fileops.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

CardFileError::CardFileError(Failure failure)
    : std::runtime_error(failure.path.toStdString() + ": card file failure"), m_failure(std::move(failure))
{
}

BadRecordNumber::BadRecordNumber(qint64 number)
    : std::runtime_error("bad record number " + std::to_string(number))
{
}

qint32 roundedCardCount(qint64 length)
{
    return qint32((length + RecordLength / 2) / RecordLength);
}

qint32 cardCountForLength(qint64 length)
{
    const qint32 count = roundedCardCount(length);
    return count < 1 ? 1 : count;
}

qint32 cardsHeld(qint64 length)
{
    return qint32((length + RecordLength - 1) / RecordLength);
}

bool isWriteRefusal(int error)
{
    return error == EACCES || error == EROFS || error == EPERM || error == ETXTBSY;
}

namespace {

// The path as it stands now, immune to a later change of folder. Not cleaned of "..": the
// system, not Qt, decides what a path through a link names.
QByteArray nativeAbsolute(const QString &path)
{
    return QFile::encodeName(
        path.startsWith(QLatin1Char('/')) ? path : QDir::currentPath() + QLatin1Char('/') + path);
}

} // namespace

void CardFile::open(const QString &path, Access access)
{
    close();
    m_path = path;
    m_nativeAbsolute = nativeAbsolute(path);
    const QByteArray native = QFile::encodeName(path);
    bool readOnly = access != Access::ReadWrite;
    int writeError = 0;
    const int flags = access == Access::ReadWrite ? O_RDWR | O_CREAT
                      : access == Access::Browse  ? O_RDONLY | O_CREAT
                                                  : O_RDONLY;
    Result<FileDescriptor> opened = openRegularFile(native, flags);
    if (!opened && access == Access::ReadWrite && isWriteRefusal(opened.error().error)) {
        writeError = opened.error().error;
        opened = openRegularFile(native, O_RDONLY);
        if (!opened && opened.error().error == ENOENT)
            opened.error().error = writeError;
        readOnly = true;
    }
    if (!opened)
        fail(opened.error());
    m_fd = std::move(*opened);
    m_readOnly = readOnly;
    m_writeRefused = writeError;
    length(); // refuses a file too long to count
}

Result<void> CardFile::openForReading(const QString &path)
{
    close();
    m_path = path;
    m_nativeAbsolute = nativeAbsolute(path);
    Result<FileDescriptor> opened = openRegularFile(QFile::encodeName(path), O_RDONLY);
    if (!opened)
        return tl::unexpected(opened.error());
    m_fd = std::move(*opened);
    m_readOnly = true;
    m_writeRefused = 0;
    return {};
}

Failure CardFile::readOnlyReason() const
{
    return Failure{Fault::ReadOnly, m_writeRefused, m_path};
}

FileIdentity CardFile::identity() const
{
    const Result<FileIdentity> id = identityOf(m_fd.get());
    if (!id)
        fail(id.error());
    return *id;
}

Result<qint64> CardFile::storedLength() const
{
    const Result<struct stat> st = statusOf(m_fd.get());
    if (!st)
        return failure(Failure{Fault::System, st.error().error, m_path});
    return qint64(st->st_size);
}

qint64 CardFile::length() const
{
    const Result<qint64> stored = storedLength();
    if (!stored)
        fail(stored.error());
    if (*stored > MaxFileLength)
        fail(Failure{Fault::TooLong, 0, m_path});
    return *stored;
}

void CardFile::fail(Failure failure) const
{
    failure.path = m_path;
    throw CardFileError(std::move(failure));
}

qint64 CardFile::readBlock(qint32 first, char *buffer, qint64 bytes) const
{
    if (first < 1)
        throw BadRecordNumber(first);
    const Result<qint64> done = readAt(qint64(first - 1) * RecordLength, buffer, bytes);
    if (!done)
        fail(done.error());
    return *done;
}

Result<qint64> CardFile::readAt(qint64 offset, char *buffer, qint64 bytes) const
{
    Result<qint64> done = velmora::readAt(m_fd.get(), offset, buffer, bytes);
    if (!done)
        done.error().path = m_path;
    return done;
}

Result<void> CardFile::writeAt(qint64 offset, QByteArrayView bytes) const
{
    if (m_readOnly)
        return failure(readOnlyReason());
    if (offset + bytes.size() > MaxFileLength)
        return failure(Fault::TooLong, m_path);
    Result<void> done = velmora::writeAt(m_fd.get(), offset, bytes.data(), bytes.size());
    if (!done)
        done.error().path = m_path;
    return done;
}

CardRecord CardFile::read(qint32 number) const
{
    CardRecord card;
    readBlock(number, card.bytes().data(), RecordLength);
    // A short read leaves the rest of the record as the blanks it was made with.
    return card;
}

Result<mode_t> CardFile::permissionBits() const
{
    return statusOf(m_fd.get()).map([](const struct stat &st) { return mode_t(st.st_mode & 07777); });
}

Result<void> CardFile::stillAtPath() const
{
    const QString absolute = QFile::decodeName(m_nativeAbsolute);
    Result<void> there = stillAt(m_fd.get(), absolute);
    // Named as it was given, unless the walk names a link on the way.
    if (!there && there.error().path == absolute)
        there.error().path = m_path;
    return there;
}

CardReader::CardReader(const CardFile &file) : m_file(file) {}

Result<QByteArrayView> CardReader::stored(qint32 number)
{
    if (number < 1)
        throw BadRecordNumber(number);
    if (m_first == 0 || number < m_first || qint64(number - m_first) >= BlockCards) {
        m_block.resize(BlockBytes);
        m_first = 0;
        const Result<qint64> got =
            m_file.readAt(qint64(number - 1) * RecordLength, m_block.data(), BlockBytes);
        if (!got)
            return tl::unexpected(got.error());
        m_filled = *got;
        m_first = number;
    }
    const qint64 at = qint64(number - m_first) * RecordLength;
    const qint64 available = std::clamp<qint64>(m_filled - at, 0, RecordLength);
    return QByteArrayView(m_block.constData() + at, available);
}

void CardReader::read(qint32 number, CardRecord &card)
{
    const Result<QByteArrayView> bytes = stored(number);
    if (!bytes)
        throw CardFileError(bytes.error());
    char *dst = card.bytes().data();
    std::memcpy(dst, bytes->data(), size_t(bytes->size()));
    std::memset(dst + bytes->size(), ' ', size_t(RecordLength - bytes->size()));
}

} // namespace velmora
