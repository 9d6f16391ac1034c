// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardbackup.h"

#include "atomicfile.h"
#include "filecopy.h"
#include "fileops.h"
#include "pathwalk.h"
#include "placement.h"
#include "programfiles.h"
#include "trust.h"

#include <cerrno>

namespace velmora {

namespace {

const QString BackupSuffix = QStringLiteral("bak");

// Whether what stands at a generation's name may be moved back or replaced: nothing, a regular
// file of the user's own, or, where the card file's keepers may replace each other's names (a
// folder its group writes that is not sticky), another keeper's with no other name
// (whyNotKeepersFile()), so that the copies of one card file's sessions stay in one place,
// whoever kept them. Never a link, a stranger's file, nor another keeper's in a sticky
// folder, which only its owner may move.
std::optional<Failure> whyNotRotated(const QString &path, const struct stat &card)
{
    const Result<OpenedParent> parent = openParent(path);
    if (!parent)
        return parent.error().error == ENOENT ? std::nullopt : std::optional(parent.error());
    const Result<struct stat> st = statusIn(parent->folder.get(), parent->name);
    if (!st || (ownedByUser(*st) && S_ISREG(st->st_mode)))
        return std::nullopt;
    if (S_ISLNK(st->st_mode) || ownedByUser(*st) || !S_ISREG(st->st_mode))
        return whyNotOwnFile(path);
    if (std::optional<Failure> why = whyNotKeepersFile(path, *st, card, true))
        return why;
    const Result<struct stat> folder = statusOf(parent->folder.get());
    if (!folder || !othersMayReplaceNames(*folder))
        return Failure{Fault::NotOwn, 0, path, FileKind::Regular};
    return std::nullopt;
}

// The copy in place of the latest, the older ones moved back; nothing changed on failure
// but the new copy itself, which goes.
Result<void> copyDurably(const CardFile &source, const QString &target, const BackupProgress &progress)
{
    const Result<struct stat> card = statusOf(source.fd());
    if (!card)
        return systemFailure(card.error().error, source.path());
    for (int g = 0; g < BackupGenerations; ++g)
        if (std::optional<Failure> why = whyNotRotated(backupGeneration(target, g), *card))
            return failure(std::move(*why));
    const Result<mode_t> mode = source.permissionBits();
    if (!mode)
        return tl::unexpected(mode.error());
    // What stands at the latest name was judged above.
    Result<AtomicFile> out = AtomicFile::create(target, *mode, AtomicFile::Replacing::Anything);
    if (!out)
        return tl::unexpected(out.error());
    const Result<qint64> total = copyBlocks(
        source.fd(), source.path(),
        [&out](qint64, const char *data, qint64 size) { return out->write(data, size); }, progress);
    if (!total)
        return tl::unexpected(total.error());
    if (Result<void> synced = out->sync(); !synced)
        return synced;
    if (progress)
        progress(*total, *total);
    // Each move on the medium before the next: a power cut may keep a later rename and
    // lose an earlier one, which would put the latest copy over the one before it.
    for (int g = BackupGenerations - 1; g > 0; --g)
        if (Result<void> moved = renameDurably(backupGeneration(target, g - 1), backupGeneration(target, g));
            !moved)
            return moved;
    return out->commit();
}

} // namespace

QString backupBeside(const QString &cardPath)
{
    return besideCardFile(cardPath, BackupSuffix);
}

QString backupInFolder(const QString &cardPath, const QString &folder)
{
    return inDataFolder(cardPath, folder, BackupSuffix);
}

QString backupGeneration(const QString &latest, int generation)
{
    return generation == 0 ? latest : latest + QLatin1Char('.') + QString::number(generation);
}

Result<QString> backUpCardFile(const CardFile &source, const QString &fallbackFolder,
                               const BackupProgress &progress)
{
    Result<QString> placed =
        placeProgramFile(source.path(), BackupSuffix, fallbackFolder,
                         [&](const QString &target) { return copyDurably(source, target, progress); });
    if (!placed)
        placed.error().stage = Stage::Backup;
    return placed;
}

} // namespace velmora
