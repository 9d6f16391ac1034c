// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "editablecardfile.h"

#include "fileops.h"
#include "pathwalk.h"

#include <cerrno>
#include <fcntl.h>

namespace velmora {

Result<void> openToEdit(CardFile &file, const QString &path)
{
    file.close();
    const Result<OpenedParent> parent = openParent(path, LastLink::Followed);
    if (!parent)
        return failure(parent.error());
    // A link that stood at the last name was followed or refused on the way: one put there
    // since is nobody's to follow.
    const auto openLast = [&](int flags) {
        return openRegularFile(parent->name, flags | O_NOFOLLOW, 0644, parent->folder.get());
    };
    int writeRefused = 0;
    Result<FileDescriptor> opened = openLast(O_RDWR | O_CREAT);
    if (!opened && isWriteRefusal(opened.error().error)) {
        writeRefused = opened.error().error;
        opened = openLast(O_RDONLY);
        if (!opened && opened.error().error == ENOENT)
            opened.error().error = writeRefused;
    }
    if (!opened) {
        Failure why = opened.error();
        why.path = path;
        return failure(std::move(why));
    }
    return file.adopt(std::move(*opened), path, writeRefused);
}

} // namespace velmora
