// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filelock.h"

#include "systemcalls.h"

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace velmora {

Result<void> lockWholeFile(int fd, const QString &path)
{
    struct flock whole = {};
    whole.l_type = F_WRLCK;
    whole.l_whence = SEEK_SET;
    while (systemCalls().fcntlLock(fd, F_OFD_SETLK, &whole) != 0) {
        const int lockError = errno;
        if (lockError == EINTR)
            continue;
        if (lockError == EAGAIN || lockError == EACCES)
            return failure(Fault::Locked, path, lockError);
        if (lockError == ENOLCK || lockError == EOPNOTSUPP || lockError == ENOSYS || lockError == EINVAL)
            return failure(Fault::CannotLock, path, lockError);
        return systemFailure(lockError, path);
    }
    return {};
}

bool lockedByAnother(int fd)
{
    struct flock probe = {};
    probe.l_type = F_RDLCK;
    probe.l_whence = SEEK_SET;
    // Asking needs no right to write: a reader learns of a writer without being one.
    return systemCalls().fcntlLock(fd, F_OFD_GETLK, &probe) == 0 && probe.l_type != F_UNLCK;
}

} // namespace velmora
