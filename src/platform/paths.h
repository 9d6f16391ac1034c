// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace velmora {

// What the user is told the export file is called, whatever it maps to.
inline QString exportFileShownName()
{
    return QStringLiteral("C:\\Program Files\\Velmora\\MySearch.doc");
}

// Where the program's fixed Windows locations live on this system.
class Paths
{
public:
    virtual QString cardFile() = 0;     // "Filis.dat" in the working folder
    virtual QString programFiles() = 0; // "C:\Program Files"
    // The user's data folder ("C:\Program Files\Velmora" to the program): the export file,
    // and the backups, journals and recovery files that cannot go beside a card file.
    virtual QString dataFolder() = 0;
    virtual QString exportFile() = 0; // "C:\Program Files\Velmora\MySearch.doc"
    // The card file is the bibliography installed with the program: it is only read.
    virtual bool cardFileIsInstalled() { return false; }

protected:
    virtual ~Paths() = default;
};

} // namespace velmora
