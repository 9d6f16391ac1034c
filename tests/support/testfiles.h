// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Files' bytes, and what the file code is made to see of them through the seam (seam.h):
// another user's file or a refused opening needs neither root nor a medium of its own.

#include "seam.h"

#include <QByteArray>
#include <QByteArrayView>
#include <QFile>
#include <QString>

#include <sys/stat.h>
#include <unistd.h>

namespace velmora::test {

// A user the test does not run as, whoever runs it.
inline const uid_t Stranger = ::geteuid() + 1;

inline QByteArray fileBytes(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("(unreadable)");
}

inline bool writeBytes(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// While the calls are intercepted, every look at what now stands at `path` (a link itself,
// not what it names) reports what `change` makes of it.
inline void makeUpLook(const QString &path, std::function<void(struct stat &)> change)
{
    struct stat st = {};
    if (::lstat(QFile::encodeName(path).constData(), &st) == 0)
        madeUpLooks.push_back({st.st_dev, st.st_ino, std::move(change)});
}

inline void makeUpOwner(const QString &path, uid_t owner)
{
    makeUpLook(path, [owner](struct stat &st) { st.st_uid = owner; });
}

// Whether `site` opens a name ending in `name` for writing, where a read-only medium says no.
inline bool opensForWriting(const CallSite &site, QByteArrayView name)
{
    return site.call == Call::Openat && (site.flags & O_ACCMODE) != O_RDONLY &&
           QByteArrayView(site.name).endsWith(name);
}

} // namespace velmora::test
