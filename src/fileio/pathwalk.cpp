// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pathwalk.h"

#include "systemcalls.h"
#include "trust.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <climits>
#include <deque>
#include <fcntl.h>
#include <unistd.h>

namespace velmora {

namespace {

// As many links in a row as the system itself follows.
constexpr int MostLinks = 40;

void prependComponents(std::deque<QByteArray> &rest, const QByteArray &path)
{
    const QList<QByteArray> parts = path.split('/');
    for (auto part = parts.crbegin(); part != parts.crend(); ++part)
        if (!part->isEmpty() && *part != ".")
            rest.push_front(*part);
}

// A folder on the way: only passed through, so it need not be readable.
Result<FileDescriptor> openFolder(int at, const char *name, const QString &path)
{
    return openAt(at, name, O_PATH | O_DIRECTORY | O_NOFOLLOW | O_CLOEXEC, 0, path);
}

// The folder the caller works in: open for reading, so that it can be synced, where the
// user may read it.
OpenedParent arrived(FileDescriptor folder, QByteArray name, const QByteArray &resolved)
{
    Result<FileDescriptor> readable =
        openAt(folder.get(), ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0, QString());
    return OpenedParent{readable ? std::move(*readable) : std::move(folder), std::move(name),
                        QFile::decodeName(resolved)};
}

} // namespace

Result<OpenedParent> openParent(const QString &path, LastLink last)
{
    QByteArray native = QFile::encodeName(path);
    if (!native.startsWith('/'))
        native = QFile::encodeName(QDir::currentPath()) + '/' + native;
    std::deque<QByteArray> rest;
    prependComponents(rest, native);
    Result<FileDescriptor> folder = openFolder(AT_FDCWD, "/", path);
    QByteArray resolved;
    for (int links = 0; folder;) {
        struct stat folderStatus = {};
        if (systemCalls().fstat(folder->get(), &folderStatus) != 0)
            return systemFailure(errno, path);
        if (rest.empty()) // the root itself, or a path ending in ".."
            return arrived(std::move(*folder), QByteArray("."), resolved + '/');
        const QByteArray name = rest.front();
        rest.pop_front();
        if (name == "..") {
            folder = openFolder(folder->get(), "..", path);
            resolved.truncate(std::max<qsizetype>(0, resolved.lastIndexOf('/')));
            continue;
        }
        struct stat st = {};
        const bool exists =
            systemCalls().fstatat(folder->get(), name.constData(), &st, AT_SYMLINK_NOFOLLOW) == 0;
        if (!exists && errno != ENOENT)
            return systemFailure(errno, path);
        const bool isLast = rest.empty();
        if (exists && S_ISLNK(st.st_mode) && (!isLast || last == LastLink::Followed)) {
            const QString link = QFile::decodeName(resolved + '/' + name);
            if (!mayFollowLink(st, folderStatus))
                return failure(Failure{Fault::SharedFolder, 0, link, FileKind::Link});
            if (++links > MostLinks)
                return systemFailure(ELOOP, path);
            QByteArray target(PATH_MAX, '\0');
            const ssize_t length = systemCalls().readlinkat(folder->get(), name.constData(), target.data(),
                                                            size_t(target.size()));
            if (length < 0)
                return systemFailure(errno, path);
            target.truncate(length);
            prependComponents(rest, target);
            if (target.startsWith('/')) {
                folder = openFolder(AT_FDCWD, "/", path);
                resolved.clear();
            }
            continue;
        }
        if (isLast)
            return arrived(std::move(*folder), name, resolved + '/' + name);
        if (!exists)
            return systemFailure(ENOENT, path);
        if (!S_ISDIR(st.st_mode))
            return systemFailure(ENOTDIR, path);
        folder = openFolder(folder->get(), name.constData(), path);
        resolved += '/' + name;
    }
    return tl::unexpected(folder.error());
}

} // namespace velmora
