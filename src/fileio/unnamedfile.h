// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "filedescriptor.h"

#include <QString>

namespace velmora {

// A file of the program's own with no name in any folder (O_TMPFILE), made in `folder`,
// reached through the path walk: for the user alone and never to be given a name, so that
// nobody else can open it and nothing of it is left however the program ends. For what is
// too large to hold in memory.
Result<FileDescriptor> openUnnamedFile(const QString &folder);

} // namespace velmora
