// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardfile.h"

#include <QString>

namespace velmora {

// One editor at a time on a card file. The lock belongs to the file itself, not to a
// name, so a second editor is refused whatever path reaches the file: a symbolic link, a
// hard link, another spelling. The system drops it when the holder ends in any way, a
// crash or a kill included, and a program the holder starts does not inherit it.
// Readers never take it, cannot take it (it needs the right to write), and are never held
// up by it: browsing and velmora-cards go on while someone edits.
//
// Held for a whole editing session (the card window and the exploration window may open
// and close the card file meanwhile); released by release() or on destruction.
class CardFileLock
{
public:
    CardFileLock() = default;
    ~CardFileLock();
    CardFileLock(const CardFileLock &) = delete;
    CardFileLock &operator=(const CardFileLock &) = delete;

    // Never waits, not even on a FIFO. A missing file is created empty, as CardFile::open
    // does, so that the lock and the editor's handle stand for the same file. Anything but
    // a regular file fails, and so does a file that cannot be written (it is not edited)
    // or that the file system cannot lock (Fault::CannotLock). Acquiring again first
    // releases what this object held. heldByAnother() tells a lock another editor holds.
    Result<void> acquire(const QString &path);
    void release();

    bool isLocked() const { return m_fd.isValid(); }
    // The locked file; only while isLocked().
    FileIdentity identity() const { return m_identity; }

private:
    FileDescriptor m_fd;
    FileIdentity m_identity;
};

// Whether an editor holds the lock of the file open at `fd`, which may be open for reading
// only.
bool editorHolds(int fd);

// A lock refused because another editor holds it.
inline bool heldByAnother(const Failure &failure)
{
    return failure.fault == Fault::Locked;
}

} // namespace velmora
