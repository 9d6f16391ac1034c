// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "failure.h"

#include <QString>

namespace velmora {

// Takes the write lock of the whole file open at `fd`, never waiting: Fault::Locked when
// another open file description holds a lock of it, Fault::CannotLock when the file system
// cannot lock, the system's error otherwise, each with `path`. The lock belongs to this open
// file description (F_OFD_SETLK), not to the process: only a descriptor open for writing
// can take it, so that whoever may only read the file cannot keep its writers out (an
// exclusive flock needs no more than reading), and it goes with the last descriptor of this
// opening, not with any other descriptor of the file the process closes, as a POSIX record
// lock would.
Result<void> lockWholeFile(int fd, const QString &path);

// Whether another open file description holds a lock of the file open at `fd`, which may be
// open for reading only.
bool lockedByAnother(int fd);

} // namespace velmora
