// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardeditsession.h"
#include "command.h"
#include "filedescriptor.h"
#include "inputcards.h"

#include <QString>

#include <functional>

namespace velmora::cards {

struct AppendRequest
{
    QString cardPath;
    QString inputPath;
    FileIdentity input; // of the file read, which cannot be the card file too
    // Also the books the card file, or the input before them, already holds.
    bool keepDoubles = false;
};

// Gives each card of the input to `take` as it is read; the cards read, or -1 when the input
// cannot be read as cards, which it has told.
using InputReading = std::function<qint64(const std::function<void(const InputCard &)> &take)>;

// Reads the whole input through `read` before the card file is touched, each card into an
// unnamed file rather than memory (inputcards.h), then files the cards after the last card
// of the existing card file through the editing library (appending.h), as the program's
// window files a new card: under the editor's lock, after a backup of the whole file, each
// journaled, a partial last card made whole first. A book the file holds (check's rule: the
// same ISBN, or the same author and title) is told, with the card it matches, and left out
// unless `keepDoubles`. A failure stops the appending; the cards filed before it stay, and
// it is told how many they are and at which entry it stopped. Gives the tool's exit status.
int appendCards(const AppendRequest &request, const InputReading &read, Console &console);

// Whether a card file was left as it was because the input yielded no card; the words for it.
bool noCardRead(const velmora::Failure &why);
int tellNoCard(const QString &inputPath, Console &console);

// What an editing session of the tool says once it is so: a filing a crash cut short that
// it undid, the keepers' lock file it could not use, and a backup or a journal that could
// not go beside the card file.
void tellUndoneFiling(CardEditSession &session, const QString &cardPath, Console &console);
void tellLockFileUnused(const std::optional<velmora::Failure> &unused, Console &console);
void tellWhereFilesWent(CardEditSession &session, Console &console);

} // namespace velmora::cards
