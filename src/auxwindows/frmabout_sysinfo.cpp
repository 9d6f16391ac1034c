// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The About window's system-information button: where the information program is
// found in the settings store, and starting it.
#include "frmabout.h"

#include "platform.h"

#include <QFile>

namespace velmora {

namespace {

const QString SysInfoKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools\\MSINFO");
const QString SysInfoValue = QStringLiteral("PATH");
const QString SysInfoLocationKey = QStringLiteral("SOFTWARE\\Microsoft\\Shared Tools Location");
const QString SysInfoLocationValue = QStringLiteral("MSINFO");
const QString SysInfoProgram = QStringLiteral("\\MSINFO32.EXE");

} // namespace

void frmAbout::StartSysInfo()
{
    QString SysInfoPath;
    bool found = GetKeyValue(SettingsStore::LocalMachine, SysInfoKey, SysInfoValue, SysInfoPath);
    if (!found &&
        GetKeyValue(SettingsStore::LocalMachine, SysInfoLocationKey, SysInfoLocationValue, SysInfoPath)) {
        SysInfoPath += SysInfoProgram;
        found = m_platform.launcher.fileExists(SysInfoPath);
    }
    if (found && m_platform.launcher.start(SysInfoPath))
        return;
    m_platform.messages.show(QStringLiteral("System Information Is Unavailable At This Time"), AppTitle,
                             Buttons::Ok, Icon::None);
}

bool frmAbout::GetKeyValue(quintptr KeyRoot, const QString &KeyName, const QString &SubKeyRef,
                           QString &KeyVal)
{
    SettingsStore &store = m_platform.settings;
    KeyVal.clear();
    const quintptr hKey = store.openKey(KeyRoot, KeyName, KeyAccess);
    if (hKey == 0)
        return false;

    QByteArray tmpVal;
    SettingsStore::ValueType KeyValType = SettingsStore::ValueType::Other;
    const bool read = store.queryValue(hKey, SubKeyRef, ValueBufferSize, &tmpVal, &KeyValType);
    if (read) {
        // Text values usually carry their terminating NUL; one of them, no more, is not text.
        if (tmpVal.endsWith('\0'))
            tmpVal.chop(1);
        // Only text is read; a value of another type gives no text.
        if (KeyValType == SettingsStore::ValueType::String)
            KeyVal = QFile::decodeName(tmpVal);
    }
    store.closeKey(hKey);
    return read;
}

} // namespace velmora
