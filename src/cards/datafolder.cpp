// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "datafolder.h"

#include "failurewords.h"
#include "fileops.h"
#include "programfiles.h"

#include <QCoreApplication>

namespace velmora::cards {

QString dataFolderToUse(Console &console, const char *notUsed)
{
    const QString folder = userDataFolder();
    const Result<void> own = checkOwnFolder(folder);
    if (!own && !(own.error().fault == Fault::System && own.error().error == ENOENT)) {
        console.err << failureLine(own.error()) << "; " << QCoreApplication::translate("CardTool", notUsed)
                    << Qt::endl;
        return QString();
    }
    return folder;
}

} // namespace velmora::cards
