// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inputfile.h"

#include "fileops.h"

#include <QCoreApplication>

#include <QFile>

#include <fcntl.h>
#include <unistd.h>

namespace velmora::cards {

Result<FileIdentity> openInput(const QString &path, QFile &file)
{
    if (path == QLatin1String("-")) {
        const Result<FileIdentity> identity = identityOf(STDIN_FILENO);
        if (!identity || !file.open(STDIN_FILENO, QIODevice::ReadOnly, QFileDevice::DontCloseHandle))
            return systemFailure(identity ? EBADF : identity.error().error,
                                 QCoreApplication::translate("CardTool", "standard input"));
        return identity;
    }
    Result<FileDescriptor> fd = openRegularFile(QFile::encodeName(path), O_RDONLY);
    if (!fd)
        return tl::unexpected(fd.error());
    const Result<FileIdentity> identity = identityOf(fd->get());
    if (!identity)
        return systemFailure(identity.error().error, path);
    if (!file.open(fd->get(), QIODevice::ReadOnly, QFileDevice::AutoCloseHandle))
        return systemFailure(EIO, path);
    fd->release();
    return identity;
}

} // namespace velmora::cards
