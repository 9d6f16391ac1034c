// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "localfilesystem.h"

#include "fileops.h"
#include "trust.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace velmora {

bool LocalFileSystem::exists(const QString &path)
{
    return QFileInfo::exists(path);
}

Result<void> LocalFileSystem::createFolder(const QString &path)
{
    // "C:\Program Files" stands for the user's data folder, whose parents a fresh account
    // may not have yet (~/.local): the folder is made with them, for the user alone.
    return makeOwnFolder(path);
}

Result<void> LocalFileSystem::removeFile(const QString &path)
{
    return removeOwnFile(path);
}

namespace {

// Opens the user's own regular file at `path`, with one name, never through a link: what
// is written through this descriptor reaches that file and no other.
Result<FileDescriptor> openOwnFile(const QString &path, int flags)
{
    Result<FileDescriptor> opened =
        openRegularFile(QFile::encodeName(path), O_WRONLY | O_CREAT | O_NOFOLLOW | flags, 0666);
    if (!opened)
        return opened;
    const Result<struct stat> st = statusOf(opened->get());
    if (!st)
        return systemFailure(st.error().error, path);
    if (!ownedByUser(*st))
        return failure(Fault::NotOwn, path);
    // Another name of the file, made by whoever could write the folder, would take the
    // page into whatever file it is: the card file itself, say.
    if (st->st_nlink > 1)
        return failure(Fault::TooManyLinks, path);
    return opened;
}

} // namespace

Result<void> LocalFileSystem::createEmpty(const QString &path)
{
    // Once an exploration: its folder must be the user's alone, or another user could have
    // put any file of the user's under the export file's name.
    if (Result<void> folder = checkOwnFolder(folderOf(path)); !folder)
        return folder;
    const Result<FileDescriptor> fd = openOwnFile(path, 0);
    if (!fd)
        return tl::unexpected(fd.error());
    // Emptied only through the descriptor that was checked.
    return truncateTo(fd->get(), 0);
}

Result<void> LocalFileSystem::appendLines(const QString &path, const QList<QByteArray> &lines)
{
    QByteArray all;
    for (const QByteArray &line : lines)
        all += line + "\r\n";
    const Result<FileDescriptor> fd = openOwnFile(path, O_APPEND);
    if (!fd)
        return tl::unexpected(fd.error());
    return writeAll(fd->get(), all.constData(), all.size());
}

} // namespace velmora
