// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardrecord.h"
#include "filedescriptor.h"

#include <QByteArrayView>
#include <QString>

#include <algorithm>
#include <cstring>

#include <sys/types.h>

namespace velmora {

// Cards in a file of `length` bytes: the length over 195 rounded to the nearest whole
// number, with no lower bound (the About window shows 0 for an empty file).
qint32 roundedCardCount(qint64 length);
// The card count the windows use: at least 1, so an empty file offers one empty card.
qint32 cardCountForLength(qint64 length);
// Cards that hold at least one byte of a file of `length` bytes, a partial last card
// however short included: a card appended goes after them, so that it overwrites nothing.
qint32 cardsHeld(qint64 length);

constexpr qint64 MaxFileLength = 2147483647; // lengths are 32-bit signed numbers

// The errors for which a file that cannot be written may still be read.
bool isWriteRefusal(int error);

// Card numbers start at 1: a number below that is a fault of the calling code, stopped at
// once in a debug build and refused in a release one, where it would reach before the file.
// Inline, as the scan of every card calls it.
[[nodiscard]] inline Result<void> checkCardNumber(qint64 number, const QString &path)
{
    Q_ASSERT_X(number >= 1, "checkCardNumber", "a card number below 1");
    if (number < 1) [[unlikely]]
        return failure(Fault::System, path, EINVAL);
    return {};
}

// The random-access file of cards: its bytes read and written at an offset, nothing more.
// One handle per window; nothing is cached. Making a write durable and all or nothing is
// the editing library's (src/editing).
class CardFile
{
public:
    CardFile() = default;
    CardFile(const CardFile &) = delete;
    CardFile &operator=(const CardFile &) = delete;

    // The path is opened one folder at a time (openParent()): a link on the way that a
    // stranger could have put there is refused, the user's own are followed. Anything but
    // a regular file (a folder, a FIFO, a socket, a device) is refused at once, without
    // waiting on it.
    // Only the editing library opens a card file for writing (openToEdit() of
    // src/editing/editablecardfile.h), and hands the descriptor over with adopt().
    enum class Access {
        // For browsing: reading only, so that no path of a browsing window can write, but
        // a missing file is still created empty, as the program always has.
        Browse,
        // Reading only and never creating, whoever runs the program and whatever the
        // permissions say: a bibliography that belongs to the installation.
        ReadOnly,
    };
    // A file too long to count is refused (Fault::TooLong).
    [[nodiscard]] Result<void> open(const QString &path, Access access);
    // Takes over `fd`, open on the card file at `path`: for reading only when `writeRefused`,
    // the error of its opening for writing, is not 0. Counted as open() counts.
    [[nodiscard]] Result<void> adopt(FileDescriptor fd, const QString &path, int writeRefused);
    // Opens for reading only, never creating, whatever the file's length.
    [[nodiscard]] Result<void> openForReading(const QString &path);
    void close() { m_fd.reset(); }
    bool isOpen() const { return m_fd.isValid(); }
    bool isReadOnly() const { return m_readOnly; }
    // Why a file opened for reading only cannot be written (Fault::ReadOnly, its error 0
    // when it was asked to be); only while isReadOnly().
    Failure readOnlyReason() const;
    const QString &path() const { return m_path; }
    int fd() const { return m_fd.get(); }
    [[nodiscard]] Result<FileIdentity> identity() const; // of the open file

    // The length, refused with Fault::TooLong (and the length) past MaxFileLength.
    [[nodiscard]] Result<qint64> length() const;
    // The length as stored, however long.
    [[nodiscard]] Result<qint64> storedLength() const;
    [[nodiscard]] Result<qint32> cardCount() const;

    // Bytes past the end of the file read as blanks.
    [[nodiscard]] Result<CardRecord> read(qint32 number) const;
    // Reads up to `bytes` bytes, the records from card `first` on, into `buffer`; gives the
    // number of bytes read (fewer at the end of the file).
    [[nodiscard]] Result<qint64> readBlock(qint32 first, char *buffer, qint64 bytes) const;
    // The same from byte `offset` on.
    [[nodiscard]] Result<qint64> readAt(qint64 offset, char *buffer, qint64 bytes) const;
    // Puts `bytes` at `offset`, growing the file past its end; not yet on the medium.
    [[nodiscard]] Result<void> writeAt(qint64 offset, QByteArrayView bytes) const;

    // Fault::Removed or Fault::Replaced when the open file is no longer the one at its
    // path: a card written into it would be lost.
    [[nodiscard]] Result<void> stillAtPath() const;
    // The permission bits of the open file, for the copies made of it.
    [[nodiscard]] Result<mode_t> permissionBits() const;

private:
    Result<void> openWalked(const QString &path, Access access);
    Result<void> counted();               // closes a file too long to count
    Failure named(Failure failure) const; // the failure told of the path as given

    FileDescriptor m_fd;
    bool m_readOnly = false;
    int m_writeRefused = 0; // errno of the refused opening for writing
    QString m_path;
    QByteArray m_nativeAbsolute; // the path as it stood at opening, immune to a later cd
};

// Reads the records of one scan in large blocks. It reads each exactly once, in
// increasing order, and keeps nothing once the scan is over.
class CardReader
{
public:
    // The one block size of every reader of whole files: large enough that the system
    // calls cost nothing next to the scan, small enough to stay in the caches.
    static constexpr qint64 BlockCards = 4096;
    static constexpr qint64 BlockBytes = BlockCards * RecordLength;

    explicit CardReader(const CardFile &file);
    // Card `number` into `card`; past the end of the file the bytes read as blanks. A card
    // of the block at hand is copied inline: a scan reads a million of them.
    [[nodiscard]] Result<void> read(qint32 number, CardRecord &card)
    {
        if (m_first != 0 && number >= m_first && qint64(number - m_first) < BlockCards) [[likely]] {
            copyOut(QByteArrayView(m_block.constData() + held(number), available(number)), card);
            return {};
        }
        return readBlockFor(number, card);
    }
    // The stored bytes of record `number`: 195, fewer for a partial last record, none
    // past the end; valid until the next call.
    [[nodiscard]] Result<QByteArrayView> stored(qint32 number);

private:
    qint64 held(qint32 number) const { return qint64(number - m_first) * RecordLength; }
    qint64 available(qint32 number) const
    {
        return std::clamp<qint64>(m_filled - held(number), 0, RecordLength);
    }
    static void copyOut(QByteArrayView bytes, CardRecord &card)
    {
        char *dst = card.bytes().data();
        std::memcpy(dst, bytes.data(), size_t(bytes.size()));
        std::memset(dst + bytes.size(), ' ', size_t(RecordLength - bytes.size()));
    }
    Result<void> readBlockFor(qint32 number, CardRecord &card);

    const CardFile &m_file;
    QByteArray m_block;
    qint32 m_first = 0; // card number of the block's first record; 0 = none
    qint64 m_filled = 0;
};

} // namespace velmora
