// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "filedescriptor.h"

#include <QString>

class QFile;

namespace velmora::cards {

// Opens the text a command reads into `file`: a regular file, opened without waiting on it
// (openRegularFile()), so that a FIFO or a device given by mistake is refused with its kind
// rather than holding the tool up; or "-", standard input, whatever the caller put there,
// as with the tools that read a stream. Gives the identity of what was opened, which the
// output may not be.
Result<FileIdentity> openInput(const QString &path, QFile &file);

} // namespace velmora::cards
