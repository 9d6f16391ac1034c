// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "filedescriptor.h"

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

namespace velmora {

// A path opened one folder at a time from the root, each step without following a link
// (openat with O_NOFOLLOW), so that what the program writes into lands where the path
// named when it looked, in a folder that nobody swapped meanwhile for another. A symbolic
// link met on the way is followed only when nobody but the user (or the system) could
// have put it there or could replace it: a link of the user's own or of root, in a folder
// of the user's own or of root that others cannot write into, or that is sticky and the
// link the user's own. Any other link is refused (Fault::SharedFolder), naming it.

struct OpenedParent
{
    FileDescriptor folder; // the folder that holds the last name, open for reading
    QByteArray name;       // the last name in it: missing, or anything but a link to follow
    QString resolved;      // the path with the links followed, for the words and for later calls
};

enum class LastLink {
    Kept,     // a link at the last name is the caller's to judge (a file of the program's own)
    Followed, // followed by the same rule, as a shell's redirection would (the card tool)
};

Result<OpenedParent> openParent(const QString &path, LastLink last = LastLink::Kept);

// Whether a link with `link`'s owner, in a folder with `folder`'s owner and mode, may be
// followed by the rule above.
bool mayFollowLink(const struct stat &link, const struct stat &folder);
// Whether nobody but the user (or the system) can put or replace names in a folder: its
// own or root's, writable by nobody else unless it is sticky.
bool isSteadyFolder(const struct stat &folder);

} // namespace velmora
