// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filelock.h"

#include "fileops.h"
#include "pathwalk.h"
#include "programfiles.h"
#include "systemcalls.h"
#include "trust.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace velmora {

namespace {

// The moment between the maker's link of a new lock file and the removal of its temporary
// name, when the file has two names.
constexpr int LinkSettleTries = 50;
constexpr useconds_t LinkSettleMicroseconds = 1000;

std::optional<Fault> whyNotLockFile(const struct stat &lock, const struct stat &guarded)
{
    if (lock.st_nlink != 1)
        return Fault::TooManyLinks;
    if (!mayWrite(lock.st_uid, guarded))
        return Fault::StrangersLock;
    const bool groupMay = lock.st_gid == guarded.st_gid && (guarded.st_mode & S_IWGRP) != 0;
    if ((lock.st_mode & (S_IRGRP | S_IWGRP)) != 0 && !groupMay)
        return Fault::OpenLock;
    if ((lock.st_mode & (S_IROTH | S_IWOTH)) != 0 && (guarded.st_mode & S_IWOTH) == 0)
        return Fault::OpenLock;
    return std::nullopt;
}

// Names whoever owns what stands at the name, for a refusal of it.
Failure refusal(Failure why, int folder, const QByteArray &name, const QString &path)
{
    why.path = path;
    if (const Result<struct stat> standing = statusIn(folder, name); standing)
        why.owner = userName(standing->st_uid);
    return why;
}

Result<FileDescriptor> judged(FileDescriptor fd, const struct stat &guarded, const QString &path)
{
    Result<struct stat> st = statusOf(fd.get());
    for (int tries = 0; st && st->st_nlink == 2 && tries < LinkSettleTries; ++tries) {
        ::usleep(LinkSettleMicroseconds);
        st = statusOf(fd.get());
    }
    if (!st)
        return systemFailure(st.error().error, path);
    if (const std::optional<Fault> why = whyNotLockFile(*st, guarded)) {
        Failure refused{*why, 0, path, FileKind::Regular};
        refused.owner = userName(st->st_uid);
        return failure(std::move(refused));
    }
    return fd;
}

// A new lock file at `name`, whole before it has that name; none when another got there
// first.
Result<std::optional<FileDescriptor>> makeLockFile(int folder, const QByteArray &name,
                                                   const struct stat &guarded, const QString &path)
{
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray temporary = nameOf(QFile::encodeName(temporaryNameFor(path)));
        Result<FileDescriptor> fd = openAt(folder, temporary.constData(),
                                           O_RDWR | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600, path);
        if (!fd && fd.error().fault == Fault::System && fd.error().error == EEXIST)
            continue;
        if (!fd) {
            if (fd.error().fault == Fault::StandardStream) // made, then refused its number
                systemCalls().unlinkat(folder, temporary.constData(), 0);
            return tl::unexpected(fd.error());
        }
        // Its group and its bits before it has its name: whoever finds it there finds it as
        // it stays.
        Result<void> ready;
        const Result<struct stat> st = statusOf(fd->get());
        if (!st)
            ready = systemFailure(st.error().error, path);
        else if (st->st_gid != guarded.st_gid &&
                 systemCalls().fchown(fd->get(), uid_t(-1), guarded.st_gid) != 0)
            ready = systemFailure(errno, path);
        if (ready && systemCalls().fchmod(fd->get(), lockFileMode(guarded)) != 0)
            ready = systemFailure(errno, path);
        int linkError = 0;
        if (ready && systemCalls().linkat(folder, temporary.constData(), folder, name.constData(), 0) != 0)
            linkError = errno;
        systemCalls().unlinkat(folder, temporary.constData(), 0);
        if (!ready)
            return tl::unexpected(ready.error());
        if (linkError == EEXIST)
            return std::optional<FileDescriptor>();
        if (linkError != 0)
            return systemFailure(linkError, path);
        return std::optional(std::move(*fd));
    }
    return systemFailure(EEXIST, path);
}

Result<FileDescriptor> openLockFileFor(const QString &path, const struct stat &guarded, int flags,
                                       MissingLockFile missing)
{
    Result<OpenedParent> parent = openParent(path);
    if (!parent)
        return tl::unexpected(parent.error());
    const int folder = parent->folder.get();
    // Twice at most: once more after another who made it first.
    for (int round = 0; round < 2; ++round) {
        Result<FileDescriptor> fd = openRegularFile(parent->name, flags | O_NOFOLLOW, 0, folder);
        if (fd)
            return judged(std::move(*fd), guarded, path);
        const bool missingOne = fd.error().fault == Fault::System && fd.error().error == ENOENT;
        if (!missingOne || missing == MissingLockFile::Left)
            return failure(refusal(fd.error(), folder, parent->name, path));
        Result<std::optional<FileDescriptor>> made = makeLockFile(folder, parent->name, guarded, path);
        if (!made)
            return tl::unexpected(made.error());
        if (*made)
            return judged(std::move(**made), guarded, path);
    }
    return systemFailure(EEXIST, path);
}

} // namespace

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

Result<FileDescriptor> openLockFile(const QString &path, const struct stat &guarded, MissingLockFile missing)
{
    return openLockFileFor(path, guarded, O_RDWR, missing);
}

Result<FileDescriptor> openLockFileToProbe(const QString &path, const struct stat &guarded)
{
    return openLockFileFor(path, guarded, O_RDONLY, MissingLockFile::Left);
}

mode_t lockFileMode(const struct stat &guarded)
{
    mode_t mode = S_IRUSR | S_IWUSR;
    if (guarded.st_mode & S_IWGRP)
        mode |= S_IRGRP | S_IWGRP;
    if (guarded.st_mode & S_IWOTH)
        mode |= S_IROTH | S_IWOTH;
    return mode;
}

} // namespace velmora
