// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "unnamedfile.h"

#include "pathwalk.h"
#include "systemcalls.h"

#include <cerrno>
#include <fcntl.h>

namespace velmora {

Result<FileDescriptor> openUnnamedFile(const QString &folder)
{
    const Result<OpenedParent> parent = openParent(folder, LastLink::Followed);
    if (!parent)
        return tl::unexpected(parent.error());
    // O_EXCL: not even this process can link it into a folder later.
    FileDescriptor fd(systemCalls().openat(parent->folder.get(), parent->name.constData(),
                                           O_TMPFILE | O_RDWR | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600));
    if (!fd)
        return systemFailure(errno, parent->resolved);
    return fd;
}

} // namespace velmora
