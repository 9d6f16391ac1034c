// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "failure.h"

#include <QByteArray>

#include <sys/types.h>
#include <utility>

namespace velmora {

// Owns one open file descriptor and closes it when it goes, so that no early return has
// to remember to. Move-only: exactly one owner closes it.
class FileDescriptor
{
public:
    FileDescriptor() = default;
    explicit FileDescriptor(int fd) : m_fd(fd) {}
    ~FileDescriptor() { reset(); }
    FileDescriptor(FileDescriptor &&other) noexcept : m_fd(other.release()) {}
    FileDescriptor &operator=(FileDescriptor &&other) noexcept
    {
        if (this != &other)
            reset(other.release());
        return *this;
    }
    FileDescriptor(const FileDescriptor &) = delete;
    FileDescriptor &operator=(const FileDescriptor &) = delete;

    int get() const { return m_fd; }
    bool isValid() const { return m_fd >= 0; }
    explicit operator bool() const { return isValid(); }
    // Hands the descriptor over; this object owns nothing afterwards.
    int release() { return std::exchange(m_fd, -1); }
    // Closes what it owns and takes `fd` instead. The close's own failure is not
    // reported: every write that matters was synced before, and a descriptor is gone
    // after close() whatever it returns.
    void reset(int fd = -1);

private:
    int m_fd = -1;
};

// Which file an open descriptor or a path stands for, whatever name reached it.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const FileIdentity &) const = default;
};

FileKind kindOfMode(mode_t mode);

// The one opening of the file code, through the table of system calls. A descriptor below
// 3 is closed again and refused (Fault::StandardStream): it would be a standard stream's
// number, closed when the program started, and whatever anybody writes to that stream
// would land in the file. Other failures carry the system's error number and `path`.
Result<FileDescriptor> openAt(int folder, const char *name, int flags, mode_t mode, const QString &path);

// A second descriptor of what `fd` has open, above the standard streams and closed on exec.
Result<FileDescriptor> duplicated(int fd);

// Opens /dev/null on whichever of the standard input, output and error is closed, so that
// no file the program opens later takes its number. Each program calls it first, before
// anything opens a file.
Result<void> openStandardStreams();

// Opens `path` with `flags` (O_RDONLY, O_RDWR, O_CREAT ...; O_CLOEXEC is always added),
// relative to the folder `folder` when it is given, and returns the descriptor only when it
// is a regular file. Opened without blocking, so that a FIFO with no writer cannot hold the
// program up, and looked at before a byte is read; the non-blocking flag is then cleared.
// A refusal for its kind is Fault::NotRegular with the kind; a folder is EISDIR; a socket,
// which cannot be opened at all, is still named as one.
Result<FileDescriptor> openRegularFile(const QByteArray &path, int flags, mode_t mode = 0644,
                                       int folder = -100 /* AT_FDCWD */);

} // namespace velmora
