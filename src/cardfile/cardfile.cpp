#include "cardfile.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

CardFileError::CardFileError(QString path, QString reason)
    : std::runtime_error((path + QStringLiteral(": ") + reason).toStdString()), m_path(std::move(path)),
      m_reason(std::move(reason))
{
}

QString CardFileError::message() const
{
    return QStringLiteral("Το αρχείο καρτελλών «%1» δεν μπορεί να χρησιμοποιηθεί.\n%2").arg(m_path, m_reason);
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

namespace {

QStringList &keptReadOnly()
{
    static QStringList paths;
    return paths;
}

} // namespace

void keepReadOnly(const QString &path)
{
    keptReadOnly() << path;
}

CardFile::~CardFile()
{
    close();
}

void CardFile::open(const QString &path)
{
    close();
    m_path = path;
    const QByteArray native = QFile::encodeName(path);
    // Without blocking: opening a FIFO would otherwise wait for a writer that never comes.
    // The kind of file is checked before anything is read.
    constexpr int Flags = O_CLOEXEC | O_NONBLOCK;
    bool readOnly = keptReadOnly().contains(path);
    int fd = ::open(native.constData(), readOnly ? O_RDONLY | Flags : O_RDWR | O_CREAT | Flags, 0644);
    if (!readOnly && fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM || errno == ETXTBSY)) {
        const int writeError = errno;
        fd = ::open(native.constData(), O_RDONLY | Flags);
        if (fd < 0)
            errno = (errno == ENOENT) ? writeError : errno;
        readOnly = true;
    }
    if (fd < 0) {
        const int openError = errno;
        // A socket cannot be opened at all: say what it is rather than the system's code.
        struct stat st
        {
        };
        if (::stat(native.constData(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
            fail(notRegularReason(st.st_mode));
        fail(openError);
    }
    struct stat st
    {
    };
    if (::fstat(fd, &st) != 0) {
        const int statError = errno;
        ::close(fd);
        fail(statError);
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        if (S_ISDIR(st.st_mode))
            fail(EISDIR);
        fail(notRegularReason(st.st_mode));
    }
    // A regular file never blocks; the flag goes so that nothing later depends on it.
    const int flags = ::fcntl(fd, F_GETFL);
    if (flags != -1)
        ::fcntl(fd, F_SETFL, flags & ~O_NONBLOCK);
    m_fd = fd;
    m_readOnly = readOnly;
    length(); // refuses a file too long to count
}

void CardFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

qint64 CardFile::length() const
{
    struct stat st
    {
    };
    if (::fstat(m_fd, &st) != 0)
        fail(errno);
    if (st.st_size > MaxFileLength)
        fail(EFBIG);
    return st.st_size;
}

void CardFile::fail(int errorNumber) const
{
    fail(greekReason(errorNumber));
}

void CardFile::fail(const QString &reason) const
{
    throw CardFileError(m_path, reason);
}

qint64 CardFile::readBlock(qint32 first, char *buffer, qint64 bytes) const
{
    if (first < 1)
        throw BadRecordNumber(first);
    const off_t offset = off_t(first - 1) * RecordLength;
    qint64 done = 0;
    while (done < bytes) {
        const ssize_t got = ::pread(m_fd, buffer + done, size_t(bytes - done), offset + done);
        if (got < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

CardRecord CardFile::read(qint32 number) const
{
    CardRecord card;
    readBlock(number, card.bytes().data(), RecordLength);
    // A short read leaves the rest of the record as the blanks it was made with.
    return card;
}

void CardFile::write(qint32 number, const CardRecord &card)
{
    if (number < 1)
        throw BadRecordNumber(number);
    if (m_readOnly)
        fail(EBADF);
    const off_t offset = off_t(number - 1) * RecordLength;
    if (offset + RecordLength > MaxFileLength)
        fail(EFBIG);
    qint64 done = 0;
    while (done < RecordLength) {
        const ssize_t put =
            ::pwrite(m_fd, card.bytes().data() + done, size_t(RecordLength - done), offset + done);
        if (put < 0) {
            if (errno == EINTR)
                continue;
            fail(errno);
        }
        done += put;
    }
}

CardReader::CardReader(const CardFile &file) : m_file(file) {}

void CardReader::read(qint32 number, CardRecord &card)
{
    if (number < 1)
        throw BadRecordNumber(number);
    if (m_first == 0 || number < m_first || qint64(number - m_first) >= BlockCards) {
        m_block.resize(BlockCards * RecordLength);
        m_filled = m_file.readBlock(number, m_block.data(), m_block.size());
        m_first = number;
    }
    const qint64 at = qint64(number - m_first) * RecordLength;
    const qint64 available = std::clamp<qint64>(m_filled - at, 0, RecordLength);
    char *dst = card.bytes().data();
    std::memcpy(dst, m_block.constData() + at, size_t(available));
    std::memset(dst + available, ' ', size_t(RecordLength - available));
}

QString notRegularReason(unsigned mode)
{
    QString kind;
    if (S_ISFIFO(mode))
        kind = QStringLiteral("επώνυμη σωλήνωση (FIFO)");
    else if (S_ISSOCK(mode))
        kind = QStringLiteral("υποδοχή επικοινωνίας (socket)");
    else if (S_ISCHR(mode))
        kind = QStringLiteral("συσκευή χαρακτήρων");
    else if (S_ISBLK(mode))
        kind = QStringLiteral("συσκευή μπλοκ");
    if (kind.isEmpty())
        return QStringLiteral("Δεν είναι κανονικό αρχείο.");
    return QStringLiteral("Δεν είναι κανονικό αρχείο αλλά %1.").arg(kind);
}

QString greekReason(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
        return QStringLiteral("Το αρχείο ή ο φάκελος δεν υπάρχει.");
    case EACCES:
    case EPERM:
        return QStringLiteral("Δεν επιτρέπεται η πρόσβαση στο αρχείο.");
    case EISDIR:
        return QStringLiteral("Πρόκειται για φάκελο, όχι για αρχείο.");
    case ENOTDIR:
        return QStringLiteral("Μέρος της διαδρομής δεν είναι φάκελος.");
    case EROFS:
        return QStringLiteral("Το μέσο αποθήκευσης είναι μόνο για ανάγνωση.");
    case ENOSPC:
        return QStringLiteral("Δεν υπάρχει ελεύθερος χώρος στο μέσο αποθήκευσης.");
    case EDQUOT:
        return QStringLiteral("Εξαντλήθηκε το όριο χώρου του χρήστη.");
    case EIO:
        return QStringLiteral("Σφάλμα εισόδου/εξόδου κατά την ανάγνωση ή την εγγραφή.");
    case EFBIG:
        return QStringLiteral(
            "Το αρχείο είναι μεγαλύτερο από 2.147.483.647 bytes, το όριο του προγράμματος.");
    case EBADF:
        return QStringLiteral("Το αρχείο είναι ανοιχτό μόνο για ανάγνωση.");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Υπάρχουν ήδη πάρα πολλά ανοιχτά αρχεία.");
    case ENAMETOOLONG:
        return QStringLiteral("Το όνομα του αρχείου είναι πολύ μεγάλο.");
    case ELOOP:
        return QStringLiteral("Υπάρχουν πάρα πολλοί συμβολικοί σύνδεσμοι στη διαδρομή.");
    case ETXTBSY:
        return QStringLiteral("Το αρχείο χρησιμοποιείται από άλλο πρόγραμμα.");
    default:
        return QStringLiteral("Σφάλμα συστήματος %1 (%2).")
            .arg(errorNumber)
            .arg(QString::fromLocal8Bit(std::strerror(errorNumber)));
    }
}

} // namespace velmora
