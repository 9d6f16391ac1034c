// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filedescriptor.h"

#include "systemcalls.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace velmora {

namespace {

constexpr int FirstAfterStandardStreams = 3;

} // namespace

void FileDescriptor::reset(int fd)
{
    if (m_fd >= 0)
        systemCalls().close(m_fd);
    m_fd = fd;
}

Result<FileDescriptor> openAt(int folder, const char *name, int flags, mode_t mode, const QString &path)
{
    FileDescriptor fd(systemCalls().openat(folder, name, flags, mode));
    if (!fd)
        return systemFailure(errno, path);
    if (fd.get() < FirstAfterStandardStreams)
        return failure(Fault::StandardStream, path);
    return fd;
}

Result<FileDescriptor> duplicated(int fd)
{
    FileDescriptor copy(systemCalls().fcntlValue(fd, F_DUPFD_CLOEXEC, FirstAfterStandardStreams));
    if (!copy)
        return systemFailure(errno);
    return copy;
}

Result<void> openStandardStreams()
{
    // The lowest free number is the one given: each opening fills the first closed stream,
    // and the first that lands above them all was not needed.
    for (;;) {
        const int fd = systemCalls().openat(AT_FDCWD, "/dev/null", O_RDWR, 0);
        if (fd < 0)
            return systemFailure(errno, QStringLiteral("/dev/null"));
        if (fd >= FirstAfterStandardStreams) {
            systemCalls().close(fd);
            return {};
        }
    }
}

FileKind kindOfMode(mode_t mode)
{
    static constexpr std::pair<mode_t, FileKind> Kinds[] = {
        {S_IFREG, FileKind::Regular},     {S_IFDIR, FileKind::Folder},  {S_IFLNK, FileKind::Link},
        {S_IFIFO, FileKind::Fifo},        {S_IFSOCK, FileKind::Socket}, {S_IFCHR, FileKind::CharDevice},
        {S_IFBLK, FileKind::BlockDevice},
    };
    for (const auto &[bits, kind] : Kinds)
        if ((mode & S_IFMT) == bits)
            return kind;
    return FileKind::Other;
}

Result<FileDescriptor> openRegularFile(const QByteArray &path, int flags, mode_t mode, int folder)
{
    const QString named = QFile::decodeName(path);
    Result<FileDescriptor> opened =
        openAt(folder, path.constData(), flags | O_CLOEXEC | O_NONBLOCK, mode, named);
    if (!opened && opened.error().fault != Fault::System)
        return opened;
    if (!opened) {
        const int openError = opened.error().error;
        struct stat st = {};
        const int followed = (flags & O_NOFOLLOW) ? AT_SYMLINK_NOFOLLOW : 0;
        const FileKind kind = systemCalls().fstatat(folder, path.constData(), &st, followed) == 0
                                  ? kindOfMode(st.st_mode)
                                  : FileKind::Missing;
        // A socket cannot be opened at all: its kind says more than the system's code.
        const bool special = kind != FileKind::Missing && kind != FileKind::Regular &&
                             kind != FileKind::Folder && kind != FileKind::Link;
        if (special && openError != EEXIST)
            return failure(Failure{Fault::NotRegular, 0, named, kind});
        const bool link = kind == FileKind::Link && openError == ELOOP;
        return failure(Failure{link ? Fault::Link : Fault::System, openError, named, kind});
    }
    FileDescriptor &fd = *opened;
    struct stat st = {};
    if (systemCalls().fstat(fd.get(), &st) != 0)
        return systemFailure(errno, named);
    if (const FileKind kind = kindOfMode(st.st_mode); kind != FileKind::Regular)
        return failure(kind == FileKind::Folder ? Failure{Fault::System, EISDIR, named, kind}
                                                : Failure{Fault::NotRegular, 0, named, kind});
    // A regular file never blocks; the flag goes so that nothing later depends on it.
    if (const int fl = systemCalls().fcntlValue(fd.get(), F_GETFL, 0); fl != -1)
        systemCalls().fcntlValue(fd.get(), F_SETFL, fl & ~O_NONBLOCK);
    return opened;
}

} // namespace velmora
