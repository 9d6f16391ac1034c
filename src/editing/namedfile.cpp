// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "namedfile.h"

#include "fileops.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace velmora {

namespace {

// A folder where someone else may put or replace names: a sticky one (/tmp) or one its
// group or everybody can write.
bool othersCanWrite(const struct stat &folder)
{
    return (folder.st_mode & (S_ISVTX | S_IWGRP | S_IWOTH)) != 0;
}

} // namespace

Result<FileDescriptor> openNamedFile(const QString &path, int flags, LastLink last)
{
    Result<OpenedParent> parent = openParent(path, last);
    if (!parent)
        return tl::unexpected(parent.error());
    Result<FileDescriptor> fd = openRegularFile(parent->name, flags | O_NOFOLLOW, 0, parent->folder.get());
    if (!fd)
        fd.error().path = path;
    return fd;
}

Result<void> NamedOutput::lookAt(const QString &path, std::optional<FileIdentity> input)
{
    release();
    m_path = path;
    m_status.reset();
    Result<OpenedParent> target = openParent(path, LastLink::Followed);
    if (!target)
        return tl::unexpected(target.error());
    m_resolved = target->resolved;
    struct stat folder = {};
    struct stat stored = {};
    if (::fstat(target->folder.get(), &folder) != 0)
        return systemFailure(errno, path);
    if (::fstatat(target->folder.get(), target->name.constData(), &stored, AT_SYMLINK_NOFOLLOW) != 0)
        return errno == ENOENT ? Result<void>() : systemFailure(errno, path);
    if (stored.st_uid != ::geteuid() && othersCanWrite(folder))
        return failure(Failure{Fault::SharedFolder, EPERM, path, kindOfMode(stored.st_mode)});
    if (input && *input == identityOf(stored))
        return failure(Fault::IsInput, path);
    if (S_ISDIR(stored.st_mode))
        return failure(Fault::System, path, EISDIR);
    m_status = stored;
    return {};
}

std::optional<mode_t> NamedOutput::keptMode() const
{
    return m_status ? std::optional(mode_t(m_status->st_mode & 07777)) : std::nullopt;
}

Result<void> NamedOutput::keepEditorsOut()
{
    if (!isRegularFile())
        return {};
    if (const Result<void> locked = m_lock.acquire(m_resolved); !locked && heldByAnother(locked.error()))
        return failure(Fault::Locked, m_path);
    return {};
}

} // namespace velmora
