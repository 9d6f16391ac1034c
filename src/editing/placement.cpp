// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "placement.h"

#include "fileops.h"
#include "programfiles.h"
#include "trust.h"

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

std::optional<Failure> whyNotKeepersFile(const QString &path, const struct stat &file,
                                         const struct stat &card, bool beside)
{
    if (!ownedByUser(file) && !(beside && mayWrite(file.st_uid, card))) {
        Failure why{Fault::StrangersFile, 0, path, FileKind::Regular};
        why.owner = userName(file.st_uid);
        return why;
    }
    if (file.st_nlink > 1)
        return Failure{Fault::TooManyLinks, 0, path, FileKind::Regular};
    return std::nullopt;
}

} // namespace velmora
