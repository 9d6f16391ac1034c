#pragma once

#include "cardrecord.h"
#include "failure.h"

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

// The recovery file of a card file, in the user's data folder:
// "Filis.dat.<8 hex digits>.typed", by the one naming rule of the program's files
// (programfiles.h), so that bibliographies of the same name in different folders never take
// each other's typing.
QString recoveryFilePath(const QString &cardPath, const QString &folder);

// The file holds two lines of UTF-8 text: a JSON object
//   {"format":1,"cardFile":"/full/path/Filis.dat","card":2,"fields":["960-...", ...six]}
// and the SHA-256 of that first line in hex. A keeper can read the typing back by hand;
// a file cut short by a crash, edited, or written for another card file fails the check.
//
// Written whole or not at all, as a file of the program's own (atomicfile.h), readable by
// the user alone, in the folder (created when missing). A symbolic link or another user's
// file at the name is left alone and the reason told.
Result<void> writeRecoveryFile(const QString &path, const QString &cardPath, const TypedCard &card);

// The card the file holds; nothing when there is none, or when the file is not a regular
// file of the user's, is damaged, or belongs to another card file.
std::optional<TypedCard> readRecoveryFile(const QString &path, const QString &cardPath);

// Removes the file; a file already gone is no failure.
Result<void> removeRecoveryFile(const QString &path);

} // namespace velmora
