// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Things that may stand where a card file is expected but are no regular file.

#include <QDir>
#include <QFile>
#include <QString>
#include <QTemporaryDir>

#include <cstring>
#include <sys/socket.h>
#include <sys/stat.h>
#include <sys/un.h>
#include <unistd.h>

namespace velmora::test {

// "fifo", "socket", "devnull" (a link to /dev/null), "folderlink" (a link to a folder
// beside `path`). False when this system cannot make it.
inline bool makeNonRegularFile(const QString &kind, const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    if (kind == QLatin1String("fifo"))
        return ::mkfifo(native.constData(), 0644) == 0;
    if (kind == QLatin1String("socket")) {
        sockaddr_un address{};
        address.sun_family = AF_UNIX;
        if (size_t(native.size()) >= sizeof address.sun_path)
            return false;
        std::memcpy(address.sun_path, native.constData(), size_t(native.size()));
        const int fd = ::socket(AF_UNIX, SOCK_STREAM, 0);
        // Bound and closed: the socket file stays, with nobody listening behind it.
        const bool bound = fd >= 0 && ::bind(fd, reinterpret_cast<sockaddr *>(&address), sizeof address) == 0;
        if (fd >= 0)
            ::close(fd);
        return bound;
    }
    if (kind == QLatin1String("devnull"))
        return QFile::link(QStringLiteral("/dev/null"), path);
    if (kind == QLatin1String("folderlink")) {
        const QString folder = path + QStringLiteral(".folder");
        return QDir().mkdir(folder) && QFile::link(folder, path);
    }
    return false;
}

} // namespace velmora::test
