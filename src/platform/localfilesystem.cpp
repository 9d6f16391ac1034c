#include "localfilesystem.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include "cardfile.h"
#include "filedescriptor.h"

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

bool LocalFileSystem::exists(const QString &path)
{
    return QFileInfo::exists(path);
}

bool LocalFileSystem::createFolder(const QString &path)
{
    // "C:\Program Files" stands for the user's data folder, whose parents a fresh account
    // may not have yet (~/.local): the folder is made with them.
    return QDir().mkpath(path);
}

bool LocalFileSystem::removeFile(const QString &path)
{
    return QFile::remove(path) || !QFileInfo::exists(path);
}

namespace {

// Opens the user's own regular file at `path`, never through a link.
Result<FileDescriptor> openOwnFile(const QString &path, int flags)
{
    auto opened = openRegularFile(QFile::encodeName(path), O_WRONLY | O_CREAT | O_NOFOLLOW | flags, 0666);
    if (!opened) {
        // O_NOFOLLOW refuses a link with ELOOP, which means nothing to the user.
        if (opened.error().error == ELOOP)
            return failure(QStringLiteral("στη θέση του αρχείου βρίσκεται σύνδεσμος (symbolic link)"), ELOOP);
        return failure(openFailureReason(opened.error()), opened.error().error);
    }
    struct stat st = {};
    if (::fstat(opened->get(), &st) != 0)
        return failure(greekReason(errno), errno);
    if (st.st_uid != ::geteuid())
        return failure(QStringLiteral("το αρχείο ανήκει σε άλλον χρήστη"), EPERM);
    return std::move(*opened);
}

} // namespace

Result<void> LocalFileSystem::createEmpty(const QString &path)
{
    const Result<FileDescriptor> fd = openOwnFile(path, 0);
    if (!fd)
        return tl::unexpected(fd.error());
    // Emptied only once it is known to be the user's own file.
    if (::ftruncate(fd->get(), 0) != 0)
        return failure(greekWriteReason(errno), errno);
    return {};
}

Result<void> LocalFileSystem::appendLines(const QString &path, const QList<QByteArray> &lines)
{
    QByteArray all;
    for (const QByteArray &line : lines)
        all += line + "\r\n";
    const Result<FileDescriptor> fd = openOwnFile(path, O_APPEND);
    if (!fd)
        return tl::unexpected(fd.error());
    for (qsizetype written = 0; written < all.size();) {
        const ssize_t n = ::write(fd->get(), all.constData() + written, size_t(all.size() - written));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0)
            return failure(greekWriteReason(n < 0 ? errno : EIO), n < 0 ? errno : EIO);
        written += n;
    }
    return {};
}

} // namespace velmora
