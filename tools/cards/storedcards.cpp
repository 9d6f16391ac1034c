#include "storedcards.h"

#include "cardfile.h"

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::cards {

namespace {

QString kindOf(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    if (S_ISCHR(mode))
        return QStringLiteral("a character device");
    if (S_ISBLK(mode))
        return QStringLiteral("a block device");
    return QStringLiteral("something else");
}

} // namespace

bool StoredCards::open(const QString &path, QString *error)
{
    m_file.close();
    m_tooLong = false;
    m_length = 0;
    m_path = path;
    // Opened without blocking and looked at before anything is read: a FIFO would
    // otherwise keep the tool waiting for a writer.
    const QByteArray native = QFile::encodeName(path);
    const int fd = ::open(native.constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK);
    struct stat st = {};
    if (fd < 0) {
        const int openError = errno;
        if (::stat(native.constData(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
            *error = QStringLiteral("%1: not a regular file but %2").arg(path, kindOf(st.st_mode));
        else if (openError == ENOENT)
            *error = QStringLiteral("%1: no such file").arg(path);
        else
            *error = QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(openError)));
        return false;
    }
    if (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode)) {
        const int statError = errno;
        ::close(fd);
        if (S_ISDIR(st.st_mode))
            *error = QStringLiteral("%1: is a folder, not a card file").arg(path);
        else if (st.st_mode != 0)
            *error = QStringLiteral("%1: not a regular file but %2").arg(path, kindOf(st.st_mode));
        else
            *error = QStringLiteral("%1: %2").arg(path, QString::fromLocal8Bit(std::strerror(statError)));
        return false;
    }
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    if (!m_file.open(fd, QIODevice::ReadOnly, QFileDevice::AutoCloseHandle)) {
        ::close(fd);
        *error = QStringLiteral("%1: %2").arg(path, m_file.errorString());
        return false;
    }
    m_length = st.st_size;
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
    if (m_file.pos() != offset && !m_file.seek(offset)) {
        *error = QStringLiteral("%1: %2").arg(m_path, m_file.errorString());
        return false;
    }
    const qint64 wanted = qMin<qint64>(RecordLength, m_length - offset);
    *bytes = m_file.read(wanted);
    if (bytes->size() != wanted) {
        *error = QStringLiteral("%1: %2").arg(
            m_path, m_file.error() != QFileDevice::NoError
                        ? m_file.errorString()
                        : QStringLiteral("the file became shorter while it was read"));
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
