// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "linuxsettingsstore.h"

#include <QFile>
#include <QStandardPaths>

namespace velmora {

namespace {

const QString SystemInformationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString PathValue = QStringLiteral("PATH");

} // namespace

QStringList LinuxSettingsStore::defaultPrograms()
{
    return {QStringLiteral("hardinfo"), QStringLiteral("kinfocenter"),
            QStringLiteral("gnome-system-monitor")};
}

LinuxSettingsStore::LinuxSettingsStore(QStringList programs, QStringList searchPaths)
    : m_programs(std::move(programs)), m_searchPaths(std::move(searchPaths))
{
}

quintptr LinuxSettingsStore::openKey(quintptr root, const QString &keyName, quint32)
{
    // Registry names ignore case.
    if (root != LocalMachine || keyName.compare(SystemInformationKey, Qt::CaseInsensitive) != 0)
        return 0;
    const quintptr handle = m_nextHandle++;
    m_open.insert(handle);
    return handle;
}

bool LinuxSettingsStore::queryValue(quintptr key, const QString &valueName, int bufferSize, QByteArray *data,
                                    ValueType *type)
{
    if (!m_open.contains(key) || valueName.compare(PathValue, Qt::CaseInsensitive) != 0)
        return false;
    const QString program = systemInformationProgram();
    if (program.isEmpty())
        return false;
    // A string value as the registry hands it over: its bytes and a closing NUL.
    QByteArray bytes = QFile::encodeName(program);
    bytes.append('\0');
    if (bytes.size() > bufferSize)
        return false;
    if (data)
        *data = bytes;
    if (type)
        *type = ValueType::String;
    return true;
}

void LinuxSettingsStore::closeKey(quintptr key)
{
    m_open.remove(key);
}

QString LinuxSettingsStore::systemInformationProgram() const
{
    for (const QString &name : m_programs) {
        QString found = QStandardPaths::findExecutable(name, m_searchPaths);
        if (!found.isEmpty())
            return found;
    }
    return QString();
}

} // namespace velmora
