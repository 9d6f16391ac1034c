#pragma once

#include "cardrecord.h"
#include "filedescriptor.h"

#include <QString>

#include <stdexcept>

namespace velmora {

enum class FilingStep;

// A failure of the card file that no window handles: the program reports it and ends.
class CardFileError : public std::runtime_error
{
public:
    CardFileError(QString path, QString reason);
    const QString &path() const { return m_path; }
    const QString &reason() const { return m_reason; }
    QString message() const; // names the file and gives the reason, in Greek

private:
    QString m_path;
    QString m_reason;
};

// Card number below 1: the one error a caller may catch.
class BadRecordNumber : public std::runtime_error
{
public:
    explicit BadRecordNumber(qint64 number);
};

// Cards in a file of `length` bytes: the length over 195 rounded to the nearest whole
// number, with no lower bound (the About window shows 0 for an empty file).
qint32 roundedCardCount(qint64 length);
// The card count the windows use: at least 1, so an empty file offers one empty card.
qint32 cardCountForLength(qint64 length);
// Cards that hold at least one byte of a file of `length` bytes, a partial last card
// however short included: a card appended goes after them, so that it overwrites nothing.
qint32 cardsHeld(qint64 length);

constexpr qint64 MaxFileLength = 2147483647; // lengths are 32-bit signed numbers

// Which file an open descriptor or a path stands for, whatever name reached it.
struct FileIdentity
{
    quint64 device = 0;
    quint64 inode = 0;
    bool operator==(const FileIdentity &) const = default;
};

// The random-access file of cards. One handle per window; nothing is cached.
class CardFile
{
public:
    CardFile() = default;
    ~CardFile();
    CardFile(const CardFile &) = delete;
    CardFile &operator=(const CardFile &) = delete;

    // Anything but a regular file (a folder, a FIFO, a socket, a device) is refused at
    // once, without waiting on it. Throws CardFileError.
    enum class Access {
        // For editing: reading and writing, creating a missing file empty. A file that can
        // be read but not written is opened for reading, and a write is then reported like
        // any other failure.
        ReadWrite,
        // For browsing: reading only, so that no path of a browsing window can write, but
        // a missing file is still created empty, as the program always has.
        Browse,
        // Reading only and never creating, whoever runs the program and whatever the
        // permissions say: a bibliography that belongs to the installation.
        ReadOnly,
    };
    void open(const QString &path, Access access = Access::ReadWrite);
    // For a reader that words its own failures (the card tool): opens for reading only,
    // never creating, and throws nothing.
    tl::expected<void, OpenFailure> openForReading(const QString &path);
    void close();
    bool isOpen() const { return m_fd.isValid(); }
    bool isReadOnly() const { return m_readOnly; }
    // Why a file opened for reading only cannot be written, in Greek; empty otherwise.
    QString readOnlyReason() const;
    const QString &path() const { return m_path; }
    FileIdentity identity() const; // of the open file; throws CardFileError

    qint64 length() const; // throws CardFileError
    // The length as stored, however long; throws nothing.
    Result<qint64> storedLength() const;
    qint32 cardCount() const { return cardCountForLength(length()); }

    // Bytes past the end of the file read as blanks.
    CardRecord read(qint32 number) const;
    // Puts the 195 bytes at card `number` (past the end the file grows) and has them on
    // the medium before it returns, all or nothing even across a crash: through the
    // rollback journal (cardjournal.h), beside the file or else in `journalFallback`.
    // Refuses to write when the file has been removed or another file now stands at its
    // path, and reports a card as not written when that happened during the write. On
    // failure the file is left as it was (a card written in part is put back, a file grown
    // in part is cut back) and the Failure says why, in Greek; BadRecordNumber for a
    // number below 1, a programming fault.
    [[nodiscard]] Result<void> write(qint32 number, const CardRecord &card,
                                     const QString &journalFallback = QString());
    // Why the open file is no longer the one at its path, in Greek; empty while it is.
    QString stillAtPath() const;
    // The permission bits of the open file, for the copies made of it.
    Result<unsigned> permissionBits() const;

    // Reads up to `bytes` bytes, the records from card `first` on, into `buffer`; returns
    // the number of bytes read (fewer at the end of the file).
    qint64 readBlock(qint32 first, char *buffer, qint64 bytes) const;
    // The same from byte `offset` on, throwing nothing: the reason in Greek and the errno.
    Result<qint64> readAt(qint64 offset, char *buffer, qint64 bytes) const;

private:
    [[noreturn]] void fail(int errorNumber) const;
    [[noreturn]] void fail(const QString &reason) const;
    static void step(FilingStep reached);
    Result<QString> putJournal(const QByteArray &bytes, const QString &path) const;
    Result<void> removeJournal(const QString &path) const;
    bool putBack(qint64 offset, const QByteArray &old, qint64 oldLength) const;

    FileDescriptor m_fd;
    bool m_readOnly = false;
    int m_writeRefused = 0; // errno of the refused opening for writing
    QString m_path;
    QByteArray m_nativeAbsolute; // the path as it stood at opening, immune to a later cd
};

// Reads the cards of one scan in large blocks. It reads each card exactly once, in
// increasing order, and keeps nothing once the scan is over.
class CardReader
{
public:
    explicit CardReader(const CardFile &file);
    // Card `number` into `card`; past the end of the file the bytes read as blanks.
    void read(qint32 number, CardRecord &card);

private:
    static constexpr qint64 BlockCards = 4096;
    const CardFile &m_file;
    QByteArray m_block;
    qint32 m_first = 0; // card number of the block's first record; 0 = none
    qint64 m_filled = 0;
};

// The system's reason for an errno, in Greek.
QString greekReason(int errorNumber);
// The system's reason when writing failed: as greekReason(), except that EFBIG is then the
// system's limit on file sizes, not the program's.
QString greekWriteReason(int errorNumber);
// Another file now stands at the path of the one opened, in Greek.
QString replacedReason();
// The errors for which a file that cannot be written may still be read.
bool isWriteRefusal(int error);
// Why a file that refused to be opened for writing (`error`) is only read, in Greek.
QString writeRefusedReason(int error);
// Why a FIFO, a socket or a device cannot be a card file, in Greek.
QString notRegularReason(FileKind kind);
// Why a card file could not be opened, in Greek.
QString openFailureReason(const OpenFailure &failure);

} // namespace velmora
