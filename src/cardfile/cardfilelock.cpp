#include "cardfilelock.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

CardFileLock::~CardFileLock()
{
    release();
}

void CardFileLock::release()
{
    if (m_fd >= 0)
        ::close(m_fd); // the last descriptor of the open file: the lock goes with it
    m_fd = -1;
    m_identity = {};
}

CardFileLock::Status CardFileLock::failed(const QString &reason)
{
    m_reason = reason;
    return Status::Failed;
}

CardFileLock::Status CardFileLock::acquire(const QString &path)
{
    release();
    m_reason.clear();
    const QByteArray native = QFile::encodeName(path);
    // Reading is enough to lock; whether the file can be written is the writer's question.
    // O_CLOEXEC: a help viewer started by the editor must not keep the lock after it.
    const int fd = ::open(native.constData(), O_RDONLY | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0644);
    if (fd < 0) {
        const int openError = errno;
        struct stat st = {};
        if (::stat(native.constData(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
            return failed(notRegularReason(st.st_mode));
        return failed(greekReason(openError));
    }
    struct stat st = {};
    if (::fstat(fd, &st) != 0) {
        const int statError = errno;
        ::close(fd);
        return failed(greekReason(statError));
    }
    if (!S_ISREG(st.st_mode)) {
        ::close(fd);
        return failed(notRegularReason(st.st_mode));
    }
    // flock, not fcntl: an fcntl lock belongs to the process and goes as soon as any
    // descriptor of the file closes, which every reader of the file in this process does.
    while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        const int lockError = errno;
        if (lockError == EINTR)
            continue;
        ::close(fd);
        if (lockError == EWOULDBLOCK) {
            m_reason = heldByAnotherReason();
            return Status::HeldByAnother;
        }
        return failed(greekReason(lockError));
    }
    m_fd = fd;
    m_identity = {quint64(st.st_dev), quint64(st.st_ino)};
    return Status::Locked;
}

QString heldByAnotherReason()
{
    return QStringLiteral("Το αρχείο καρτελλών διορθώνεται ήδη από άλλο πρόγραμμα ή άλλον χρήστη. "
                          "Μπορείτε να το διαβάζετε, αλλά όχι να το διορθώνετε ταυτόχρονα.");
}

} // namespace velmora
