#include "filedescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

void FileDescriptor::reset(int fd)
{
    if (m_fd >= 0)
        ::close(m_fd);
    m_fd = fd;
}

namespace {

FileKind kindOf(mode_t mode)
{
    if (S_ISREG(mode))
        return FileKind::Regular;
    if (S_ISDIR(mode))
        return FileKind::Folder;
    if (S_ISFIFO(mode))
        return FileKind::Fifo;
    if (S_ISSOCK(mode))
        return FileKind::Socket;
    if (S_ISCHR(mode))
        return FileKind::CharDevice;
    if (S_ISBLK(mode))
        return FileKind::BlockDevice;
    return FileKind::Other;
}

} // namespace

tl::expected<FileDescriptor, OpenFailure> openRegularFile(const QByteArray &nativePath, int flags,
                                                          unsigned mode)
{
    FileDescriptor fd(::open(nativePath.constData(), flags | O_CLOEXEC | O_NONBLOCK, mode));
    if (!fd) {
        const int openError = errno;
        struct stat st = {};
        const FileKind kind =
            ::stat(nativePath.constData(), &st) == 0 ? kindOf(st.st_mode) : FileKind::Missing;
        // A socket cannot be opened at all: its kind says more than the system's code.
        if (kind != FileKind::Missing && kind != FileKind::Regular && kind != FileKind::Folder)
            return tl::unexpected(OpenFailure{0, kind});
        return tl::unexpected(OpenFailure{openError, kind});
    }
    struct stat st = {};
    if (::fstat(fd.get(), &st) != 0)
        return tl::unexpected(OpenFailure{errno, FileKind::Missing});
    if (const FileKind kind = kindOf(st.st_mode); kind != FileKind::Regular)
        return tl::unexpected(OpenFailure{kind == FileKind::Folder ? EISDIR : 0, kind});
    // A regular file never blocks; the flag goes so that nothing later depends on it.
    if (const int fl = ::fcntl(fd.get(), F_GETFL); fl != -1)
        ::fcntl(fd.get(), F_SETFL, fl & ~O_NONBLOCK);
    return fd;
}

} // namespace velmora
