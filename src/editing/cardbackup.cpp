// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardbackup.h"

#include "atomicfile.h"
#include "fileops.h"
#include "programfiles.h"

namespace velmora {

namespace {

// The copy in place of the latest, the older ones moved back; nothing changed on failure
// but the new copy itself, which goes.
Result<void> copyDurably(const CardFile &source, const QString &target, const BackupProgress &progress)
{
    for (int g = 0; g < BackupGenerations; ++g)
        if (std::optional<Failure> why = whyNotOwnFile(backupGeneration(target, g)))
            return failure(std::move(*why));
    const Result<mode_t> mode = source.permissionBits();
    if (!mode)
        return tl::unexpected(mode.error());
    Result<AtomicFile> out = AtomicFile::create(target, *mode, AtomicFile::Replacing::OwnFileOnly);
    if (!out)
        return tl::unexpected(out.error());
    const Result<qint64> total = source.storedLength();
    if (!total)
        return tl::unexpected(total.error());
    QByteArray block(CardReader::BlockBytes, Qt::Uninitialized);
    for (qint64 offset = 0;; offset += block.size()) {
        const Result<qint64> got = source.readAt(offset, block.data(), block.size());
        if (!got)
            return tl::unexpected(got.error());
        if (Result<void> put = out->write(block.constData(), *got); !put)
            return put;
        if (progress)
            progress(offset + *got, *total);
        if (*got < block.size())
            break;
    }
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
    return besideCardFile(cardPath, QStringLiteral("bak"));
}

QString backupInFolder(const QString &cardPath, const QString &folder)
{
    return inDataFolder(cardPath, folder, QStringLiteral("bak"));
}

QString backupGeneration(const QString &latest, int generation)
{
    return generation == 0 ? latest : latest + QLatin1Char('.') + QString::number(generation);
}

Result<QString> backUpCardFile(const CardFile &source, const QString &fallbackFolder,
                               const BackupProgress &progress)
{
    const QString beside = backupBeside(source.path());
    Result<void> copied = copyDurably(source, beside, progress);
    if (copied)
        return beside;
    Failure why = copied.error();
    why.place = folderOf(beside);
    why.stage = Stage::Backup;
    if (!fallbackFolder.isEmpty()) {
        const QString elsewhere = backupInFolder(source.path(), fallbackFolder);
        copied = makeOwnFolder(fallbackFolder);
        if (copied)
            copied = copyDurably(source, elsewhere, progress);
        if (copied)
            return elsewhere;
        why.also.push_back(copied.error());
        why.also.back().place = folderOf(elsewhere);
    }
    return failure(std::move(why));
}

} // namespace velmora
