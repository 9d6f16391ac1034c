// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "filedescriptor.h"

#include <QString>

#include <sys/stat.h>

namespace velmora {

// Takes the write lock of the whole file open at `fd`, never waiting: Fault::Locked when
// another open file description holds a lock of it, Fault::CannotLock when the file system
// cannot lock, the system's error otherwise, each with `path`. The lock belongs to this open
// file description (F_OFD_SETLK), not to the process: only a descriptor open for writing
// can take it, and it goes with the last descriptor of this opening, not with any other
// descriptor of the file the process closes, as a POSIX record lock would. A read lock
// refuses it too, and anyone who may read a file can take one of any part of it: see the
// lock file below.
Result<void> lockWholeFile(int fd, const QString &path);

// Whether another open file description holds a write lock of the file open at `fd`, which
// may be open for reading only. A read lock is not told: it is asked whether a read lock
// could be taken, which only a write lock forbids.
bool lockedByAnother(int fd);

// A lock file: a file that stands for another, `guarded` (as a look at it found it), among
// those who may write it, which they lock instead of it, since no lock of a file can be
// kept from whoever may read it. It is taken only when nobody who may not write `guarded`
// could hold a lock of it: a regular file with one name, owned by a user who may write
// `guarded` now (trust.h), and neither its group nor everybody may open it unless they may
// write `guarded` as that group or as everybody. Anything else at its name is refused with
// why (Fault::StrangersLock, Fault::OpenLock, Fault::TooManyLinks, Fault::Link,
// Fault::NotRegular), naming its owner, and the caller locks `guarded` itself instead.
enum class MissingLockFile {
    Made, // by the first who needs it, beside `guarded` (ENOENT otherwise)
    Left,
};

// The lock file at `path`, open for writing to be locked. One that is missing is made
// whole under a temporary name, with the permission bits lockFileMode() gives and the group
// of `guarded`, and only then linked to its name, which keeps whatever got there first; it
// is never removed again, since two who each locked a file of that name would not exclude
// each other.
Result<FileDescriptor> openLockFile(const QString &path, const struct stat &guarded, MissingLockFile missing);
// The same, open for reading only, for whoever only asks whether it is locked.
Result<FileDescriptor> openLockFileToProbe(const QString &path, const struct stat &guarded);

// The permission bits of a lock file made for `guarded`: reading and writing for its maker,
// and for its group and everybody as far as they may write `guarded` ("-rw-rw-r--" gives
// "-rw-rw----", "-rw-r--r--" "-rw-------").
mode_t lockFileMode(const struct stat &guarded);

} // namespace velmora
