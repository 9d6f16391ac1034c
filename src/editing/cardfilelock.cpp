#include "cardfilelock.h"

#include "fileops.h"

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
    m_fd.reset(); // the last descriptor of the open file: the lock goes with it
    m_identity = {};
}

Result<void> CardFileLock::acquire(const QString &path)
{
    release();
    // A file the keeper cannot write is not edited, so takes no lock that would keep the
    // keeper's own editor out: it is opened for writing first. O_CLOEXEC (always added): a
    // help viewer started by the editor must not keep the lock.
    const QByteArray native = QFile::encodeName(path);
    auto writable = openRegularFile(native, O_RDWR | O_CREAT);
    if (!writable) {
        if (isWriteRefusal(writable.error().error))
            return failure(Fault::ReadOnly, path, writable.error().error);
        return tl::unexpected(writable.error());
    }
    // The lock itself is held through a descriptor for reading, so that no descriptor open
    // for writing stays behind between filings; where flock is emulated by POSIX locks
    // (NFS), which refuse an exclusive lock on it (EBADF), through the one for writing.
    auto opened = openRegularFile(native, O_RDONLY);
    FileDescriptor fd = opened ? std::move(*opened) : std::move(*writable);
    const Result<FileIdentity> identity = identityOf(fd.get());
    if (!identity)
        return systemFailure(identity.error().error, path);
    // flock, not fcntl: an fcntl lock belongs to the process and goes as soon as any
    // descriptor of the file closes, which every reader of the file in this process does.
    while (::flock(fd.get(), LOCK_EX | LOCK_NB) != 0) {
        const int lockError = errno;
        if (lockError == EINTR)
            continue;
        if (lockError == EBADF && writable && writable->isValid()) {
            fd = std::move(*writable);
            continue;
        }
        if (lockError == EWOULDBLOCK)
            return failure(Fault::Locked, path, EWOULDBLOCK);
        if (lockError == ENOLCK || lockError == EOPNOTSUPP || lockError == ENOSYS)
            return failure(Fault::CannotLock, path, lockError);
        return systemFailure(lockError, path);
    }
    m_fd = std::move(fd);
    m_identity = *identity;
    return {};
}

} // namespace velmora
