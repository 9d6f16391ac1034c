// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "cardjournal.h"

#include "cardfilelock.h"
#include "fileops.h"
#include "programfiles.h"
#include "trust.h"

#include <QFile>
#include <QtEndian>

#include <algorithm>
#include <array>

#include <cerrno>
#include <fcntl.h>
#include <sys/stat.h>
#include <zlib.h>

namespace velmora {

namespace {

constexpr char Magic[] = "VELMORA JOURNAL2";
constexpr qsizetype MagicLength = sizeof Magic - 1;
// magic, offset, old length, old bytes that follow; the old bytes, the card, the CRC
constexpr qsizetype HeaderLength = MagicLength + 3 * 8;
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
    QByteArray bytes(Magic, MagicLength);
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
    if (bytes.size() < HeaderLength + RecordLength + 4 || !bytes.startsWith(QByteArray(Magic, MagicLength)))
        return std::nullopt;
    const auto at = [&](int field) {
        return qFromLittleEndian<quint64>(bytes.constData() + MagicLength + 8 * field);
    };
    const quint64 count = at(2);
    if (count > quint64(RecordLength) || bytes.size() != HeaderLength + qsizetype(count) + RecordLength + 4)
        return std::nullopt;
    const qsizetype body = bytes.size() - 4;
    if (qFromLittleEndian<quint32>(bytes.constData() + body) != crcOf(bytes.constData(), body))
        return std::nullopt;
    JournalEntry entry;
    entry.offset = qint64(at(0));
    entry.oldLength = qint64(at(1));
    entry.old = bytes.mid(HeaderLength, qsizetype(count));
    entry.card = bytes.mid(HeaderLength + qsizetype(count), RecordLength);
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
        if (!st || st->st_nlink != 1)
            continue;
        const bool own = ownedByUser(*st);
        const bool anotherKeepers = !own && place == places.first() && card && mayWrite(st->st_uid, *card);
        if (!own && !anotherKeepers)
            continue;
        const Result<QByteArray> bytes = readWhole(fd->get(), MostJournalBytes);
        return FoundJournal{place, identityOf(*st), bytes ? decodeJournal(*bytes) : std::nullopt,
                            own ? QString() : userName(st->st_uid)};
    }
    return std::nullopt;
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
        isNew[i] = present && now[i] == entry.card[i];
    }
    const auto wholly = [](const std::array<bool, RecordLength> &of, qint64 from, qint64 to) {
        return std::all_of(of.begin() + from, of.begin() + to, [](bool b) { return b; });
    };
    const bool untouched = *length == entry.oldLength && wholly(isOld, 0, RecordLength);
    if (untouched)
        return JournalMatch::Untouched;
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

bool editingWasInterrupted(const QString &cardPath, const QString &fallbackFolder)
{
    const std::optional<FoundJournal> found = findJournal(cardPath, fallbackFolder);
    if (!found || !found->entry)
        return false;
    CardFile file;
    if (!file.openForReading(cardPath))
        return false;
    const Result<JournalMatch> match = matchJournal(file, *found->entry);
    if (!match || *match == JournalMatch::Untouched)
        return false;
    // An editor filing this moment has a journal too, and holds the lock.
    return !editorHolds(file.fd(), cardPath);
}

} // namespace velmora
