// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qtprogramlauncher.h"

#include <QFileInfo>
#include <QProcess>

namespace velmora {

bool QtProgramLauncher::fileExists(const QString &path)
{
    return QFileInfo::exists(path);
}

bool QtProgramLauncher::start(const QString &program)
{
    // The program itself, with no arguments and no shell to read its name.
    return QProcess::startDetached(program, {});
}

} // namespace velmora
