// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "failure.h"

#include <QString>

#include <functional>
#include <optional>
#include <sys/stat.h>

namespace velmora {

// Writes one file of the program's own at the path it is given.
using PlacedWriter = std::function<Result<void>(const QString &target)>;

// Where every file the program makes of a card file goes (the backups, the journal, the copy
// kept before a restore), by one rule: beside the card file, as "Filis.dat.<suffix>", where
// its keepers look and find it; when that fails for any reason, in `fallbackFolder` (the
// user's data folder, made when missing; empty for none), as "Filis.dat.<8 hex digits>.
// <suffix>" (programfiles.h). Gives where `write` succeeded. A failure is the attempt beside
// the card file, its folder in `place`, with the attempt in the fallback folder in `also`.
Result<QString> placeProgramFile(const QString &cardPath, const QString &suffix,
                                 const QString &fallbackFolder, const PlacedWriter &write);

// Whether a file found at one of the names above (a journal, a backup of any generation)
// counts as one of the card file's keepers': the user's own anywhere; beside the card file,
// `card`, also that of another user who may write the card file now (mayWrite() of trust.h:
// its owner, a member of its group in the account database, or root), whatever group the
// file itself has, which a setgid folder gives to a stranger's file too. Anything else is left
// alone: Fault::StrangersFile, naming its owner. A file with another name too is
// Fault::TooManyLinks: whoever holds that name can change it.
std::optional<Failure> whyNotKeepersFile(const QString &path, const struct stat &file,
                                         const struct stat &card, bool beside);

} // namespace velmora
