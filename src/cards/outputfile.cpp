#include "outputfile.h"

#include <QFile>
#include <QRandomGenerator>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora::cards {

namespace {

// As many links in a row as the system itself follows.
constexpr int MaxLinks = 40;

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

QString kindOf(mode_t mode)
{
    if (S_ISFIFO(mode))
        return QStringLiteral("a FIFO");
    if (S_ISSOCK(mode))
        return QStringLiteral("a socket");
    if (S_ISCHR(mode))
        return QStringLiteral("a character device");
    if (S_ISBLK(mode))
        return QStringLiteral("a block device");
    return QStringLiteral("something else");
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    if (slash < 0)
        return QByteArrayLiteral(".");
    return slash == 0 ? QByteArrayLiteral("/") : path.left(slash);
}

// A folder where someone else may put or replace names: a sticky one (/tmp) or one its
// group or everybody can write.
bool othersCanWrite(const QByteArray &folder)
{
    struct stat st = {};
    if (::stat(folder.constData(), &st) != 0)
        return true; // unknown: assume the worst
    return (st.st_mode & (S_ISVTX | S_IWGRP | S_IWOTH)) != 0;
}

struct Target
{
    QByteArray path;
    std::optional<struct stat> status; // none when nothing stands there yet
};

// Follows the links at `path` that the user may write through.
Result<Target> resolve(const QString &given)
{
    QByteArray path = QFile::encodeName(given);
    for (int links = 0;; ++links) {
        struct stat st = {};
        if (::lstat(path.constData(), &st) != 0) {
            if (errno == ENOENT)
                return Target{path, std::nullopt};
            return failure(systemReason(errno), errno);
        }
        const QByteArray folder = folderOf(path);
        if (st.st_uid != ::geteuid() && othersCanWrite(folder)) {
            return failure(S_ISLNK(st.st_mode)
                               ? QStringLiteral("a link of another user in a folder others can "
                                                "write; not written through")
                               : QStringLiteral("a file of another user in a folder others can "
                                                "write; not replaced"),
                           EPERM);
        }
        if (!S_ISLNK(st.st_mode))
            return Target{path, st};
        if (links == MaxLinks)
            return failure(systemReason(ELOOP), ELOOP);
        QByteArray target(qsizetype(st.st_size > 0 ? st.st_size : PATH_MAX), '\0');
        const ssize_t length = ::readlink(path.constData(), target.data(), size_t(target.size()));
        if (length < 0)
            return failure(systemReason(errno), errno);
        target.truncate(length);
        path = target.startsWith('/') ? target : folder + '/' + target;
    }
}

} // namespace

std::optional<FileIdentity> identityOf(const QString &path)
{
    struct stat st = {};
    if (::stat(QFile::encodeName(path).constData(), &st) != 0)
        return std::nullopt;
    return FileIdentity{quint64(st.st_dev), quint64(st.st_ino)};
}

OutputFile::~OutputFile()
{
    discard();
}

void OutputFile::discard()
{
    m_fd.reset();
    if (!m_temporary.isEmpty())
        ::unlink(m_temporary.constData());
    m_temporary.clear();
    m_lock.release();
}

Result<void> OutputFile::open(const QString &path, Accept accept, std::optional<FileIdentity> input)
{
    discard();
    m_path = path;
    m_writeError = 0;
    const auto refused = [&path](const QString &why, int error = 0) {
        return failure(QStringLiteral("%1: %2").arg(path, why), error);
    };
    if (isStandardOutput()) {
        m_fd = FileDescriptor(::fcntl(STDOUT_FILENO, F_DUPFD_CLOEXEC, 0));
        if (!m_fd)
            return refused(systemReason(errno), errno);
        return {};
    }

    const Result<Target> target = resolve(path);
    if (!target)
        return refused(target.error().reason, target.error().error);
    m_final = target->path;
    if (const auto &st = target->status) {
        if (input && *input == FileIdentity{quint64(st->st_dev), quint64(st->st_ino)})
            return refused(QStringLiteral("is the file being read; write to another file"));
        if (S_ISDIR(st->st_mode))
            return refused(QStringLiteral("is a folder"), EISDIR);
        if (!S_ISREG(st->st_mode)) {
            if (accept == Accept::RegularFile)
                return refused(
                    QStringLiteral("not a regular file but %1; not replaced").arg(kindOf(st->st_mode)));
            // A device or a FIFO takes the stream as it comes, as a shell's redirection does.
            m_fd = FileDescriptor(::open(m_final.constData(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY));
            if (!m_fd)
                return refused(systemReason(errno), errno);
            return {};
        }
        // The editor's lock: while it is held, replacing the file would leave the editor
        // filing into a file no longer at the path.
        if (const Result<void> locked = m_lock.acquire(QFile::decodeName(m_final));
            !locked && heldByAnother(locked.error()))
            return refused(
                QStringLiteral("is being edited in Velmora; nothing is written while an editor has "
                               "it"),
                locked.error().error);
    }

    const QByteArray folder = folderOf(m_final);
    const QByteArray name = m_final.mid(m_final.lastIndexOf('/') + 1);
    // A file replaced keeps its permissions, as it would had it been written in place.
    const mode_t mode = target->status ? (target->status->st_mode & 07777) : 0666;
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray temporary =
            folder + "/." + name + '.' + QByteArray::number(QRandomGenerator::global()->generate(), 36);
        const int fd =
            ::open(temporary.constData(), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
        if (fd >= 0) {
            m_fd = FileDescriptor(fd);
            m_temporary = temporary;
            if (target->status)
                ::fchmod(fd, mode); // past the umask
            return {};
        }
        if (errno != EEXIST)
            return refused(systemReason(errno), errno);
    }
    return refused(systemReason(EEXIST), EEXIST);
}

void OutputFile::write(QByteArrayView bytes)
{
    const char *data = bytes.data();
    qsizetype left = bytes.size();
    while (m_writeError == 0 && m_fd && left > 0) {
        const ssize_t written = ::write(m_fd.get(), data, size_t(left));
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0) {
            m_writeError = written < 0 ? errno : EIO;
            break;
        }
        data += written;
        left -= written;
    }
}

Result<void> OutputFile::commit()
{
    const auto failed = [this](int error) {
        discard();
        return failure(QStringLiteral("%1: %2").arg(m_path, systemReason(error)), error);
    };
    if (!m_fd)
        return failed(EBADF);
    if (m_writeError != 0)
        return failed(m_writeError);
    if (m_temporary.isEmpty()) {
        m_fd.reset();
        return {};
    }
    if (::fsync(m_fd.get()) != 0)
        return failed(errno);
    // The rename replaces whatever stands at the name by now, a link included, never a
    // link's target.
    if (::rename(m_temporary.constData(), m_final.constData()) != 0)
        return failed(errno);
    m_temporary.clear();
    // Without the folder's sync a crash could leave the old file or none.
    FileDescriptor folder(::open(folderOf(m_final).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (folder)
        ::fsync(folder.get());
    discard();
    return {};
}

} // namespace velmora::cards
