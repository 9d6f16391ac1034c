#pragma once

#include <QString>

#include <functional>

namespace velmora {

class CardFile;

// A copy of the whole card file, made once per editing session before its first write,
// so that whatever the session does, the bibliography as it stood can be had back.
struct CardBackup
{
    QString path;   // where the copy is; empty when none could be made
    QString reason; // why not, in Greek; empty when made
    bool made() const { return !path.isEmpty(); }
};

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
// and a failure leaves neither a partial copy nor any damage to the previous one.
CardBackup backUpCardFile(const CardFile &source, const QString &fallbackFolder,
                          const BackupProgress &progress = {});

} // namespace velmora
