// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "xdgpaths.h"

#include "programfiles.h"

#include <QStandardPaths>

namespace velmora {

XdgPaths::XdgPaths(const QString &cardFile, bool installed) : m_cardFile(cardFile), m_installed(installed) {}

QString XdgPaths::cardFile()
{
    return m_cardFile;
}

QString XdgPaths::programFiles()
{
    return QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation);
}

QString XdgPaths::dataFolder()
{
    return userDataFolder();
}

QString XdgPaths::exportFile()
{
    return dataFolder() + QStringLiteral("/MySearch.doc");
}

} // namespace velmora
