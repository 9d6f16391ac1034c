// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filing.h"

#include "atomicfile.h"
#include "cardjournal.h"
#include "fileops.h"
#include "placement.h"

#include <algorithm>

namespace velmora {

namespace {

struct PutJournal
{
    QString path;
    FileIdentity identity;
};

Result<FileIdentity> putJournalAt(const QString &path, const QByteArray &bytes, mode_t mode)
{
    Result<AtomicFile> journal = AtomicFile::create(path, mode, AtomicFile::Replacing::OwnFileOnly);
    if (!journal)
        return tl::unexpected(journal.error());
    const FileIdentity identity = journal->identity();
    Result<void> done = journal->write(bytes.constData(), bytes.size());
    if (done)
        done = journal->commit();
    if (!done)
        return tl::unexpected(done.error());
    return identity;
}

// Beside the card file, so that whoever edits it next finds it; else in the data folder.
Result<PutJournal> putJournal(const CardFile &file, const QByteArray &bytes, const QString &fallbackFolder)
{
    const Result<mode_t> mode = file.permissionBits();
    if (!mode)
        return tl::unexpected(mode.error());
    FileIdentity identity;
    Result<QString> placed =
        placeProgramFile(file.path(), JournalSuffix, fallbackFolder, [&](const QString &target) {
            return putJournalAt(target, bytes, *mode).map([&](FileIdentity put) { identity = put; });
        });
    if (!placed)
        return failure(placed.error().at(Stage::Journal));
    return PutJournal{*placed, identity};
}

// The card and its sync, and the check that the file is still the one at its path.
Result<void> writeCard(const CardFile &file, const JournalEntry &entry)
{
    Result<void> done = file.writeAt(entry.offset, entry.card);
    if (done)
        done = syncData(file.fd());
    // Renamed or removed between the first look and the write, by a writer that ignores
    // the lock: the card went into a file nobody reaches any more.
    if (done)
        done = file.stillAtPath();
    if (!done) {
        done.error().path = file.path();
        done.error().stage = Stage::Card;
    }
    return done;
}

} // namespace

Result<QString> fileCard(const CardFile &file, qint32 number, const CardRecord &card,
                         const QString &fallbackFolder)
{
    if (Result<void> valid = checkCardNumber(number, file.path()); !valid)
        return failure(valid.error().at(Stage::Card));
    if (file.isReadOnly())
        return failure(file.readOnlyReason().at(Stage::Card));
    JournalEntry entry;
    entry.offset = qint64(number - 1) * RecordLength;
    entry.card = QByteArray(card.bytes().data(), RecordLength);
    if (entry.offset + RecordLength > MaxFileLength)
        return failure(Failure{Fault::TooLong, 0, file.path()}.at(Stage::Card));
    // A card written into a file nobody can reach any more is a card lost.
    if (Result<void> there = file.stillAtPath(); !there)
        return failure(there.error().at(Stage::Card));

    const Result<qint64> oldLength = file.storedLength();
    if (!oldLength)
        return failure(Failure(oldLength.error()).at(Stage::Card));
    entry.oldLength = *oldLength;
    entry.old = QByteArray(std::clamp<qint64>(*oldLength - entry.offset, 0, RecordLength), Qt::Uninitialized);
    if (const Result<qint64> got = file.readAt(entry.offset, entry.old.data(), entry.old.size()); !got)
        return failure(Failure(got.error()).at(Stage::Card)); // nothing written yet: the typing stays
    else if (*got != entry.old.size())
        return failure(Failure{Fault::Changed, 0, file.path()}.at(Stage::Card));

    // The journal first: from now on a crash at any moment leaves either the old card or,
    // once the journal is gone, the new one.
    const Result<PutJournal> journal = putJournal(file, encodeJournal(entry), fallbackFolder);
    if (!journal)
        return tl::unexpected(journal.error());

    Result<void> filed = writeCard(file, entry);
    if (!filed) {
        // The journal stays when the old card cannot be put back: the next editor does.
        if (const Result<void> back = putBack(file, entry); !back) {
            filed.error().cardMayBeTorn = true;
            return tl::unexpected(filed.error());
        }
    }
    if (Result<void> removed = removeFile(journal->path, journal->identity); !removed && filed) {
        // A journal that stays would undo the card at the next start: undone now, so that
        // what the keeper is told is what the next editor finds.
        filed = failure(removed.error().at(Stage::JournalRemoval));
        filed.error().path = journal->path;
        filed.error().cardMayBeTorn = !putBack(file, entry).has_value();
    }
    if (!filed)
        return tl::unexpected(filed.error());
    return journal->path;
}

} // namespace velmora
