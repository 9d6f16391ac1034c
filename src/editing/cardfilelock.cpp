// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardfilelock.h"

#include "filelock.h"
#include "fileops.h"

#include <QFile>

#include <fcntl.h>

namespace velmora {

CardFileLock::~CardFileLock()
{
    release();
}

void CardFileLock::release()
{
    m_fd.reset(); // the last descriptor of the open file: the lock goes with it
    m_identity = {};
}

Result<void> CardFileLock::acquire(const QString &path)
{
    release();
    // A file the keeper cannot write is not edited, so takes no lock that would keep the
    // keeper's own editor out: it is opened for writing first. O_CLOEXEC (always added): a
    // help viewer started by the editor must not keep the lock.
    const QByteArray native = QFile::encodeName(path);
    auto writable = openRegularFile(native, O_RDWR | O_CREAT);
    if (!writable) {
        if (isWriteRefusal(writable.error().error))
            return failure(Fault::ReadOnly, path, writable.error().error);
        return tl::unexpected(writable.error());
    }
    const Result<FileIdentity> identity = identityOf(writable->get());
    if (!identity)
        return systemFailure(identity.error().error, path);
    if (Result<void> locked = lockWholeFile(writable->get(), path); !locked)
        return locked;
    m_fd = std::move(*writable);
    m_identity = *identity;
    return {};
}

bool editorHolds(int fd)
{
    return lockedByAnother(fd);
}

} // namespace velmora
