// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardfile.h"

#include "fileops.h"
#include "pathwalk.h"

#include <QDir>
#include <QFile>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

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

Result<void> CardFile::open(const QString &path, Access access)
{
    if (Result<void> opened = openWalked(path, access); !opened)
        return opened;
    return counted();
}

Result<void> CardFile::adopt(FileDescriptor fd, const QString &path, int writeRefused)
{
    close();
    m_path = path;
    m_nativeAbsolute = nativeAbsolute(path);
    m_fd = std::move(fd);
    m_readOnly = writeRefused != 0;
    m_writeRefused = writeRefused;
    return counted();
}

Result<void> CardFile::counted()
{
    if (const Result<qint64> counted = length(); !counted) {
        close();
        return failure(counted.error());
    }
    return {};
}

Result<void> CardFile::openForReading(const QString &path)
{
    return openWalked(path, Access::ReadOnly);
}

Result<void> CardFile::openWalked(const QString &path, Access access)
{
    close();
    m_path = path;
    m_nativeAbsolute = nativeAbsolute(path);
    const Result<OpenedParent> parent = openParent(path, LastLink::Followed);
    if (!parent)
        return failure(parent.error());
    // The last name, in the folder the walk arrived at. Any link that stood there was
    // followed or refused on the way: one put there since is nobody's to follow.
    Result<FileDescriptor> opened =
        openRegularFile(parent->name, (access == Access::Browse ? O_RDONLY | O_CREAT : O_RDONLY) | O_NOFOLLOW,
                        0644, parent->folder.get());
    if (!opened)
        return failure(named(opened.error()));
    m_fd = std::move(*opened);
    m_readOnly = true;
    m_writeRefused = 0;
    return {};
}

Failure CardFile::readOnlyReason() const
{
    return Failure{Fault::ReadOnly, m_writeRefused, m_path};
}

Result<FileIdentity> CardFile::identity() const
{
    return identityOf(m_fd.get()).map_error([this](const Failure &f) { return named(f); });
}

Result<qint64> CardFile::storedLength() const
{
    const Result<struct stat> st = statusOf(m_fd.get());
    if (!st)
        return failure(Failure{Fault::System, st.error().error, m_path});
    return qint64(st->st_size);
}

Result<qint64> CardFile::length() const
{
    Result<qint64> stored = storedLength();
    if (stored && *stored > MaxFileLength) {
        Failure tooLong(Fault::TooLong, 0, m_path);
        tooLong.length = *stored;
        return failure(std::move(tooLong));
    }
    return stored;
}

Result<qint32> CardFile::cardCount() const
{
    return length().map(cardCountForLength);
}

Failure CardFile::named(Failure failure) const
{
    failure.path = m_path;
    return failure;
}

Result<qint64> CardFile::readBlock(qint32 first, char *buffer, qint64 bytes) const
{
    return checkCardNumber(first, m_path).and_then([&] {
        return readAt(qint64(first - 1) * RecordLength, buffer, bytes);
    });
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

Result<CardRecord> CardFile::read(qint32 number) const
{
    CardRecord card;
    // A short read leaves the rest of the record as the blanks it was made with.
    return readBlock(number, card.bytes().data(), RecordLength).map([&card](qint64) { return card; });
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
    if (const Result<void> valid = checkCardNumber(number, m_file.path()); !valid)
        return tl::unexpected(valid.error());
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
    return QByteArrayView(m_block.constData() + held(number), available(number));
}

Result<void> CardReader::readBlockFor(qint32 number, CardRecord &card)
{
    const Result<QByteArrayView> bytes = stored(number);
    if (!bytes)
        return tl::unexpected(bytes.error());
    copyOut(*bytes, card);
    return {};
}

} // namespace velmora
