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

bool StoredCards::open(const QString &path, QString *error)
{
    m_tooLong = false;
    m_length = 0;
    m_path = path;
    if (const auto opened = m_file.openForReading(path); !opened) {
        const OpenFailure &why = opened.error();
        if (why.kind == FileKind::Folder)
            *error = QStringLiteral("%1: is a folder, not a card file").arg(path);
        else if (why.error == 0)
            *error = QStringLiteral("%1: not a regular file but %2").arg(path, kindOf(why.kind));
        else if (why.error == ENOENT)
            *error = QStringLiteral("%1: no such file").arg(path);
        else
            *error = QStringLiteral("%1: %2").arg(path, systemReason(why.error));
        return false;
    }
    const Result<qint64> length = m_file.storedLength();
    if (!length) {
        *error = QStringLiteral("%1: %2").arg(path, systemReason(length.error().error));
        return false;
    }
    m_length = *length;
    if (m_length > MaxFileLength) {
        m_tooLong = true;
        *error = QStringLiteral("%1: %2 bytes, longer than the %3 bytes the program accepts")
                     .arg(path)
                     .arg(m_length)
                     .arg(MaxFileLength);
        return false;
    }
    return true;
}

qint32 StoredCards::cardCount() const
{
    return cardCountForLength(m_length);
}

bool StoredCards::readStored(qint64 number, QByteArray *bytes, QString *error)
{
    const qint64 offset = (number - 1) * RecordLength;
    bytes->clear();
    if (number < 1 || offset >= m_length)
        return true;
    const qint64 wanted = qMin<qint64>(RecordLength, m_length - offset);
    bytes->resize(wanted);
    const Result<qint64> got = m_file.readAt(offset, bytes->data(), wanted);
    if (!got || *got != wanted) {
        *error = QStringLiteral("%1: %2").arg(
            m_path, got ? QStringLiteral("the file became shorter while it was read")
                        : systemReason(got.error().error));
        bytes->clear();
        return false;
    }
    return true;
}

bool StoredCards::readCard(qint64 number, CardRecord *card, QString *error)
{
    QByteArray bytes;
    if (!readStored(number, &bytes, error))
        return false;
    *card = CardRecord::fromBytes(bytes);
    return true;
}

} // namespace velmora::cards
