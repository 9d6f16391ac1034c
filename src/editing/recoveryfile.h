// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardrecord.h"
#include "failure.h"
#include "filedescriptor.h"

#include <QString>

#include <array>
#include <optional>

namespace velmora {

// A card typed on the screen and not yet filed: which card it is and the six fields as
// the keeper typed them, before any encoding into the code page.
struct TypedCard
{
    qint32 number = 0;
    std::array<QString, FieldCount> fields;

    bool operator==(const TypedCard &) const = default;
};

// What the typing was typed over, so that it is never put back over a card it was not
// typed on without the keeper being told.
struct TypingBase
{
    // The card as the file stored it when the typing began; nothing for a card the file
    // did not hold yet (the empty card of an empty file).
    std::optional<CardRecord> card;
    std::array<bool, FieldCount> typed{}; // the fields the keeper changed
    FileIdentity cardFile;                // the card file the typing was on
    // A filing of this typing was refused (the card file removed, replaced, moved ...):
    // offered at the next start of the editing of the same path, whatever file is there.
    bool filingRefused = false;

    bool operator==(const TypingBase &) const = default;
};

// What a recovery file holds: the typing, and its base; no base in the files of the first
// format, which are offered as they always were.
struct KeptTyping : TypedCard
{
    std::optional<TypingBase> base;
};

// The recovery file of a card file, in the user's data folder:
// "Filis.dat.<8 hex digits>.typed", by the one naming rule of the program's files
// (programfiles.h), so that bibliographies of the same name in different folders never take
// each other's typing.
QString recoveryFilePath(const QString &cardPath, const QString &folder);

// The file holds two lines of UTF-8 text: a JSON object
//   {"format":2,"cardFile":"/real/path/Filis.dat","device":"2049","inode":"1234",
//    "card":2,"base":"<the card's 195 bytes in hex, or null>","typed":[2],
//    "filingRefused":false,"fields":["960-...", ...six]}
// and the SHA-256 of that first line in hex. A keeper can read the typing back by hand;
// a file cut short by a crash, edited, or written for another card file fails the check.
// Files of format 1 (no device, inode, base, typed or filingRefused) are still read.
//
// Written whole or not at all, as a file of the program's own (atomicfile.h), readable by
// the user alone, in the folder (created when missing). A symbolic link or another user's
// file at the name is left alone and the reason told.
Result<void> writeRecoveryFile(const QString &path, const QString &cardPath, const TypedCard &card,
                               const TypingBase &base);

// What the file holds; nothing when there is none, or when the file is not a regular file
// of the user's, is damaged, or belongs to another card file.
std::optional<KeptTyping> readRecoveryFile(const QString &path, const QString &cardPath);

// Removes the file; a file already gone is no failure.
Result<void> removeRecoveryFile(const QString &path);

} // namespace velmora
