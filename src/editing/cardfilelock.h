// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardfile.h"
#include "filelock.h"

#include <QString>

#include <optional>
#include <utility>

namespace velmora {

inline const QString LockSuffix = QStringLiteral("lock");

// The keepers' lock file of a card file, "Filis.dat.lock" beside it (programfiles.h).
QString lockFileBeside(const QString &cardPath);

// One editor at a time on a card file, whichever program edits it, and no reader able to
// keep its keepers out. Anyone who may read a file can read-lock any part of it, which
// refuses every write lock of it; so the keepers lock a file of their own instead, the lock
// file beside the card file, which only those who may write the card file can open
// (filelock.h). Besides, the card file itself is write-locked where no reader holds a lock
// of it, as earlier versions locked it: their editors are kept out and keep this one out,
// and a browsing program, which can open the card file but not the lock file, learns that
// an editor is at work. Where the lock file cannot be made or used, the card file's lock is
// the only one, and a reader's lock of it keeps editors out again; the session tells why.
//
// A lock belongs to the file, not to a name, so a second editor is refused whatever path
// reaches the card file: a symbolic link, a hard link, another spelling. The system drops
// it when the holder ends in any way, a crash or a kill included, and a program the holder
// starts does not inherit it. Readers are never held up by it: browsing and velmora-cards
// go on while someone edits.
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
    // or that the file system cannot lock (Fault::CannotLock). `missing`: whether a lock
    // file that is not there yet is made (an editing session) or the card file alone locked
    // (a command that only keeps editors off a file that may be no card file at all).
    // Acquiring again first releases what this object held. heldByAnother() tells a lock
    // another editor holds.
    Result<void> acquire(const QString &path, MissingLockFile missing = MissingLockFile::Left);
    void release();

    bool isLocked() const { return m_fd.isValid(); }
    // The locked file; only while isLocked().
    FileIdentity identity() const { return m_identity; }
    // Once, after an acquire() that found the lock file unusable (or could not make it):
    // why, with the lock file's path and owner (Stage::LockFile).
    std::optional<Failure> takeLockFileUnused() { return std::exchange(m_lockFileUnused, std::nullopt); }

private:
    FileDescriptor m_fd;
    FileDescriptor m_keepers; // the lock file's, when it is used
    FileIdentity m_identity;
    std::optional<Failure> m_lockFileUnused;
};

// Whether an editor holds the lock of the card file at `cardPath`, open at `fd`, which may
// be open for reading only: its own lock, or its lock file's where this user may open it.
bool editorHolds(int fd, const QString &cardPath);

// A lock refused because another editor holds it.
inline bool heldByAnother(const Failure &failure)
{
    return failure.fault == Fault::Locked;
}

} // namespace velmora
