// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "fileops.h"

#include "pathwalk.h"
#include "systemcalls.h"
#include "trust.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <optional>
#include <unistd.h>

namespace velmora {

namespace {

// One loop for every call that may be interrupted or cut short.
template<typename Call> Result<qint64> wholly(qint64 size, Call call, bool stopAtEnd)
{
    qint64 done = 0;
    while (done < size) {
        const ssize_t n = call(done);
        if (n < 0 && errno == EINTR)
            continue;
        if (n < 0)
            return systemFailure(errno);
        if (n == 0) {
            if (stopAtEnd)
                break;
            return systemFailure(EIO); // a write that takes nothing and says nothing
        }
        done += n;
    }
    return done;
}

template<typename Call> Result<void> retried(Call call)
{
    while (call() != 0) {
        if (errno != EINTR)
            return systemFailure(errno);
    }
    return {};
}

} // namespace

Result<struct stat> statusOf(int fd)
{
    struct stat st = {};
    if (systemCalls().fstat(fd, &st) != 0)
        return systemFailure(errno);
    return st;
}

Result<struct stat> statusIn(int folder, const QByteArray &name)
{
    struct stat st = {};
    if (systemCalls().fstatat(folder, name.constData(), &st, AT_SYMLINK_NOFOLLOW) != 0)
        return systemFailure(errno);
    return st;
}

Result<struct stat> statusAt(const QString &path)
{
    struct stat st = {};
    if (systemCalls().fstatat(AT_FDCWD, QFile::encodeName(path).constData(), &st, 0) != 0)
        return systemFailure(errno, path);
    return st;
}

namespace {

// The file at `name` in the walk's folder, when it is still `expected`.
Result<struct stat> expectedIn(const OpenedParent &parent, FileIdentity expected, const QString &path)
{
    Result<struct stat> st = statusIn(parent.folder.get(), parent.name);
    if (!st)
        return st.error().error == ENOENT ? failure(Fault::Removed, path)
                                          : systemFailure(st.error().error, path);
    if (identityOf(*st) != expected)
        return failure(Fault::Replaced, path);
    return st;
}

} // namespace

Result<void> stillAt(int fd, const QString &path)
{
    const Result<FileIdentity> opened = identityOf(fd);
    if (!opened)
        return systemFailure(opened.error().error, path);
    const Result<OpenedParent> parent = openParent(path, LastLink::Followed);
    if (!parent) {
        const int error = parent.error().fault == Fault::System ? parent.error().error : 0;
        return error == ENOENT || error == ENOTDIR ? failure(Fault::Removed, path)
                                                   : tl::unexpected(parent.error());
    }
    const Result<struct stat> there = expectedIn(*parent, *opened, path);
    return there ? Result<void>() : tl::unexpected(there.error());
}

FileIdentity identityOf(const struct stat &st)
{
    return {quint64(st.st_dev), quint64(st.st_ino)};
}

Result<FileIdentity> identityOf(int fd)
{
    return statusOf(fd).map([](const struct stat &st) { return identityOf(st); });
}

Result<qint64> readAt(int fd, qint64 offset, char *buffer, qint64 size)
{
    return wholly(
        size,
        [&](qint64 done) {
            return systemCalls().pread(fd, buffer + done, size_t(size - done), off_t(offset + done));
        },
        true);
}

Result<QByteArray> readWhole(int fd, qint64 most)
{
    QByteArray bytes(most + 1, Qt::Uninitialized);
    const Result<qint64> got = readAt(fd, 0, bytes.data(), bytes.size());
    if (!got)
        return tl::unexpected(got.error());
    if (*got > most)
        return systemFailure(EFBIG);
    bytes.truncate(*got);
    return bytes;
}

Result<FileDescriptor> openForWriting(const QByteArray &path)
{
    return openAt(AT_FDCWD, path.constData(), O_WRONLY | O_NOFOLLOW | O_CLOEXEC | O_NOCTTY, 0,
                  QFile::decodeName(path));
}

Result<void> writeAll(int fd, const char *data, qint64 size)
{
    const Result<qint64> written = wholly(
        size, [&](qint64 done) { return systemCalls().write(fd, data + done, size_t(size - done)); }, false);
    return written ? Result<void>() : tl::unexpected(written.error());
}

Result<void> writeAt(int fd, qint64 offset, const char *data, qint64 size)
{
    const Result<qint64> written = wholly(
        size,
        [&](qint64 done) {
            return systemCalls().pwrite(fd, data + done, size_t(size - done), off_t(offset + done));
        },
        false);
    return written ? Result<void>() : tl::unexpected(written.error());
}

Result<void> truncateTo(int fd, qint64 length)
{
    return retried([&] { return systemCalls().ftruncate(fd, off_t(length)); });
}

Result<void> syncData(int fd)
{
    return retried([&] { return systemCalls().fdatasync(fd); });
}

Result<void> syncAll(int fd)
{
    return retried([&] { return systemCalls().fsync(fd); });
}

Result<void> syncFolder(int folderFd, const QString &pathForFailure)
{
    Result<void> synced = syncAll(folderFd);
    if (!synced && synced.error().error == EINVAL)
        return {};
    if (!synced)
        synced.error().path = pathForFailure;
    return synced;
}

QByteArray folderOf(const QByteArray &path)
{
    const qsizetype slash = path.lastIndexOf('/');
    return slash < 0 ? QByteArray(".") : slash == 0 ? QByteArray("/") : path.left(slash);
}

QByteArray nameOf(const QByteArray &path)
{
    return path.mid(path.lastIndexOf('/') + 1);
}

QString folderOf(const QString &path)
{
    return QFileInfo(path).absolutePath();
}

Result<FileDescriptor> openFolderOf(const QString &path)
{
    const QByteArray folder = folderOf(QFile::encodeName(path));
    return openAt(AT_FDCWD, folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0,
                  QFile::decodeName(folder));
}

Result<void> syncFolderOf(const QString &path)
{
    const Result<FileDescriptor> folder = openFolderOf(path);
    if (!folder)
        return tl::unexpected(folder.error());
    return syncFolder(folder->get(), path);
}

namespace {

// Removes the name the walk arrived at and syncs its folder: what was there is gone.
Result<void> removeName(const OpenedParent &parent, const QString &path)
{
    if (systemCalls().unlinkat(parent.folder.get(), parent.name.constData(), 0) != 0 && errno != ENOENT)
        return systemFailure(errno, path);
    return syncFolder(parent.folder.get(), path);
}

} // namespace

Result<void> removeFile(const QString &path, FileIdentity expected)
{
    const Result<OpenedParent> parent = openParent(path);
    if (!parent)
        return tl::unexpected(parent.error());
    if (const Result<struct stat> there = expectedIn(*parent, expected, path); !there)
        return tl::unexpected(there.error());
    return removeName(*parent, path);
}

Result<void> removeOwnFile(const QString &path)
{
    const Result<OpenedParent> parent = openParent(path);
    if (!parent)
        return parent.error().error == ENOENT ? Result<void>() : tl::unexpected(parent.error());
    const Result<struct stat> st = statusIn(parent->folder.get(), parent->name);
    if (!st)
        return st.error().error == ENOENT ? Result<void>() : systemFailure(st.error().error, path);
    if (!S_ISREG(st->st_mode))
        return failure(Failure{Fault::NotRegular, 0, path, kindOfMode(st->st_mode)});
    if (!ownedByUser(*st))
        return failure(Fault::NotOwn, path);
    return removeName(*parent, path);
}

Result<void> renameDurably(const QString &from, const QString &to)
{
    const Result<FileDescriptor> folder = openFolderOf(to);
    if (!folder)
        return tl::unexpected(folder.error());
    if (systemCalls().renameat(folder->get(), nameOf(QFile::encodeName(from)).constData(), folder->get(),
                               nameOf(QFile::encodeName(to)).constData()) != 0)
        return errno == ENOENT ? Result<void>() : systemFailure(errno, to);
    return syncFolder(folder->get(), to);
}

Result<void> makeFolders(const QString &path, mode_t mode)
{
    const QByteArray native = QFile::encodeName(QFileInfo(path).absoluteFilePath());
    for (qsizetype at = 1; at <= native.size(); ++at) {
        if (at != native.size() && native.at(at) != '/')
            continue;
        // Each step judged as the walk judges it; no folder is made at the end of a link.
        const Result<OpenedParent> parent = openParent(QFile::decodeName(native.left(at)));
        if (!parent)
            return tl::unexpected(parent.error());
        if (parent->name == ".")
            continue;
        if (systemCalls().mkdirat(parent->folder.get(), parent->name.constData(), mode) == 0) {
            // A folder made is an entry in the one above it: a journal synced into the new
            // folder is lost with it at a power cut unless that entry is on the medium too.
            if (Result<void> synced = syncFolder(parent->folder.get(), parent->resolved); !synced)
                return synced;
        } else if (errno != EEXIST) {
            return systemFailure(errno, parent->resolved);
        }
    }
    const Result<struct stat> st = statusAt(QFile::decodeName(native));
    if (!st)
        return systemFailure(st.error().error, path);
    if (!S_ISDIR(st->st_mode))
        return systemFailure(ENOTDIR, path);
    return {};
}

Result<void> makeOwnFolder(const QString &path)
{
    if (Result<void> made = makeFolders(path, 0700); !made)
        return made;
    return checkOwnFolder(path);
}

Result<void> checkOwnFolder(const QString &path)
{
    const Result<OpenedParent> parent = openParent(path, LastLink::Followed);
    if (!parent)
        return tl::unexpected(parent.error());
    const Result<struct stat> holder = statusOf(parent->folder.get());
    const Result<struct stat> own = holder ? statusIn(parent->folder.get(), parent->name) : holder;
    if (!own)
        return systemFailure(own.error().error, path);
    if (!S_ISDIR(own->st_mode))
        return systemFailure(ENOTDIR, path);
    if (const std::optional<Fault> why = whyNotOwnFolder(*own))
        return failure(Failure{*why, 0, path, FileKind::Folder});
    // Whoever may rename names in the folder above may put another folder in its place.
    if (!isSteadyFolder(*holder))
        return failure(Failure{Fault::OthersCanWrite, 0, folderOf(parent->resolved), FileKind::Folder});
    return {};
}

} // namespace velmora
