#pragma once

#include "result.h"

#include <QString>

#include <functional>

namespace velmora {

class CardFile;

// Beside the card file, under the card file's own name followed by ".bak" ("Filis.dat.bak"):
// the keeper finds it next to the file it belongs to, listed with it, and fixed names keep
// a few copies rather than a folder filling up with them. The copies of the sessions
// before are "Filis.dat.bak.1" and "Filis.dat.bak.2": each session's copy moves the others
// one step back, and the oldest goes.
QString backupBeside(const QString &cardPath);
// In a folder of the user's when the card file's own folder cannot take the copy:
// "Filis.dat.<8 hex digits>.bak" (and ".bak.1", ".bak.2"), the digits drawn from the card file's full path so
// that bibliographies of the same name in different folders never overwrite each other's copy.
QString backupInFolder(const QString &cardPath, const QString &folder);

// Told after each block copied: bytes copied so far and bytes to copy, so that whoever
// waits for a long copy can be shown how far it is.
using BackupProgress = std::function<void(qint64 done, qint64 total)>;

// The copies kept in each place: the latest and the two before it.
constexpr int BackupGenerations = 3;

// Copies every byte of `source`, the open card file, first beside it and, when that
// fails for any reason, into `fallbackFolder` (created when missing; empty for none). The
// copy is a file of the program's own (ownfile.h) with the card file's permission bits,
// written under a temporary name, synced, and only then put in place of the latest copy,
// the older ones moved back: a copy that is there is whole and will stay there, and a
// failure leaves neither a partial copy nor any change to the previous ones. A name held
// by a link or by another user's file is not written to. Gives where the copy is, or why
// none could be made, in Greek. `progress` is told how far the copy is.
Result<QString> backUpCardFile(const CardFile &source, const QString &fallbackFolder,
                               const BackupProgress &progress = {});

} // namespace velmora
