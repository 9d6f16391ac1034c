// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "atomicfile.h"

#include "fileops.h"
#include "pathwalk.h"
#include "programfiles.h"
#include "systemcalls.h"
#include "trust.h"

#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

std::optional<Failure> whyNotOwnFileIn(int folder, const QByteArray &name, const QString &target)
{
    const Result<struct stat> st = statusIn(folder, name);
    if (!st)
        return std::nullopt;
    if (S_ISLNK(st->st_mode))
        return Failure{Fault::Link, 0, target, FileKind::Link};
    if (!ownedByUser(*st))
        return Failure{Fault::NotOwn, 0, target, kindOfMode(st->st_mode)};
    if (!S_ISREG(st->st_mode))
        return Failure{Fault::NotRegular, 0, target, kindOfMode(st->st_mode)};
    return std::nullopt;
}

} // namespace

std::optional<Failure> whyNotOwnFile(const QString &target)
{
    Result<OpenedParent> parent = openParent(target);
    if (!parent)
        return parent.error().error == ENOENT ? std::nullopt : std::optional(parent.error());
    return whyNotOwnFileIn(parent->folder.get(), parent->name, target);
}

AtomicFile::AtomicFile(FileDescriptor folder, FileDescriptor fd, QByteArray temporaryName, QString target,
                       FileIdentity identity)
    : m_folder(std::move(folder)), m_fd(std::move(fd)), m_temporaryName(std::move(temporaryName)),
      m_target(std::move(target)), m_identity(identity)
{
}

AtomicFile::AtomicFile(AtomicFile &&other) noexcept
    : m_folder(std::move(other.m_folder)), m_fd(std::move(other.m_fd)),
      m_temporaryName(std::exchange(other.m_temporaryName, QByteArray())),
      m_target(std::move(other.m_target)), m_finalName(std::move(other.m_finalName)),
      m_identity(other.m_identity), m_synced(other.m_synced)
{
}

AtomicFile::~AtomicFile()
{
    discard();
}

void AtomicFile::discard()
{
    m_fd.reset();
    if (!m_temporaryName.isEmpty())
        systemCalls().unlinkat(m_folder.get(), m_temporaryName.constData(), 0);
    m_temporaryName.clear();
}

Result<AtomicFile> AtomicFile::create(const QString &target, std::optional<mode_t> mode, Replacing replacing)
{
    const QString absolute = QFileInfo(target).absoluteFilePath();
    Result<OpenedParent> parent = openParent(absolute);
    if (!parent) {
        if (parent.error().fault == Fault::System)
            parent.error().path = absolute;
        return tl::unexpected(parent.error());
    }
    if (replacing == Replacing::OwnFileOnly)
        if (std::optional<Failure> why = whyNotOwnFileIn(parent->folder.get(), parent->name, absolute))
            return failure(std::move(*why));
    for (int attempt = 0; attempt < 100; ++attempt) {
        const QByteArray name = nameOf(QFile::encodeName(temporaryNameFor(absolute)));
        Result<FileDescriptor> fd =
            openAt(parent->folder.get(), name.constData(),
                   O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode ? 0600 : 0666, absolute);
        if (!fd && fd.error().fault == Fault::System && fd.error().error == EEXIST)
            continue;
        if (!fd) {
            if (fd.error().fault == Fault::StandardStream) // made, then refused its number
                systemCalls().unlinkat(parent->folder.get(), name.constData(), 0);
            return tl::unexpected(fd.error());
        }
        // From here on the file's going removes the temporary, whatever fails.
        AtomicFile file(std::move(parent->folder), std::move(*fd), name, absolute, {});
        file.m_finalName = parent->name;
        const Result<FileIdentity> identity = identityOf(file.fd());
        if (!identity)
            return systemFailure(identity.error().error, absolute);
        file.m_identity = *identity;
        if (mode && systemCalls().fchmod(file.fd(), *mode & 07777) != 0)
            return systemFailure(errno, absolute);
        return file;
    }
    return systemFailure(EEXIST, absolute);
}

Result<void> AtomicFile::write(const char *data, qint64 size)
{
    Result<void> written = writeAll(m_fd.get(), data, size);
    if (!written)
        written.error().path = m_target;
    return written;
}

Result<void> AtomicFile::sync()
{
    Result<void> done = m_synced ? Result<void>() : syncAll(m_fd.get());
    if (!done)
        done.error().path = m_target;
    m_synced = done.has_value();
    return done;
}

Result<void> AtomicFile::commit()
{
    Result<void> done = sync();
    if (done && systemCalls().renameat(m_folder.get(), m_temporaryName.constData(), m_folder.get(),
                                       m_finalName.constData()) != 0)
        done = systemFailure(errno);
    if (!done) {
        done.error().path = m_target;
        discard();
        return done;
    }
    m_temporaryName.clear();
    m_fd.reset();
    return syncFolder(m_folder.get(), m_target);
}

} // namespace velmora
