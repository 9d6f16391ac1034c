// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "placement.h"

#include "fileops.h"
#include "programfiles.h"

namespace velmora {

Result<QString> placeProgramFile(const QString &cardPath, const QString &suffix,
                                 const QString &fallbackFolder, const PlacedWriter &write)
{
    const QString beside = besideCardFile(cardPath, suffix);
    Result<void> placed = write(beside);
    if (placed)
        return beside;
    Failure why = placed.error();
    why.place = folderOf(beside);
    if (!fallbackFolder.isEmpty()) {
        const QString elsewhere = inDataFolder(cardPath, fallbackFolder, suffix);
        placed = makeOwnFolder(fallbackFolder);
        if (placed)
            placed = write(elsewhere);
        if (placed)
            return elsewhere;
        why.also.push_back(placed.error());
        why.also.back().place = folderOf(elsewhere);
    }
    return failure(std::move(why));
}

} // namespace velmora
