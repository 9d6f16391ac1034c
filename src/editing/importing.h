// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "atomicfile.h"
#include "cardeditsession.h"
#include "namedfile.h"

#include <QByteArrayView>
#include <QString>

#include <optional>

namespace velmora {

// A card file an import writes whole, in place of what stands at its name, which must never
// be left with less than it had: the cards go into a new file beside it, which becomes the
// card file only when every card is in it and on the medium.
//
//   ImportedCardFile out(dataFolder);
//   if (!out.open(cardPath, ImportedCardFile::Existing::Refused, input)) ...tell why...
//   ...out.write(card bytes) for every card read...
//   if (!out.commit()) ...tell why: the card file is as it was...
class ImportedCardFile
{
public:
    // What becomes of a card file that holds cards.
    enum class Existing {
        Refused,  // the keeper may have meant to append: EEXIST, its length in `length`
        Replaced, // after the editing session's backup of it
    };

    // `fallbackFolder`: as CardEditSession's, for the backup of a file replaced.
    explicit ImportedCardFile(QString fallbackFolder = QString());
    // Drops the new file when commit() was never reached.
    ~ImportedCardFile();
    ImportedCardFile(const ImportedCardFile &) = delete;
    ImportedCardFile &operator=(const ImportedCardFile &) = delete;

    // Judges what stands at `cardPath` before anything is read (namedfile.h: the user's own
    // links followed, a stranger's file or link in a folder others can write refused, and so
    // are the file being read, `input`, and anything but a regular file), and begins the new
    // file beside it. Where nothing or an empty file stands, the editors' lock is held on
    // that file until commit(). A file that holds cards is refused, or, when Replaced, an
    // editing session begins on it: its lock (refused while an editor has it), the filing a
    // crash cut short undone, the leftovers of a killed session removed.
    Result<void> open(const QString &cardPath, Existing existing, std::optional<FileIdentity> input);
    // Whether a card file that holds cards is replaced.
    bool replaces() const { return m_old.isOpen(); }
    CardEditSession &session() { return m_session; }

    // Failures are kept and reported by commit().
    void write(QByteArrayView bytes);
    // Puts the new file in place of the one at the name: a file replaced is first backed up
    // as the session's first filing backs it up (Filis.dat.bak and its generations); the new
    // file, with the permission bits of the one it replaces, is then synced and renamed over
    // the name. A failure on the way, a backup that cannot be made, or no byte written at all
    // (ENODATA) leaves the card file and its backups as they were, and no new file.
    Result<void> commit();

private:
    void discard();

    QString m_path;
    NamedOutput m_output;
    CardEditSession m_session;
    CardFile m_old; // the file replaced, for its backup
    std::optional<AtomicFile> m_file;
    qint64 m_written = 0;
    std::optional<Failure> m_writeFailure;
};

} // namespace velmora
