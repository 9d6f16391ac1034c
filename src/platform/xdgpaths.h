// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "paths.h"

namespace velmora {

// The program's Windows folders on a freedesktop system: "C:\Program Files" is the
// user's data folder (normally ~/.local/share); the card file is the one the program was
// started on.
class XdgPaths final : public Paths
{
public:
    explicit XdgPaths(const QString &cardFile, bool installed = false);
    QString cardFile() override;
    QString programFiles() override;
    QString dataFolder() override;
    QString exportFile() override;
    bool cardFileIsInstalled() override { return m_installed; }

private:
    QString m_cardFile;
    bool m_installed;
};

} // namespace velmora
