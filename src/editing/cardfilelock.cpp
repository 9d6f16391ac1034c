// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardfilelock.h"

#include "fileops.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
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
    const Result<FileIdentity> identity = identityOf(writable->get());
    if (!identity)
        return systemFailure(identity.error().error, path);
    // A write lock of the open file description: only a descriptor open for writing can
    // take it, so that a user who may only read the card file cannot keep its keepers out
    // (an exclusive flock needs no more than reading), and it goes with the last
    // descriptor of this opening, not with any other descriptor of the file the process
    // closes, as a POSIX record lock would.
    struct flock whole = {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    while (::fcntl(writable->get(), F_OFD_SETLK, &whole) != 0) {
        const int lockError = errno;
        if (lockError == EINTR)
            continue;
        if (lockError == EAGAIN || lockError == EACCES)
            return failure(Fault::Locked, path, lockError);
        if (lockError == ENOLCK || lockError == EOPNOTSUPP || lockError == ENOSYS || lockError == EINVAL)
            return failure(Fault::CannotLock, path, lockError);
        return systemFailure(lockError, path);
    }
    m_fd = std::move(*writable);
    m_identity = *identity;
    return {};
}

bool editorHolds(int fd)
{
    struct flock probe = {};
    probe.l_type = F_RDLCK;
    probe.l_whence = SEEK_SET;
    // Asking needs no right to write: a reader learns of an editor without being one.
    return ::fcntl(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
}

} // namespace velmora
