#pragma once

#include "result.h"

#include <QString>

#include <functional>

namespace velmora {

class CardFile;

// Beside the card file, under the card file's own name followed by ".bak" ("Filis.dat.bak"):
// the keeper finds it next to the file it belongs to, listed with it, and a fixed name
// keeps one copy rather than a folder filling up with them. Each session replaces the copy
// of the session before it.
QString backupBeside(const QString &cardPath);
// In a folder of the user's when the card file's own folder cannot take the copy:
// "Filis.dat.<8 hex digits>.bak", the digits drawn from the card file's full path so that
// bibliographies of the same name in different folders never overwrite each other's copy.
QString backupInFolder(const QString &cardPath, const QString &folder);

// Told after each block copied: bytes copied so far and bytes to copy, so that whoever
// waits for a long copy can be shown how far it is.
using BackupProgress = std::function<void(qint64 done, qint64 total)>;

// Copies every byte of `source`, the open card file, first beside it and, when that
// fails for any reason, into `fallbackFolder` (created when missing; empty for none). The
// copy is written to a temporary file in the target folder, synced, renamed over the
// previous copy and its folder synced: a copy that is there is whole and will stay there,
// and a failure leaves neither a partial copy nor any damage to the previous one. Gives
// where the copy is, or why none could be made, in Greek. `progress` is told how far the
// copy is.
Result<QString> backUpCardFile(const CardFile &source, const QString &fallbackFolder,
                               const BackupProgress &progress = {});

} // namespace velmora
