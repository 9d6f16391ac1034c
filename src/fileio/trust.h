// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "failure.h"

#include <QString>

#include <optional>
#include <sys/stat.h>
#include <sys/types.h>

namespace velmora {

// Whom the program trusts with its files and folders, by one rule, asked of what a look
// (stat) found. "The user" is the effective user; root may do anything anyway, so what root
// made is trusted as the user's own.

// A file or folder of the user's own.
bool ownedByUser(const struct stat &st);

// Others may add names to the folder: its group or everybody may write it, sticky or not.
bool othersMayAddNames(const struct stat &folder);
// Others may replace or remove the names in the folder, the user's among them: its group or
// everybody may write it, and it is not sticky.
bool othersMayReplaceNames(const struct stat &folder);

// Nobody but the user or root can replace or remove the names in the folder: a folder of the
// user or of root that others may not write, or only add to (sticky).
bool isSteadyFolder(const struct stat &folder);

// Nobody but the user or root can change the file: the user's or root's, and neither its
// group nor everybody may write it.
bool isSteadyFile(const struct stat &file);

// Whether a symbolic link met on a path may be followed: nobody but the user or root could
// have put it there or could replace it. A link of the user or of root, in a folder of the
// user or of root that others cannot write, or that is sticky and the link the user's own.
bool mayFollowLink(const struct stat &link, const struct stat &folder);

// Why a folder is not one the program may keep its own files in (its data folder), or
// nothing: another user's (Fault::NotOwn), or one its group or everybody may write
// (Fault::OthersCanWrite).
std::optional<Fault> whyNotOwnFolder(const struct stat &folder);

// Whether `user` may write the file now, as the system would judge it: as its owner when the
// owner's write bit is set, as a member of its group (in the account database) when the
// group's is, as root always, otherwise by everybody's write bit.
bool mayWrite(uid_t user, const struct stat &file);

// The user's name in the account database; the number when there is none.
QString userName(uid_t user);

} // namespace velmora
