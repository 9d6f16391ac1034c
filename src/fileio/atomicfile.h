// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "filedescriptor.h"

#include <QString>

#include <optional>
#include <sys/types.h>

namespace velmora {

// A file written whole or not at all, possibly in a folder other users can write: created
// new and exclusively under a temporary name beside the target (never through a link,
// never over an existing file), written, then by commit() synced once, renamed over the
// target (which replaces a link standing there rather than its target) and its folder
// synced. Dropped before commit(), the temporary file goes. The folder is opened once, one
// step at a time (pathwalk.h), and every call is made relative to it, so that neither a
// folder renamed meanwhile nor a stranger's link on the way can redirect the file.
class AtomicFile
{
public:
    // What may stand at the target's name to be replaced.
    enum class Replacing {
        // A file the program names itself (a backup, the journal, the recovery file): only
        // nothing, or a regular file of the user's own. A link or another user's file is
        // refused before anything is created.
        OwnFileOnly,
        // Whatever the caller has already judged may be replaced (the card tool's outputs,
        // which follow the user's own links as a shell would).
        Anything,
    };

    // `mode`: the permission bits, set past the umask; none for those of any new file
    // under the umask.
    static Result<AtomicFile> create(const QString &target, std::optional<mode_t> mode, Replacing replacing);
    AtomicFile(AtomicFile &&other) noexcept;
    AtomicFile &operator=(AtomicFile &&) = delete;
    AtomicFile(const AtomicFile &) = delete;
    ~AtomicFile();

    int fd() const { return m_fd.get(); }
    // The file itself, whatever name it has: to remove that file and no other later.
    FileIdentity identity() const { return m_identity; }
    const QString &target() const { return m_target; }
    Result<void> write(const char *data, qint64 size);
    // Has the bytes on the medium, before anything else is changed for them; commit()
    // syncs only when this has not.
    Result<void> sync();
    Result<void> commit();

private:
    AtomicFile(FileDescriptor folder, FileDescriptor fd, QByteArray temporaryName, QString target,
               FileIdentity identity);
    void discard();

    FileDescriptor m_folder;
    FileDescriptor m_fd;
    QByteArray m_temporaryName; // in m_folder; empty once committed or moved from
    QString m_target;
    QByteArray m_finalName; // the target's name in m_folder
    FileIdentity m_identity;
    bool m_synced = false;
};

// Why the program may not put a file of its own at `target`, or nothing: a link, another
// user's file, or something that is not a regular file.
std::optional<Failure> whyNotOwnFile(const QString &target);

} // namespace velmora
