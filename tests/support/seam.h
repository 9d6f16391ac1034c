// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The file code's table of system calls (systemcalls.h), taken over for a test, which sees
// each call before it is made (to fail it, or act in its stead: a kill, a swapped file) and
// after; looks, the account database and the user may be made up, so that another user's
// file needs no root.

#include "systemcalls.h"

#include <QByteArray>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <functional>
#include <optional>
#include <pwd.h>
#include <sys/stat.h>
#include <vector>

namespace velmora::test {

enum class Call {
    Openat,
    Read,
    Pread,
    Write,
    Pwrite,
    Fsync,
    Fdatasync,
    Ftruncate,
    Fchmod,
    Fchown,
    Renameat,
    Linkat,
    Unlinkat,
    Mkdirat,
    Fstat,
    Fstatat,
    Readlinkat,
    FcntlLock,
    FcntlValue,
    Close,
    Geteuid,
    Getpwuid,
    Getgrouplist
};

struct CallSite
{
    Call call;
    int fd = -1;                // the descriptor, or the folder of a call by name
    const char *name = nullptr; // the name, relative to `fd`, of a call by name
    const char *to = nullptr;   // the new name of a rename or a link
    int toFolder = -1;
    const void *data = nullptr;
    size_t size = 0;
    off_t offset = -1;             // of pread and pwrite, and of ftruncate's length
    int flags = 0;                 // of openat and fstatat; fcntl's command
    struct stat *status = nullptr; // what a look found, for afterCall to see
    struct flock *lock = nullptr;  // of fcntl's lock commands: afterCall may change the answer
};

// 0 lets the call through; an error number fails it with that number.
inline std::function<int(const CallSite &)> beforeCall;
inline std::function<void(const CallSite &, long result)> afterCall;

// What every look at one file (by device and inode, whatever name or descriptor) reports.
struct MadeUpLook
{
    dev_t device;
    ino_t inode;
    std::function<void(struct stat &)> change;
};
inline std::vector<MadeUpLook> madeUpLooks;

// The account database made up: each user's groups, primary first (nothing: no such user),
// each named "user" and its number; and the user the program runs as.
inline std::function<std::optional<std::vector<gid_t>>(uid_t)> madeUpGroups;
inline std::optional<uid_t> madeUpUser;

namespace seam {

template<typename Run> long through(const CallSite &site, Run run)
{
    if (beforeCall)
        if (const int error = beforeCall(site); error != 0) {
            errno = error;
            return -1;
        }
    const long result = run();
    const int saved = errno;
    if (afterCall && result >= 0)
        afterCall(site, result);
    errno = saved;
    return result;
}

inline const SystemCalls &real()
{
    return realSystemCalls();
}

inline long looked(const CallSite &site, int result)
{
    if (result == 0)
        for (const MadeUpLook &look : madeUpLooks)
            if (look.device == site.status->st_dev && look.inode == site.status->st_ino)
                look.change(*site.status);
    return result;
}

inline int madeUpPasswd(uid_t user, passwd *entry, char *buffer, size_t size, passwd **found)
{
    const std::optional<std::vector<gid_t>> groups = madeUpGroups(user);
    const QByteArray name = "user" + QByteArray::number(user);
    if (!groups || size_t(name.size()) >= size)
        return groups ? ERANGE : 0;
    std::memcpy(buffer, name.constData(), size_t(name.size()) + 1);
    *entry = passwd{};
    entry->pw_name = buffer;
    entry->pw_uid = user;
    entry->pw_gid = groups->front();
    *found = entry;
    return 0;
}

inline int madeUpGroupList(const char *name, gid_t *groups, int *count)
{
    const std::vector<gid_t> all = madeUpGroups(uid_t(QByteArray(name).mid(4).toUInt())).value();
    std::copy_n(all.begin(), std::min(int(all.size()), *count), groups);
    const bool fits = int(all.size()) <= *count;
    *count = int(all.size());
    return fits ? *count : -1;
}

inline const SystemCalls Intercepting = {
    [](int folder, const char *name, int flags, mode_t mode) {
        return int(through({Call::Openat, folder, name, nullptr, -1, nullptr, 0, -1, flags},
                           [&] { return long(real().openat(folder, name, flags, mode)); }));
    },
    [](int fd, void *buffer, size_t size) {
        return ssize_t(through({Call::Read, fd, nullptr, nullptr, -1, buffer, size},
                               [&] { return long(real().read(fd, buffer, size)); }));
    },
    [](int fd, void *buffer, size_t size, off_t offset) {
        return ssize_t(through({Call::Pread, fd, nullptr, nullptr, -1, buffer, size, offset},
                               [&] { return long(real().pread(fd, buffer, size, offset)); }));
    },
    [](int fd, const void *data, size_t size) {
        return ssize_t(through({Call::Write, fd, nullptr, nullptr, -1, data, size},
                               [&] { return long(real().write(fd, data, size)); }));
    },
    [](int fd, const void *data, size_t size, off_t offset) {
        return ssize_t(through({Call::Pwrite, fd, nullptr, nullptr, -1, data, size, offset},
                               [&] { return long(real().pwrite(fd, data, size, offset)); }));
    },
    [](int fd) {
        return int(through({Call::Fsync, fd}, [&] { return long(real().fsync(fd)); }));
    },
    [](int fd) {
        return int(through({Call::Fdatasync, fd}, [&] { return long(real().fdatasync(fd)); }));
    },
    [](int fd, off_t length) {
        return int(through({Call::Ftruncate, fd, nullptr, nullptr, -1, nullptr, 0, length},
                           [&] { return long(real().ftruncate(fd, length)); }));
    },
    [](int fd, mode_t mode) {
        return int(through({Call::Fchmod, fd}, [&] { return long(real().fchmod(fd, mode)); }));
    },
    [](int fd, uid_t owner, gid_t group) {
        return int(through({Call::Fchown, fd}, [&] { return long(real().fchown(fd, owner, group)); }));
    },
    [](int from, const char *name, int toFolder, const char *to) {
        return int(through({Call::Renameat, from, name, to, toFolder},
                           [&] { return long(real().renameat(from, name, toFolder, to)); }));
    },
    [](int from, const char *name, int toFolder, const char *to, int flags) {
        return int(through({Call::Linkat, from, name, to, toFolder},
                           [&] { return long(real().linkat(from, name, toFolder, to, flags)); }));
    },
    [](int folder, const char *name, int flags) {
        return int(through({Call::Unlinkat, folder, name},
                           [&] { return long(real().unlinkat(folder, name, flags)); }));
    },
    [](int folder, const char *name, mode_t mode) {
        return int(
            through({Call::Mkdirat, folder, name}, [&] { return long(real().mkdirat(folder, name, mode)); }));
    },
    [](int fd, struct stat *status) {
        const CallSite site{.call = Call::Fstat, .fd = fd, .status = status};
        return int(through(site, [&] { return looked(site, real().fstat(fd, status)); }));
    },
    [](int folder, const char *name, struct stat *status, int flags) {
        const CallSite site{
            .call = Call::Fstatat, .fd = folder, .name = name, .flags = flags, .status = status};
        return int(through(site, [&] { return looked(site, real().fstatat(folder, name, status, flags)); }));
    },
    [](int folder, const char *name, char *buffer, size_t size) {
        return ssize_t(through({.call = Call::Readlinkat, .fd = folder, .name = name, .size = size},
                               [&] { return long(real().readlinkat(folder, name, buffer, size)); }));
    },
    [](int fd, int command, struct flock *lock) {
        return int(through({.call = Call::FcntlLock, .fd = fd, .flags = command, .lock = lock},
                           [&] { return long(real().fcntlLock(fd, command, lock)); }));
    },
    [](int fd, int command, int value) {
        return int(through({.call = Call::FcntlValue, .fd = fd, .size = size_t(value), .flags = command},
                           [&] { return long(real().fcntlValue(fd, command, value)); }));
    },
    [](int fd) {
        return int(through({.call = Call::Close, .fd = fd}, [&] { return long(real().close(fd)); }));
    },
    [] {
        return uid_t(
            through({.call = Call::Geteuid}, [] { return long(madeUpUser.value_or(real().geteuid())); }));
    },
    [](uid_t user, passwd *entry, char *buffer, size_t size, passwd **found) {
        *found = nullptr;
        const long error = through({.call = Call::Getpwuid}, [&] {
            return long(madeUpGroups ? madeUpPasswd(user, entry, buffer, size, found)
                                     : real().getpwuid_r(user, entry, buffer, size, found));
        });
        return error < 0 ? errno : int(error);
    },
    [](const char *name, gid_t group, gid_t *groups, int *count) {
        return int(through({.call = Call::Getgrouplist, .name = name}, [&] {
            return long(madeUpGroups ? madeUpGroupList(name, groups, count)
                                     : real().getgrouplist(name, group, groups, count));
        }));
    },
};

} // namespace seam

// While it lives, every call of the file code goes by beforeCall and afterCall.
struct InterceptedCalls
{
    InterceptedCalls() { systemCalls() = seam::Intercepting; }
    ~InterceptedCalls()
    {
        systemCalls() = realSystemCalls();
        beforeCall = nullptr;
        afterCall = nullptr;
        madeUpLooks.clear();
        madeUpGroups = nullptr;
        madeUpUser.reset();
    }
    InterceptedCalls(const InterceptedCalls &) = delete;
    InterceptedCalls &operator=(const InterceptedCalls &) = delete;
};

// Whether a call changes what is on the medium: what a kill or a power cut falls between.
inline bool changesTheMedium(const CallSite &site)
{
    if (site.call == Call::Openat)
        return (site.flags & O_CREAT) != 0;
    return site.call < Call::Fstat && site.call != Call::Read && site.call != Call::Pread;
}

} // namespace velmora::test
