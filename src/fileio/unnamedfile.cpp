// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "unnamedfile.h"

#include "pathwalk.h"

#include <fcntl.h>

namespace velmora {

Result<FileDescriptor> openUnnamedFile(const QString &folder)
{
    const Result<OpenedParent> parent = openParent(folder, LastLink::Followed);
    if (!parent)
        return tl::unexpected(parent.error());
    // O_EXCL: not even this process can link it into a folder later.
    return openAt(parent->folder.get(), parent->name.constData(),
                  O_TMPFILE | O_RDWR | O_EXCL | O_NOFOLLOW | O_CLOEXEC, 0600, parent->resolved);
}

} // namespace velmora
