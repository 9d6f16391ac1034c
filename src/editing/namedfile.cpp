// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "namedfile.h"

#include "fileops.h"
#include "trust.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

namespace velmora {

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
    const Result<struct stat> folder = statusOf(target->folder.get());
    if (!folder)
        return systemFailure(folder.error().error, path);
    const Result<struct stat> stored = statusIn(target->folder.get(), target->name);
    if (!stored)
        return stored.error().error == ENOENT ? Result<void>() : systemFailure(stored.error().error, path);
    // Whoever could add names to the folder could have put it there for the user to write
    // into.
    if (!ownedByUser(*stored) && othersMayAddNames(*folder))
        return failure(Failure{Fault::SharedFolder, EPERM, path, kindOfMode(stored->st_mode)});
    if (input && *input == identityOf(*stored))
        return failure(Fault::IsInput, path);
    if (S_ISDIR(stored->st_mode))
        return failure(Fault::System, path, EISDIR);
    m_status = *stored;
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

Result<AtomicFile> NamedOutput::createReplacement() const
{
    Result<AtomicFile> file = AtomicFile::create(m_resolved, keptMode(), AtomicFile::Replacing::Anything);
    if (!file)
        file.error().path = m_path;
    return file;
}

} // namespace velmora
