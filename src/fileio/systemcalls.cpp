// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "systemcalls.h"

#include <cstdio>
#include <fcntl.h>
#include <grp.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

const SystemCalls Real = {
    [](int folder, const char *name, int flags, mode_t mode) { return ::openat(folder, name, flags, mode); },
    ::read,
    ::pread,
    ::write,
    ::pwrite,
    ::fsync,
    ::fdatasync,
    ::ftruncate,
    ::fchmod,
    ::fchown,
    ::renameat,
    ::linkat,
    ::unlinkat,
    ::mkdirat,
    ::fstat,
    ::fstatat,
    ::readlinkat,
    [](int fd, int command, struct flock *lock) { return ::fcntl(fd, command, lock); },
    [](int fd, int command, int value) { return ::fcntl(fd, command, value); },
    ::close,
    ::geteuid,
    ::getpwuid_r,
    ::getgrouplist,
};

SystemCalls inUse = Real;

} // namespace

SystemCalls &systemCalls()
{
    return inUse;
}

const SystemCalls &realSystemCalls()
{
    return Real;
}

} // namespace velmora
