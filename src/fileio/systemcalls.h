// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <sys/types.h>

struct flock;
struct passwd;
struct stat;

namespace velmora {

// Every system call by which the program opens, looks at, locks, changes or removes a file,
// in one table, as embedded databases keep theirs: the file code calls through it and
// nothing else makes these calls. The program never changes the table; a test replaces an
// entry, to make a call fail as a full or failing medium would, to answer a look with an
// owner or a mode the machine cannot give it, or to record what a filing does for the
// power-cut test, and puts it back.
struct SystemCalls
{
    int (*openat)(int folder, const char *name, int flags, mode_t mode);
    ssize_t (*read)(int fd, void *buffer, size_t size);
    ssize_t (*pread)(int fd, void *buffer, size_t size, off_t offset);
    ssize_t (*write)(int fd, const void *data, size_t size);
    ssize_t (*pwrite)(int fd, const void *data, size_t size, off_t offset);
    int (*fsync)(int fd);
    int (*fdatasync)(int fd);
    int (*ftruncate)(int fd, off_t length);
    int (*fchmod)(int fd, mode_t mode);
    int (*fchown)(int fd, uid_t owner, gid_t group);
    int (*renameat)(int fromFolder, const char *from, int toFolder, const char *to);
    int (*linkat)(int fromFolder, const char *from, int toFolder, const char *to, int flags);
    int (*unlinkat)(int folder, const char *name, int flags);
    int (*mkdirat)(int folder, const char *name, mode_t mode);

    int (*fstat)(int fd, struct stat *status);
    int (*fstatat)(int folder, const char *name, struct stat *status, int flags);
    ssize_t (*readlinkat)(int folder, const char *name, char *buffer, size_t size);
    // fcntl's commands that take a lock description (F_OFD_SETLK, F_OFD_GETLK), and those
    // that take a number (F_GETFD, F_GETFL, F_SETFL, F_DUPFD_CLOEXEC).
    int (*fcntlLock)(int fd, int command, struct flock *lock);
    int (*fcntlValue)(int fd, int command, int value);
    int (*close)(int fd);
    uid_t (*geteuid)();
    // The account database, for whom a file's group lets write it.
    int (*getpwuid_r)(uid_t user, struct passwd *account, char *buffer, size_t size, struct passwd **found);
    int (*getgrouplist)(const char *user, gid_t group, gid_t *groups, int *count);
};

// The table in use.
SystemCalls &systemCalls();
// The system's own calls, for a test to pass through to.
const SystemCalls &realSystemCalls();

} // namespace velmora
