// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "atomicfile.h"
#include "cardfilelock.h"
#include "pathwalk.h"

#include <QString>

#include <optional>
#include <sys/stat.h>

namespace velmora {

// The files a keeper names on a command line (a card file to restore or to append to, an
// import's card file, an export's output), reached through the path walk (pathwalk.h): a
// link of the user's own is followed on every step, as a shell's redirection would; a
// stranger's is not.

// Opens the regular file at `path` with `flags` (O_RDONLY, O_RDWR; never creating), `last`
// deciding about a link at its last name: followed by the walk's rule, or, for a file of the
// program's own, not followed at all.
Result<FileDescriptor> openNamedFile(const QString &path, int flags, LastLink last = LastLink::Followed);

// An output a command writes all or nothing, renamed over its name: what stands there,
// judged before anything is written.
class NamedOutput
{
public:
    // Refuses a link or a file of another user in a folder others can write
    // (Fault::SharedFolder), the file being read (`input`: Fault::IsInput) and a folder.
    Result<void> lookAt(const QString &path, std::optional<FileIdentity> input);
    // The path with the user's links followed: the name that is written.
    const QString &resolved() const { return m_resolved; }
    // What stands there; none when nothing does.
    const std::optional<struct stat> &status() const { return m_status; }
    bool isRegularFile() const { return m_status && S_ISREG(m_status->st_mode); }
    // The permission bits a file put in the place of the one standing there keeps, as it
    // would had it been written in place; none when nothing stands there.
    std::optional<mode_t> keptMode() const;

    // Takes the editors' lock of the regular file standing there until release(): replacing
    // it under an editor would leave the editor filing into a file no longer at its path.
    // Refused while an editor has it (Fault::Locked); a file that cannot be locked for
    // another reason (one the user may not write) is no editor's either.
    Result<void> keepEditorsOut();
    void release() { m_lock.release(); }
    // The file that takes the place of what stands there once committed, with its kept
    // permission bits; a failure names the path as the user gave it.
    Result<AtomicFile> createReplacement() const;

private:
    QString m_path;
    QString m_resolved;
    std::optional<struct stat> m_status;
    CardFileLock m_lock;
};

} // namespace velmora
