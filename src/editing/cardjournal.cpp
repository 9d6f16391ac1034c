// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardjournal.h"

#include "cardfilelock.h"
#include "fileops.h"
#include "pathwalk.h"
#include "placement.h"
#include "programfiles.h"
#include "trust.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <array>
#include <iterator>
#include <utility>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <zlib.h>

namespace velmora {

namespace {

// Each begins with its magic and 64-bit fields, any identity first, then the offset, the old
// length and the number of old bytes that follow; then the old bytes, the card and the CRC.
struct Format
{
    char magic[17];
    int identityFields; // the card file's device and inode
    qsizetype cardBytes;
};
constexpr qsizetype MagicLength = 16;
constexpr Format Current{"VELMORA JOURNAL2", 0, RecordLength};
// The previous release's, which knew its filing by the file and held no new card.
constexpr Format Previous{"VELMORA JOURNAL1", 2, 0};
constexpr const Format *Formats[] = {&Current, &Previous};
// The unit a medium writes whole or not at all, as far as the journal relies on it.
constexpr qint64 SectorBytes = 512;
constexpr qint64 MostJournalBytes = 4096;

quint32 crcOf(const char *data, qsizetype size)
{
    return quint32(::crc32(::crc32(0L, Z_NULL, 0), reinterpret_cast<const Bytef *>(data), uInt(size)));
}

void append64(QByteArray &bytes, quint64 value)
{
    char le[8];
    qToLittleEndian(value, le);
    bytes.append(le, 8);
}

// A journal of either format, or the beginning of one, an empty file included: what a filing
// cut short while it wrote its journal leaves, before it touched the card.
bool beginsAsJournal(const QByteArray &bytes)
{
    return std::any_of(std::begin(Formats), std::end(Formats), [&](const Format *f) {
        const QByteArrayView magic(f->magic, MagicLength);
        return bytes.startsWith(magic) || magic.startsWith(bytes);
    });
}

// What stands at a journal's name, by its bytes as far as they could be read.
std::pair<JournalForm, std::optional<JournalEntry>> readJournal(const Result<QByteArray> &bytes)
{
    if (!bytes)
        return {JournalForm::Unread, std::nullopt};
    std::optional<JournalEntry> entry = decodeJournal(*bytes);
    if (entry)
        return {JournalForm::Whole, std::move(entry)};
    return {beginsAsJournal(*bytes) ? JournalForm::CutShort : JournalForm::Unread, std::nullopt};
}

} // namespace

QString journalBeside(const QString &cardPath)
{
    return besideCardFile(cardPath, JournalSuffix);
}

QString journalInFolder(const QString &cardPath, const QString &folder)
{
    return inDataFolder(cardPath, folder, JournalSuffix);
}

QByteArray encodeJournal(const JournalEntry &entry)
{
    QByteArray bytes(Current.magic, MagicLength);
    append64(bytes, quint64(entry.offset));
    append64(bytes, quint64(entry.oldLength));
    append64(bytes, quint64(entry.old.size()));
    bytes += entry.old;
    bytes += entry.card;
    char crc[4];
    qToLittleEndian(crcOf(bytes.constData(), bytes.size()), crc);
    return bytes.append(crc, 4);
}

std::optional<JournalEntry> decodeJournal(const QByteArray &bytes)
{
    const auto format = std::find_if(std::begin(Formats), std::end(Formats), [&](const Format *f) {
        return bytes.startsWith(QByteArrayView(f->magic, MagicLength));
    });
    if (format == std::end(Formats))
        return std::nullopt;
    const int first = (*format)->identityFields;
    const qsizetype header = MagicLength + (first + 3) * 8;
    const qsizetype cardBytes = (*format)->cardBytes;
    if (bytes.size() < header + cardBytes + 4)
        return std::nullopt;
    const auto at = [&](int field) {
        return qFromLittleEndian<quint64>(bytes.constData() + MagicLength + 8 * field);
    };
    const quint64 count = at(first + 2);
    if (count > quint64(RecordLength) || bytes.size() != header + qsizetype(count) + cardBytes + 4)
        return std::nullopt;
    const qsizetype body = bytes.size() - 4;
    if (qFromLittleEndian<quint32>(bytes.constData() + body) != crcOf(bytes.constData(), body))
        return std::nullopt;
    JournalEntry entry;
    entry.offset = qint64(at(first));
    entry.oldLength = qint64(at(first + 1));
    entry.old = bytes.mid(header, qsizetype(count));
    entry.card = bytes.mid(header + qsizetype(count), cardBytes);
    if (first > 0)
        entry.file = FileIdentity{at(0), at(1)};
    if (entry.offset < 0 || entry.offset % RecordLength != 0 || entry.oldLength < 0 ||
        entry.oldLength > MaxFileLength ||
        qint64(count) != std::clamp<qint64>(entry.oldLength - entry.offset, 0, RecordLength))
        return std::nullopt;
    return entry;
}

std::optional<FoundJournal> findJournal(const QString &cardPath, const QString &fallbackFolder)
{
    QStringList places{journalBeside(cardPath)};
    if (!fallbackFolder.isEmpty())
        places << journalInFolder(cardPath, fallbackFolder);
    const Result<struct stat> card = statusAt(cardPath);
    for (const QString &place : places) {
        const Result<FileDescriptor> fd = openRegularFile(QFile::encodeName(place), O_RDONLY | O_NOFOLLOW);
        if (!fd)
            continue;
        const Result<struct stat> st = statusOf(fd->get());
        if (!st)
            continue;
        const bool own = ownedByUser(*st);
        const bool counts =
            own ? st->st_nlink == 1 : card && !whyNotKeepersFile(place, *st, *card, place == places.first());
        // Another keeper's journal that only its owner may remove is emptied once spent
        // (removeSpentJournal()): nothing of it is left to find.
        if (!counts || (!own && st->st_size == 0))
            continue;
        auto [form, entry] = readJournal(readWhole(fd->get(), MostJournalBytes));
        return FoundJournal{place, identityOf(*st), form, std::move(entry),
                            own ? QString() : userName(st->st_uid)};
    }
    return std::nullopt;
}

namespace {

// The previous format holds no new card, so it cannot tell that filing's card, or part of it,
// from a later change at its place. It undoes only in the very file it was written for, and
// only to a length that filing could have left (matchJournal() checks it for both formats): a
// later change undone there is handed back as typing, not lost. The device's number may
// change across a reboot; such a journal is then left alone, which loses nothing either.
Result<JournalMatch> matchWithoutCard(const CardFile &file, const JournalEntry &entry)
{
    const Result<FileIdentity> identity = file.identity();
    if (!identity)
        return tl::unexpected(identity.error());
    return *identity == entry.file ? JournalMatch::Undoable : JournalMatch::Changed;
}

} // namespace

Result<SpentJournal> removeSpentJournal(const FoundJournal &found)
{
    const Result<void> removed = removeJournal(found);
    if (removed)
        return SpentJournal::Removed;
    const int error = removed.error().fault == Fault::System ? removed.error().error : 0;
    if (found.keeper.isEmpty() || (error != EPERM && error != EACCES))
        return tl::unexpected(removed.error());
    // The very file found, not whatever stands at its name by now.
    const Result<OpenedParent> parent = openParent(found.path);
    Result<FileDescriptor> fd =
        parent ? openRegularFile(parent->name, O_WRONLY | O_NOFOLLOW, 0, parent->folder.get())
               : tl::unexpected(parent.error());
    if (!fd)
        return tl::unexpected(removed.error());
    const Result<FileIdentity> identity = identityOf(fd->get());
    if (!identity || *identity != found.identity)
        return failure(Fault::Replaced, found.path);
    Result<void> emptied = truncateTo(fd->get(), 0);
    if (emptied)
        emptied = syncAll(fd->get());
    if (!emptied) {
        emptied.error().path = found.path;
        return tl::unexpected(emptied.error());
    }
    return SpentJournal::Emptied;
}

Result<JournalMatch> matchJournal(const CardFile &file, const JournalEntry &entry)
{
    const Result<qint64> length = file.storedLength();
    if (!length)
        return tl::unexpected(length.error());
    const qint64 end = entry.offset + RecordLength;
    if (*length < entry.oldLength || *length > qMax(entry.oldLength, end))
        return JournalMatch::Changed;
    QByteArray now(RecordLength, '\0');
    const Result<qint64> got = file.readAt(entry.offset, now.data(), RecordLength);
    if (!got)
        return tl::unexpected(got.error());
    // Byte by byte, what the old card and the new one would have there.
    std::array<bool, RecordLength> isOld{};
    std::array<bool, RecordLength> isNew{};
    for (qint64 i = 0; i < RecordLength; ++i) {
        const qint64 p = entry.offset + i;
        const bool present = p < *length;
        // Past the old end the old card had no bytes: absent, or the zeros of a hole.
        isOld[i] = p < entry.oldLength ? present && now[i] == entry.old[i] : !present || now[i] == 0;
        isNew[i] = present && i < entry.card.size() && now[i] == entry.card[i];
    }
    const auto wholly = [](const std::array<bool, RecordLength> &of, qint64 from, qint64 to) {
        return std::all_of(of.begin() + from, of.begin() + to, [](bool b) { return b; });
    };
    const bool untouched = *length == entry.oldLength && wholly(isOld, 0, RecordLength);
    if (untouched)
        return JournalMatch::Untouched;
    if (entry.file)
        return matchWithoutCard(file, entry);
    // Sector by sector, each wholly old or wholly new: a medium writes no less.
    bool sectors = true;
    for (qint64 from = entry.offset; from < end; from = (from / SectorBytes + 1) * SectorBytes) {
        const qint64 to = qMin(end, (from / SectorBytes + 1) * SectorBytes);
        sectors = sectors && (wholly(isOld, from - entry.offset, to - entry.offset) ||
                              wholly(isNew, from - entry.offset, to - entry.offset));
    }
    // Or a write cut short by the program's end: the new card's first bytes, then the old.
    qint64 written = 0;
    while (written < RecordLength && isNew[written])
        ++written;
    const bool cutShort = wholly(isOld, written, RecordLength);
    return sectors || cutShort ? JournalMatch::Undoable : JournalMatch::Changed;
}

Result<void> putBack(const CardFile &file, const JournalEntry &entry)
{
    Result<void> done = file.writeAt(entry.offset, entry.old);
    const Result<qint64> length = file.storedLength();
    if (done && !length)
        done = tl::unexpected(length.error());
    if (done && *length > entry.oldLength)
        done = truncateTo(file.fd(), entry.oldLength);
    if (done)
        done = syncData(file.fd());
    if (!done)
        done.error().path = file.path();
    return done;
}

Result<JournalVerdict> judgeJournal(const FoundJournal &found, const CardFile &file)
{
    if (found.form == JournalForm::Unread)
        return JournalVerdict{JournalAction::Unread, Failure{Fault::UnknownJournal, 0, found.path}, {}};
    // A journal cut short was written before the card was touched.
    if (!found.entry)
        return JournalVerdict{};
    const Result<JournalMatch> match = matchJournal(file, *found.entry);
    if (!match)
        return tl::unexpected(match.error());
    if (*match == JournalMatch::Untouched)
        return JournalVerdict{};
    if (*match == JournalMatch::Changed)
        return JournalVerdict{JournalAction::Outdated, Failure{Fault::Changed, 0, found.path}, {}};
    // Without a card of its own, the previous format's is what its place holds now.
    const Result<CardRecord> filed = found.entry->card.isEmpty() ? file.read(found.entry->cardNumber())
                                                                 : CardRecord::fromBytes(found.entry->card);
    if (!filed)
        return tl::unexpected(filed.error());
    return JournalVerdict{JournalAction::Undo, Failure(), *filed};
}

Result<void> removeJournal(const FoundJournal &found)
{
    if (found.form == JournalForm::Unread)
        return failure(Fault::UnknownJournal, found.path);
    return removeFile(found.path, found.identity);
}

std::optional<JournalVerdict> editingWasInterrupted(const QString &cardPath, const QString &fallbackFolder)
{
    const std::optional<FoundJournal> found = findJournal(cardPath, fallbackFolder);
    if (!found)
        return std::nullopt;
    CardFile file;
    if (!file.openForReading(cardPath))
        return std::nullopt;
    const Result<JournalVerdict> verdict = judgeJournal(*found, file);
    // An editor filing this moment has a journal too, and holds the lock.
    if (!verdict || verdict->action == JournalAction::Remove || editorHolds(file.fd(), cardPath))
        return std::nullopt;
    return *verdict;
}

} // namespace velmora
