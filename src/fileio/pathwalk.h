// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "filedescriptor.h"

#include <QByteArray>
#include <QString>

namespace velmora {

// A path opened one folder at a time from the root, each step without following a link
// (openat with O_NOFOLLOW), so that what the program writes into lands where the path
// named when it looked, in a folder that nobody swapped meanwhile for another. A symbolic
// link met on the way is followed only when the trust rule says it may be (mayFollowLink()
// of trust.h); any other link is refused (Fault::SharedFolder), naming it.

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

} // namespace velmora
