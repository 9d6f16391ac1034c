// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Failures of the medium a card file lies on, made for real where the kernel's answer is
// the point: a full file system and a limit on the size of files. A read-only file or
// medium and another user's file are made up through the seam (testfiles.h).

#include <QByteArray>
#include <QFile>
#include <QString>

#include <csignal>
#include <sched.h>
#include <sys/mount.h>
#include <sys/resource.h>
#include <unistd.h>

namespace velmora::test {

inline bool privateMounts = false; // in a mount namespace of this process's own

// Whatever happens to this process, the mounts it makes go with it. Where it may not
// mount, the tests fall back to a size limit or skip.
inline void usePrivateMounts()
{
    privateMounts =
        ::unshare(CLONE_NEWNS) == 0 && ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
}

// A tmpfs of 64 KiB on `folder` while the object lives, where mounting is allowed.
struct SmallMedium
{
    explicit SmallMedium(const QString &folder)
        : native(QFile::encodeName(folder)),
          mounted(privateMounts &&
                  ::mount("tmpfs", native.constData(), "tmpfs", 0, "size=64k,mode=0700") == 0)
    {
    }
    ~SmallMedium()
    {
        if (mounted)
            ::umount2(native.constData(), MNT_DETACH);
    }
    // Fills it to the last page, then frees `spare` bytes of it.
    void fill(qint64 spare)
    {
        QFile filler(QFile::decodeName(native) + QStringLiteral("/filler"));
        filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered);
        while (filler.write(QByteArray(4096, 'f')) == 4096) {
        }
        filler.resize(filler.size() - filler.size() % 4096 - spare);
    }
    QByteArray native;
    bool mounted;
};

// While it lives, files of this process grow no longer than `bytes`: writes past that
// fail with EFBIG instead of killing the process.
struct SizeLimit
{
    explicit SizeLimit(rlim_t bytes)
    {
        ::getrlimit(RLIMIT_FSIZE, &saved);
        std::signal(SIGXFSZ, SIG_IGN);
        const rlimit limit{bytes, saved.rlim_max};
        ::setrlimit(RLIMIT_FSIZE, &limit);
    }
    ~SizeLimit() { ::setrlimit(RLIMIT_FSIZE, &saved); }
    rlimit saved{};
};

} // namespace velmora::test
