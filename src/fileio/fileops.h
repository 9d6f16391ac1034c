// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "filedescriptor.h"

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

namespace velmora {

// The whole reads and writes, syncs and removals every layer uses. A call the system
// interrupts (EINTR) is taken up again here and nowhere else; whatever else fails is a
// Failure with the system's error number. Every change goes through systemCalls().

Result<struct stat> statusOf(int fd);
Result<FileIdentity> identityOf(int fd);
FileIdentity identityOf(const struct stat &st);
// What stands at `name` in the open folder `folder`, a link itself and not what it names
// (ENOENT when nothing does).
Result<struct stat> statusIn(int folder, const QByteArray &name);
// What `path` names, links followed: for a look, never for a file to be written through.
Result<struct stat> statusAt(const QString &path);

// Whether the file open at `fd` is still the one `path` names, the path looked at one
// folder at a time (pathwalk.h): Fault::Removed when nothing stands there any longer,
// Fault::Replaced when another file does. A file written through `fd` after it was moved
// away from its name would be lost to whoever looks there.
Result<void> stillAt(int fd, const QString &path);

// Up to `size` bytes from `offset` on: fewer only at the end of the file.
Result<qint64> readAt(int fd, qint64 offset, char *buffer, qint64 size);
// A small file whole, from its start; longer than `most` bytes is refused (EFBIG).
Result<QByteArray> readWhole(int fd, qint64 most);

// An existing file that cannot be replaced but only written into as it is (a device, a
// FIFO), opened for writing without following a link or taking a terminal.
Result<FileDescriptor> openForWriting(const QByteArray &path);

// Every byte, at the file's position or at `offset`; a call cut short goes on.
Result<void> writeAll(int fd, const char *data, qint64 size);
Result<void> writeAt(int fd, qint64 offset, const char *data, qint64 size);
Result<void> truncateTo(int fd, qint64 length);
Result<void> syncData(int fd); // the bytes and what reading them needs (fdatasync)
Result<void> syncAll(int fd);  // and every other attribute (fsync)

// Syncs a folder, so that what was created, renamed or removed in it survives a power cut.
// A file system that cannot sync folders (EINVAL) is not a failure.
Result<void> syncFolder(int folderFd, const QString &pathForFailure);
Result<void> syncFolderOf(const QString &path);

QByteArray folderOf(const QByteArray &path);
// The absolute path of the folder that holds `path`.
QString folderOf(const QString &path);
QByteArray nameOf(const QByteArray &path);
// Opens the folder that holds `path`, for the calls made relative to it.
Result<FileDescriptor> openFolderOf(const QString &path);

// Removes the file at `path` only when it is still `expected`, the file the caller opened
// or made, and syncs the folder: a file put at the name meanwhile by someone else stays,
// and a file already gone is Fault::Removed, since someone else took it.
Result<void> removeFile(const QString &path, FileIdentity expected);
// Removes a file of the program's own by name, a regular file of the user's and nothing
// else, and syncs the folder; a file already gone is no failure.
Result<void> removeOwnFile(const QString &path);

// Renames `from` over `to` in the same folder and syncs the folder; a missing `from` is no
// failure and changes nothing.
Result<void> renameDurably(const QString &from, const QString &to);

// Creates `path` and the folders missing above it with `mode`, each on the medium (its
// folder synced) before the next is made in it.
Result<void> makeFolders(const QString &path, mode_t mode = 0700);
// A folder where the program keeps files of its own (its data folder): made, with the
// folders missing above it, for the user alone; refused when it is another user's, when
// others can write into it, or when others could put another folder in its place.
Result<void> makeOwnFolder(const QString &path);
// The same refusals of a folder that must already be there.
Result<void> checkOwnFolder(const QString &path);

} // namespace velmora
