// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardfile.h"
#include "filecopy.h"

#include <QString>

namespace velmora {

// Beside the card file, under the card file's own name followed by ".bak" ("Filis.dat.bak"):
// the keeper finds it next to the file it belongs to, listed with it, and fixed names keep
// a few copies rather than a folder filling up with them. The copies of the sessions
// before are "Filis.dat.bak.1" and "Filis.dat.bak.2": each session's copy moves the others
// one step back, and the oldest goes.
QString backupBeside(const QString &cardPath);
// In the user's data folder when the card file's own folder cannot take the copy, by the
// one naming rule of the program's files (programfiles.h): "Filis.dat.<8 hex digits>.bak".
QString backupInFolder(const QString &cardPath, const QString &folder);
// The name of generation `generation` (0 the latest, then the older ones) of `latest`.
QString backupGeneration(const QString &latest, int generation);

// Told after each block copied, and after the copy's sync: bytes copied so far and bytes to
// copy, so that whoever waits for a long copy can be shown how far it is.
using BackupProgress = CopyProgress;

// The copies kept in each place: the latest and the two before it.
constexpr int BackupGenerations = 3;

// Copies every byte of `source`, the open card file, where the program's files of it go
// (placement.h: beside it, else in `fallbackFolder`; empty for none). The
// copy is a file of the program's own (atomicfile.h) with the card file's permission bits,
// written under a temporary name and synced; only then do the older copies move one step
// back, each move on the medium before the next, and the new copy takes the latest name.
// A failure before that leaves every copy as it was and no partial one. A name held by a
// link or by another user's file is not written to, nor moved; only where the card file's
// keepers may replace each other's names (a group folder that is not sticky) does the
// rotation take another keeper's copies too, so that one keeper's restore sees the others'
// sessions. Gives where the copy is; a failure
// is Stage::Backup, with the attempt in the data folder in `also`.
Result<QString> backUpCardFile(const CardFile &source, const QString &fallbackFolder,
                               const BackupProgress &progress = {});

} // namespace velmora
