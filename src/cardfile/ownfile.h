#pragma once

#include "filedescriptor.h"
#include "result.h"

#include <QString>

namespace velmora {

// A file the program writes under a name of its choosing (a backup, the journal), possibly
// in a folder other users can write. It is created new and exclusively under a temporary
// name in the target's folder, never through a link, and put in place only by commit():
// synced, renamed over the final name (which replaces a link there rather than its
// target) and the folder synced. A final name held by a symbolic link or by a file of
// another user is refused before anything is created. Dropped before commit(), the
// temporary file goes.
class OwnFile
{
public:
    // `mode`: the permission bits, usually the card file's own.
    static Result<OwnFile> create(const QString &target, unsigned mode);
    OwnFile(OwnFile &&other) noexcept;
    OwnFile &operator=(OwnFile &&) = delete;
    OwnFile(const OwnFile &) = delete;
    ~OwnFile();

    int fd() const { return m_fd.get(); }
    Result<void> writeAll(const char *data, qint64 size);
    // Synced, renamed over the target, the folder synced.
    Result<void> commit();

private:
    OwnFile(FileDescriptor fd, QByteArray temporary, QByteArray target);
    FileDescriptor m_fd;
    QByteArray m_temporary; // empty once committed or moved from
    QByteArray m_target;
};

// Why `target` may not be written by the program: a link or a file of another user stands
// there, in Greek; empty when it may (nothing there, or a regular file of the user's).
QString whyNotOurs(const QString &target);

// Syncs the folder that holds `path`, so that a rename or removal in it survives a power
// cut. A file system that cannot sync folders (EINVAL) is not a failure.
Result<void> syncFolderOf(const QByteArray &nativePath);

// Removes a file of the program's and syncs its folder; a missing file is no failure.
Result<void> removeDurably(const QString &path);

} // namespace velmora
