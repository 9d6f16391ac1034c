// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// The table of system calls the file code goes through (systemcalls.h), taken over for a
// test: each call is shown to the test before it is made, which may let it through, fail
// it with an error number as a failing medium would, or do something in its stead (kill
// the process, replace a file), and shown again once made.

#include "systemcalls.h"

#include <cerrno>
#include <fcntl.h>
#include <functional>

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
    Renameat,
    Linkat,
    Unlinkat,
    Mkdirat
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
    off_t offset = -1; // of pread and pwrite, and of ftruncate's length
    int flags = 0;     // of openat
};

// 0 lets the call through; an error number fails it with that number.
inline std::function<int(const CallSite &)> beforeCall;
inline std::function<void(const CallSite &, long result)> afterCall;

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
    }
    InterceptedCalls(const InterceptedCalls &) = delete;
    InterceptedCalls &operator=(const InterceptedCalls &) = delete;
};

// Whether a call changes what is on the medium: what a kill or a power cut falls between.
inline bool changesTheMedium(const CallSite &site)
{
    if (site.call == Call::Openat)
        return (site.flags & O_CREAT) != 0;
    return site.call != Call::Read && site.call != Call::Pread;
}

} // namespace velmora::test
