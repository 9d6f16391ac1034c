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

void FileDescriptor::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
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
    FileDescriptor fd(systemCalls().openat(folder, path.constData(), flags | O_CLOEXEC | O_NONBLOCK, mode));
    if (!fd) {
        const int openError = errno;
        struct stat st = {};
        const int followed = (flags & O_NOFOLLOW) ? AT_SYMLINK_NOFOLLOW : 0;
        const FileKind kind = ::fstatat(folder, path.constData(), &st, followed) == 0 ? kindOfMode(st.st_mode)
                                                                                      : FileKind::Missing;
        // A socket cannot be opened at all: its kind says more than the system's code.
        const bool special = kind != FileKind::Missing && kind != FileKind::Regular &&
                             kind != FileKind::Folder && kind != FileKind::Link;
        if (special && openError != EEXIST)
            return failure(Failure{Fault::NotRegular, 0, named, kind});
        const bool link = kind == FileKind::Link && openError == ELOOP;
        return failure(Failure{link ? Fault::Link : Fault::System, openError, named, kind});
    }
    struct stat st = {};
    if (::fstat(fd.get(), &st) != 0)
        return systemFailure(errno, named);
    if (const FileKind kind = kindOfMode(st.st_mode); kind != FileKind::Regular)
        return failure(kind == FileKind::Folder ? Failure{Fault::System, EISDIR, named, kind}
                                                : Failure{Fault::NotRegular, 0, named, kind});
    // A regular file never blocks; the flag goes so that nothing later depends on it.
    if (const int fl = ::fcntl(fd.get(), F_GETFL); fl != -1)
        ::fcntl(fd.get(), F_SETFL, fl & ~O_NONBLOCK);
    return fd;
}

} // namespace velmora
