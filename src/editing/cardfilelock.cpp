// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardfilelock.h"

#include "fileops.h"
#include "programfiles.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>

namespace velmora {

QString lockFileBeside(const QString &cardPath)
{
    return besideCardFile(cardPath, LockSuffix);
}

CardFileLock::~CardFileLock()
{
    release();
}

void CardFileLock::release()
{
    m_fd.reset(); // the last descriptors of the open files: the locks go with them
    m_keepers.reset();
    m_identity = {};
}

Result<void> CardFileLock::acquire(const QString &path, MissingLockFile missing)
{
    release();
    m_lockFileUnused.reset();
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
    const Result<struct stat> card = statusOf(writable->get());
    if (!card)
        return systemFailure(card.error().error, path);
    Result<FileDescriptor> keepers = openLockFile(lockFileBeside(path), *card, missing);
    if (keepers) {
        if (Result<void> locked = lockWholeFile(keepers->get(), path); !locked)
            return locked;
    } else if (missing == MissingLockFile::Made || keepers.error().fault != Fault::System ||
               keepers.error().error != ENOENT) {
        m_lockFileUnused = keepers.error().at(Stage::LockFile);
    }
    // Refused with no write lock of another behind it (a read lock could still be taken),
    // it is a reader's read lock: the lock file keeps the keepers apart, and the card file
    // stays unlocked.
    if (Result<void> locked = lockWholeFile(writable->get(), path); !locked)
        if (!keepers || !heldByAnother(locked.error()) || lockedByAnother(writable->get()))
            return locked;
    m_fd = std::move(*writable);
    if (keepers)
        m_keepers = std::move(*keepers);
    m_identity = identityOf(*card);
    return {};
}

bool editorHolds(int fd, const QString &cardPath)
{
    if (lockedByAnother(fd))
        return true;
    const Result<struct stat> card = statusOf(fd);
    if (!card)
        return false;
    const Result<FileDescriptor> keepers = openLockFileToProbe(lockFileBeside(cardPath), *card);
    return keepers && lockedByAnother(keepers->get());
}

} // namespace velmora
