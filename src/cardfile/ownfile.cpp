#include "ownfile.h"

#include "cardfile.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstdlib>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

Result<void> writeFailure(int error)
{
    const int e = error != 0 ? error : EIO;
    return failure(greekWriteReason(e), e);
}

QByteArray folderOf(const QByteArray &nativePath)
{
    const int slash = nativePath.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : nativePath.left(slash);
}

} // namespace

QString whyNotOurs(const QString &target)
{
    struct stat st = {};
    if (::lstat(QFile::encodeName(target).constData(), &st) != 0)
        return {};
    if (S_ISLNK(st.st_mode))
        return QStringLiteral("Στη θέση του «%1» υπάρχει συμβολικός σύνδεσμος· το πρόγραμμα δεν γράφει "
                              "μέσα από συνδέσμους.")
            .arg(target);
    if (st.st_uid != ::geteuid())
        return QStringLiteral("Το «%1» ανήκει σε άλλον χρήστη· το πρόγραμμα δεν γράφει σε αυτό.").arg(target);
    if (!S_ISREG(st.st_mode))
        return QStringLiteral("Το «%1» δεν είναι κανονικό αρχείο.").arg(target);
    return {};
}

Result<void> syncFolderOf(const QByteArray &nativePath)
{
    const FileDescriptor folder(::open(folderOf(nativePath).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (!folder)
        return writeFailure(errno);
    if (::fsync(folder.get()) != 0 && errno != EINVAL)
        return writeFailure(errno);
    return {};
}

Result<void> removeDurably(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    if (::unlink(native.constData()) != 0)
        return errno == ENOENT ? Result<void>() : writeFailure(errno);
    return syncFolderOf(native);
}

OwnFile::OwnFile(FileDescriptor fd, QByteArray temporary, QByteArray target)
    : m_fd(std::move(fd)), m_temporary(std::move(temporary)), m_target(std::move(target))
{
}

OwnFile::OwnFile(OwnFile &&other) noexcept
    : m_fd(std::move(other.m_fd)), m_temporary(std::exchange(other.m_temporary, QByteArray())),
      m_target(std::move(other.m_target))
{
}

OwnFile::~OwnFile()
{
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
}

Result<OwnFile> OwnFile::create(const QString &target, unsigned mode)
{
    if (const QString why = whyNotOurs(target); !why.isEmpty())
        return failure(why, EEXIST);
    const QByteArray native = QFile::encodeName(QFileInfo(target).absoluteFilePath());
    // Hidden, beside the target: a rename within one folder is atomic.
    const QByteArray folder = folderOf(native);
    QByteArray temporary = folder + "/." + native.mid(folder.size() + 1) + ".XXXXXX";
    // mkostemp creates with O_CREAT|O_EXCL: never through a link, never an existing file.
    FileDescriptor fd(::mkostemp(temporary.data(), O_CLOEXEC));
    if (!fd)
        return tl::unexpected(writeFailure(errno).error());
    OwnFile file(std::move(fd), temporary, native);
    if (::fchmod(file.fd(), mode & 07777) != 0)
        return tl::unexpected(writeFailure(errno).error());
    return file;
}

Result<void> OwnFile::writeAll(const char *data, qint64 size)
{
    for (qint64 done = 0; done < size;) {
        const ssize_t put = ::write(m_fd.get(), data + done, size_t(size - done));
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0)
            return writeFailure(put < 0 ? errno : EIO);
        done += put;
    }
    return {};
}

Result<void> OwnFile::commit()
{
    if (::fsync(m_fd.get()) != 0)
        return writeFailure(errno);
    if (::rename(m_temporary.constData(), m_target.constData()) != 0)
        return writeFailure(errno);
    m_temporary.clear();
    return syncFolderOf(m_target);
}

} // namespace velmora
