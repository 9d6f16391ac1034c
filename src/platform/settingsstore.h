// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QByteArray>
#include <QString>

namespace velmora {

// The operating system's settings store as the About window reads it: open a key, query
// a value into a buffer, close the key.
class SettingsStore
{
public:
    enum class ValueType { String, Other };
    static constexpr quintptr LocalMachine = 0x80000002;

    // Returns a key handle, or 0 when the key cannot be opened.
    virtual quintptr openKey(quintptr root, const QString &keyName, quint32 access) = 0;
    // At most `bufferSize` bytes of the value; false when the value cannot be read.
    virtual bool queryValue(quintptr key, const QString &valueName, int bufferSize, QByteArray *data,
                            ValueType *type) = 0;
    virtual void closeKey(quintptr key) = 0;

protected:
    virtual ~SettingsStore() = default;
};

} // namespace velmora
