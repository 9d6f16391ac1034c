// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "settingsstore.h"

#include <QSet>
#include <QStringList>

namespace velmora {

// Linux has no registry. This stand-in knows one key, the one that names the system
// information program, and answers its "PATH" value with the first such program that is
// installed here; every other key and value is missing.
class LinuxSettingsStore final : public SettingsStore
{
public:
    static QStringList defaultPrograms(); // hardinfo, kinfocenter, gnome-system-monitor

    // `programs` are tried in order; `searchPaths` empty means the PATH.
    explicit LinuxSettingsStore(QStringList programs = defaultPrograms(), QStringList searchPaths = {});

    quintptr openKey(quintptr root, const QString &keyName, quint32 access) override;
    bool queryValue(quintptr key, const QString &valueName, int bufferSize, QByteArray *data,
                    ValueType *type) override;
    void closeKey(quintptr key) override;

private:
    QString systemInformationProgram() const;

    QStringList m_programs;
    QStringList m_searchPaths;
    QSet<quintptr> m_open;
    quintptr m_nextHandle = 1;
};

} // namespace velmora
