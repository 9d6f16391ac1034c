// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "filesystem.h"

namespace velmora {

class LocalFileSystem : public FileSystem
{
public:
    bool exists(const QString &path) override;
    Result<void> createFolder(const QString &path) override;
    Result<void> removeFile(const QString &path) override;
    Result<void> createEmpty(const QString &path) override;
    Result<void> appendLines(const QString &path, const QList<QByteArray> &lines) override;
};

} // namespace velmora
