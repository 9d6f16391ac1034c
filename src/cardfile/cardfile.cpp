#include "cardfile.h"

#include <QDir>
#include <QFile>

#include <algorithm>
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

CardWriteError::CardWriteError(QString path, qint32 number, QString reason)
    : CardFileError(std::move(path), std::move(reason)), m_number(number)
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

namespace {

// Why a file was opened for reading only, beside the errno values: it was asked to be.
constexpr int AskedReadOnly = -1;

} // namespace

CardFile::~CardFile()
{
    close();
}

void CardFile::open(const QString &path, Access access)
{
    close();
    m_path = path;
    const QByteArray native = QFile::encodeName(path);
    // Not cleaned of "..": the system, not Qt, decides what a path through a link names.
    m_nativeAbsolute = QFile::encodeName(
        path.startsWith(QLatin1Char('/')) ? path : QDir::currentPath() + QLatin1Char('/') + path);
    // Without blocking: opening a FIFO would otherwise wait for a writer that never comes.
    // The kind of file is checked before anything is read.
    constexpr int Flags = O_CLOEXEC | O_NONBLOCK;
    bool readOnly = access == Access::ReadOnly;
    int writeError = readOnly ? AskedReadOnly : 0;
    int fd = ::open(native.constData(), readOnly ? O_RDONLY | Flags : O_RDWR | O_CREAT | Flags, 0644);
    if (!readOnly && fd < 0 && (errno == EACCES || errno == EROFS || errno == EPERM || errno == ETXTBSY)) {
        writeError = errno;
        fd = ::open(native.constData(), O_RDONLY | Flags);
        if (fd < 0)
            errno = (errno == ENOENT) ? writeError : errno;
        readOnly = true;
    }
    if (fd < 0) {
        const int openError = errno;
        // A socket cannot be opened at all: say what it is rather than the system's code.
        struct stat st = {};
        if (::stat(native.constData(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
            fail(notRegularReason(st.st_mode));
        fail(openError);
    }
    struct stat st = {};
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
    m_writeRefused = writeError;
    length(); // refuses a file too long to count
}

QString CardFile::readOnlyReason() const
{
    if (!m_readOnly)
        return {};
    if (m_writeRefused == AskedReadOnly)
        return QStringLiteral("Το αρχείο ανοίχτηκε μόνο για ανάγνωση.");
    const QString why = m_writeRefused == EROFS ? QStringLiteral("το μέσο αποθήκευσης δεν δέχεται εγγραφές")
                                                : QStringLiteral("δεν επιτρέπεται η εγγραφή σε αυτό");
    return QStringLiteral("Το αρχείο ανοίχτηκε μόνο για ανάγνωση: %1.").arg(why);
}

FileIdentity CardFile::identity() const
{
    struct stat st = {};
    if (::fstat(m_fd, &st) != 0)
        fail(errno);
    return {quint64(st.st_dev), quint64(st.st_ino)};
}

void CardFile::close()
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = -1;
}

qint64 CardFile::length() const
{
    struct stat st = {};
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

void CardFile::failWrite(qint32 number, const QString &reason) const
{
    throw CardWriteError(m_path, number, reason);
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
        failWrite(number, readOnlyReason());
    const off_t offset = off_t(number - 1) * RecordLength;
    if (offset + RecordLength > MaxFileLength)
        failWrite(number, greekReason(EFBIG));
    // A card written into a file nobody can reach any more is a card lost.
    if (const QString gone = stillAtPath(); !gone.isEmpty())
        failWrite(number, gone);

    struct stat st = {};
    if (::fstat(m_fd, &st) != 0)
        failWrite(number, greekWriteReason(errno));
    const qint64 oldLength = st.st_size;
    QByteArray old(std::clamp<qint64>(oldLength - offset, 0, RecordLength), Qt::Uninitialized);
    try {
        if (!old.isEmpty())
            old.resize(readBlock(number, old.data(), old.size()));
    } catch (const CardFileError &e) {
        failWrite(number, e.reason()); // nothing written yet: the typed card is not lost
    }

    // The whole card in one call, never field by field; a call cut short is undone below.
    qint64 done = 0;
    int error = 0;
    while (done < RecordLength) {
        const ssize_t put =
            ::pwrite(m_fd, card.bytes().data() + done, size_t(RecordLength - done), offset + done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            error = put < 0 ? errno : EIO;
            break;
        }
        done += put;
    }
    if (error == 0 && ::fdatasync(m_fd) != 0)
        error = errno;
    if (error == 0)
        return;
    QString reason = greekWriteReason(error);
    if (done > 0 && !putBack(offset, old, oldLength))
        reason += QStringLiteral(" Η καρτέλλα ίσως έμεινε μισογραμμένη στο αρχείο.");
    failWrite(number, reason);
}

QString CardFile::stillAtPath() const
{
    struct stat opened = {};
    struct stat named = {};
    if (::fstat(m_fd, &opened) != 0)
        return greekWriteReason(errno);
    if (::stat(m_nativeAbsolute.constData(), &named) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return QStringLiteral("Το αρχείο διαγράφηκε ή μετακινήθηκε από τότε που ανοίχτηκε.");
        return greekWriteReason(errno);
    }
    if (opened.st_dev != named.st_dev || opened.st_ino != named.st_ino)
        return replacedReason();
    return {};
}

bool CardFile::putBack(qint64 offset, const QByteArray &old, qint64 oldLength) const
{
    bool whole = true;
    for (qint64 done = 0; done < old.size();) {
        const ssize_t put = ::pwrite(m_fd, old.constData() + done, size_t(old.size() - done), offset + done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            whole = false;
            break;
        }
        done += put;
    }
    struct stat st = {};
    if (::fstat(m_fd, &st) != 0 || (st.st_size > oldLength && ::ftruncate(m_fd, oldLength) != 0))
        whole = false;
    return ::fdatasync(m_fd) == 0 && whole;
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
    case ESTALE:
        return QStringLiteral("Το αρχείο δεν υπάρχει πια στον υπολογιστή δικτύου που το έχει.");
    case ENOLCK:
        return QStringLiteral("Το σύστημα δεν μπορεί να κλειδώσει άλλα αρχεία.");
    default:
        return QStringLiteral("Σφάλμα συστήματος %1 (%2).")
            .arg(errorNumber)
            .arg(QString::fromLocal8Bit(std::strerror(errorNumber)));
    }
}

QString greekWriteReason(int errorNumber)
{
    if (errorNumber == EFBIG)
        return QStringLiteral(
            "Το αρχείο έφτασε το όριο μεγέθους που έχει θέσει το σύστημα για το πρόγραμμα.");
    return greekReason(errorNumber);
}

QString replacedReason()
{
    return QStringLiteral("Στη θέση του βρίσκεται πλέον άλλο αρχείο.");
}

} // namespace velmora
