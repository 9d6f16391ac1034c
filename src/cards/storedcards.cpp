#include "storedcards.h"

#include "cardfile.h"

#include <cerrno>
#include <cstring>

namespace velmora::cards {

namespace {

QString kindOf(FileKind kind)
{
    switch (kind) {
    case FileKind::Fifo:
        return QStringLiteral("a FIFO");
    case FileKind::Socket:
        return QStringLiteral("a socket");
    case FileKind::CharDevice:
        return QStringLiteral("a character device");
    case FileKind::BlockDevice:
        return QStringLiteral("a block device");
    default:
        return QStringLiteral("something else");
    }
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

} // namespace

Result<void> StoredCards::open(const QString &path)
{
    m_tooLong = false;
    m_length = 0;
    m_path = path;
    m_block.clear();
    m_blockStart = -1;
    if (const auto opened = m_file.openForReading(path); !opened) {
        const OpenFailure &why = opened.error();
        if (why.kind == FileKind::Folder)
            return failure(QStringLiteral("%1: is a folder, not a card file").arg(path), why.error);
        if (why.error == 0)
            return failure(QStringLiteral("%1: not a regular file but %2").arg(path, kindOf(why.kind)));
        if (why.error == ENOENT)
            return failure(QStringLiteral("%1: no such file").arg(path), why.error);
        return failure(QStringLiteral("%1: %2").arg(path, systemReason(why.error)), why.error);
    }
    const Result<qint64> length = m_file.storedLength();
    if (!length)
        return failure(QStringLiteral("%1: %2").arg(path, systemReason(length.error().error)),
                       length.error().error);
    m_length = *length;
    if (m_length > MaxFileLength) {
        m_tooLong = true;
        return failure(QStringLiteral("%1: %2 bytes, longer than the %3 bytes the program accepts")
                           .arg(path)
                           .arg(m_length)
                           .arg(MaxFileLength));
    }
    return {};
}

qint32 StoredCards::cardCount() const
{
    return cardCountForLength(m_length);
}

Result<QByteArray> StoredCards::readStored(qint64 number)
{
    const qint64 offset = (number - 1) * RecordLength;
    if (number < 1 || offset >= m_length)
        return QByteArray();
    const qint64 wanted = qMin<qint64>(RecordLength, m_length - offset);
    if (m_blockStart < 0 || offset < m_blockStart || offset + wanted > m_blockStart + m_block.size()) {
        constexpr qint64 BlockRecords = 4096;
        m_block.resize(qMin<qint64>(BlockRecords * RecordLength, m_length - offset));
        m_blockStart = -1;
        const Result<qint64> got = m_file.readAt(offset, m_block.data(), m_block.size());
        if (!got)
            return failure(QStringLiteral("%1: %2").arg(m_path, systemReason(got.error().error)),
                           got.error().error);
        m_block.resize(*got);
        m_blockStart = offset;
        if (*got < wanted)
            return failure(QStringLiteral("%1: the file became shorter while it was read").arg(m_path));
    }
    return m_block.mid(offset - m_blockStart, wanted);
}

Result<CardRecord> StoredCards::readCard(qint64 number)
{
    return readStored(number).map([](const QByteArray &bytes) { return CardRecord::fromBytes(bytes); });
}

} // namespace velmora::cards
