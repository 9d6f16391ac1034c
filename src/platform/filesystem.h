// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include "failure.h"

namespace velmora {

// Text files and folders, as the exploration window uses them. Every operation reports
// whether it succeeded and why not; the callers decide what a failure means: a page that
// was not saved must be told.
class FileSystem
{
public:
    virtual bool exists(const QString &path) = 0;               // a file or a folder
    virtual Result<void> createFolder(const QString &path) = 0; // with its missing parents
    virtual Result<void> removeFile(const QString &path) = 0;   // a missing file is no error
    // An existing file is emptied. A link, a file of another user or a file with a second
    // name (a hard link) at the path is not written to: the file is the user's own.
    virtual Result<void> createEmpty(const QString &path) = 0;
    // Appends each line followed by CR LF. The lines are already in the file's encoding.
    // As createEmpty(), never through a link or into another user's file.
    virtual Result<void> appendLines(const QString &path, const QList<QByteArray> &lines) = 0;

protected:
    virtual ~FileSystem() = default;
};

} // namespace velmora
