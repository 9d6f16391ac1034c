#include "cardfile.h"

#include "cardjournal.h"
#include "ownfile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

CardFileError::CardFileError(QString path, QString reason)
    : std::runtime_error((path + QStringLiteral(": ") + reason).toStdString()), m_path(std::move(path)),
      m_reason(std::move(reason))
{
}

QString CardFileError::message() const
{
    return QStringLiteral("Το αρχείο καρτελλών «%1» δεν μπορεί να χρησιμοποιηθεί.\n%2").arg(m_path, m_reason);
}

BadRecordNumber::BadRecordNumber(qint64 number)
    : std::runtime_error("bad record number " + std::to_string(number))
{
}

qint32 roundedCardCount(qint64 length)
{
    return qint32((length + RecordLength / 2) / RecordLength);
}

qint32 cardCountForLength(qint64 length)
{
    const qint32 count = roundedCardCount(length);
    return count < 1 ? 1 : count;
}

qint32 cardsHeld(qint64 length)
{
    return qint32((length + RecordLength - 1) / RecordLength);
}

namespace {

// Why a file was opened for reading only, beside the errno values: it was asked to be.
constexpr int AskedReadOnly = -1;

// The path as it stands now, immune to a later change of folder. Not cleaned of "..": the
// system, not Qt, decides what a path through a link names.
QByteArray nativeAbsolute(const QString &path)
{
    return QFile::encodeName(
        path.startsWith(QLatin1Char('/')) ? path : QDir::currentPath() + QLatin1Char('/') + path);
}

} // namespace

CardFile::~CardFile()
{
    close();
}

void CardFile::open(const QString &path, Access access)
{
    close();
    m_path = path;
    const QByteArray native = QFile::encodeName(path);
    m_nativeAbsolute = nativeAbsolute(path);
    bool readOnly = access != Access::ReadWrite;
    int writeError = readOnly ? AskedReadOnly : 0;
    const int flags = access == Access::ReadWrite ? O_RDWR | O_CREAT
                      : access == Access::Browse  ? O_RDONLY | O_CREAT
                                                  : O_RDONLY;
    auto opened = openRegularFile(native, flags);
    if (!opened && access == Access::ReadWrite && isWriteRefusal(opened.error().error)) {
        writeError = opened.error().error;
        opened = openRegularFile(native, O_RDONLY);
        if (!opened && opened.error().error == ENOENT)
            opened.error().error = writeError;
        readOnly = true;
    }
    if (!opened)
        fail(openFailureReason(opened.error()));
    m_fd = std::move(*opened);
    m_readOnly = readOnly;
    m_writeRefused = writeError;
    length(); // refuses a file too long to count
}

tl::expected<void, OpenFailure> CardFile::openForReading(const QString &path)
{
    close();
    m_path = path;
    m_nativeAbsolute = nativeAbsolute(path);
    auto opened = openRegularFile(QFile::encodeName(path), O_RDONLY);
    if (!opened)
        return tl::unexpected(opened.error());
    m_fd = std::move(*opened);
    m_readOnly = true;
    m_writeRefused = AskedReadOnly;
    return {};
}

QString CardFile::readOnlyReason() const
{
    if (!m_readOnly)
        return {};
    if (m_writeRefused == AskedReadOnly)
        return QStringLiteral("Το αρχείο ανοίχτηκε μόνο για ανάγνωση.");
    return writeRefusedReason(m_writeRefused);
}

QString writeRefusedReason(int error)
{
    const QString why = error == EROFS ? QStringLiteral("το μέσο αποθήκευσης δεν δέχεται εγγραφές")
                                       : QStringLiteral("δεν επιτρέπεται η εγγραφή σε αυτό");
    return QStringLiteral("Το αρχείο ανοίχτηκε μόνο για ανάγνωση: %1.").arg(why);
}

bool isWriteRefusal(int error)
{
    return error == EACCES || error == EROFS || error == EPERM || error == ETXTBSY;
}

FileIdentity CardFile::identity() const
{
    struct stat st = {};
    if (::fstat(m_fd.get(), &st) != 0)
        fail(errno);
    return {quint64(st.st_dev), quint64(st.st_ino)};
}

void CardFile::close()
{
    m_fd.reset();
}

Result<qint64> CardFile::storedLength() const
{
    struct stat st = {};
    if (::fstat(m_fd.get(), &st) != 0)
        return failure(greekReason(errno), errno);
    return qint64(st.st_size);
}

qint64 CardFile::length() const
{
    struct stat st = {};
    if (::fstat(m_fd.get(), &st) != 0)
        fail(errno);
    if (st.st_size > MaxFileLength)
        fail(EFBIG);
    return st.st_size;
}

void CardFile::fail(int errorNumber) const
{
    fail(greekReason(errorNumber));
}

void CardFile::fail(const QString &reason) const
{
    throw CardFileError(m_path, reason);
}

qint64 CardFile::readBlock(qint32 first, char *buffer, qint64 bytes) const
{
    if (first < 1)
        throw BadRecordNumber(first);
    const Result<qint64> done = readAt(qint64(first - 1) * RecordLength, buffer, bytes);
    if (!done)
        fail(done.error().reason);
    return *done;
}

Result<qint64> CardFile::readAt(qint64 offset, char *buffer, qint64 bytes) const
{
    qint64 done = 0;
    while (done < bytes) {
        const ssize_t got = ::pread(m_fd.get(), buffer + done, size_t(bytes - done), off_t(offset + done));
        if (got < 0) {
            if (errno == EINTR)
                continue;
            return failure(greekReason(errno), errno);
        }
        if (got == 0)
            break;
        done += got;
    }
    return done;
}

CardRecord CardFile::read(qint32 number) const
{
    CardRecord card;
    readBlock(number, card.bytes().data(), RecordLength);
    // A short read leaves the rest of the record as the blanks it was made with.
    return card;
}

Result<void> CardFile::write(qint32 number, const CardRecord &card, const QString &journalFallback)
{
    if (number < 1)
        throw BadRecordNumber(number);
    if (m_readOnly)
        return failure(readOnlyReason(), EBADF);
    const off_t offset = off_t(number - 1) * RecordLength;
    if (offset + RecordLength > MaxFileLength)
        return failure(greekReason(EFBIG), EFBIG);
    // A card written into a file nobody can reach any more is a card lost.
    if (const QString gone = stillAtPath(); !gone.isEmpty())
        return failure(gone);

    const Result<qint64> oldLength = storedLength();
    if (!oldLength)
        return failure(greekWriteReason(oldLength.error().error), oldLength.error().error);
    QByteArray old(std::clamp<qint64>(*oldLength - offset, 0, RecordLength), Qt::Uninitialized);
    if (!old.isEmpty()) {
        const Result<qint64> got = readAt(offset, old.data(), old.size());
        if (!got)
            return tl::unexpected(got.error()); // nothing written yet: the typed card is not lost
        old.resize(*got);
    }

    // The journal first: from now on a crash at any moment leaves either the old card or,
    // once the journal is gone, the new one.
    const FileIdentity identity = this->identity();
    const QByteArray journalBytes = encodeJournal({identity, offset, *oldLength, old});
    Result<QString> journal = putJournal(journalBytes, journalBeside(m_path));
    if (!journal && !journalFallback.isEmpty()) {
        const QString beside = journal.error().reason;
        journal = QDir().mkpath(journalFallback)
                      ? putJournal(journalBytes, journalInFolder(m_path, journalFallback))
                      : failure(greekWriteReason(errno), errno);
        if (!journal)
            journal.error().reason = beside + QLatin1Char('\n') + journal.error().reason;
    }
    if (!journal)
        return failure(QStringLiteral("Δεν γράφτηκε το ημερολόγιο που προστατεύει την καρτέλλα, γι' αυτό δεν "
                                      "γράφτηκε τίποτα.\n") +
                           journal.error().reason,
                       journal.error().error);

    // The whole card in one call, never field by field; a call cut short is undone below.
    // Only the crash test splits it, to stop half-way.
    qint64 done = 0;
    int error = 0;
    qint64 part = filingStepHook ? RecordLength / 2 : RecordLength;
    while (done < RecordLength) {
        const ssize_t put =
            ::pwrite(m_fd.get(), card.bytes().data() + done, size_t(part - done), offset + done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            error = put < 0 ? errno : EIO;
            break;
        }
        done += put;
        if (done == part && part < RecordLength) {
            step(FilingStep::CardPartWritten);
            part = RecordLength;
        }
    }
    step(FilingStep::CardWritten);
    if (error == 0 && ::fdatasync(m_fd.get()) != 0)
        error = errno;
    step(FilingStep::CardSynced);
    QString reason = error != 0 ? greekWriteReason(error) : QString();
    // Renamed or removed between the first look and the write, by a writer that ignores
    // the lock: the card went into a file nobody reaches any more.
    if (error == 0)
        reason = stillAtPath();
    if (!reason.isEmpty() && done > 0 && !putBack(offset, old, *oldLength))
        // The journal stays: the next editor puts the old card back.
        return failure(reason + QStringLiteral(" Η καρτέλλα ίσως έμεινε μισογραμμένη στο αρχείο."), error);
    if (const Result<void> removed = removeJournal(*journal); !removed) {
        if (reason.isEmpty()) {
            // A journal that stays would undo the card at the next start: undone now, so
            // that what the keeper is told is what the next editor finds.
            reason =
                QStringLiteral("Δεν διαγράφηκε το ημερολόγιο «%1»: %2").arg(*journal, removed.error().reason);
            if (!putBack(offset, old, *oldLength))
                reason += QStringLiteral(" Η καρτέλλα ίσως έμεινε μισογραμμένη στο αρχείο.");
            error = removed.error().error;
        }
    }
    if (reason.isEmpty())
        return {};
    return failure(reason, error);
}

void CardFile::step(FilingStep reached)
{
    if (filingStepHook)
        filingStepHook(reached);
}

Result<QString> CardFile::putJournal(const QByteArray &bytes, const QString &path) const
{
    const Result<unsigned> mode = permissionBits();
    if (!mode)
        return tl::unexpected(mode.error());
    Result<OwnFile> journal = OwnFile::create(path, *mode);
    Result<void> done =
        journal ? journal->writeAll(bytes.constData(), bytes.size()) : tl::unexpected(journal.error());
    step(FilingStep::JournalWritten);
    if (done && ::fsync(journal->fd()) != 0)
        done = failure(greekWriteReason(errno), errno);
    step(FilingStep::JournalSynced);
    if (done)
        done = journal->commit();
    if (!done)
        return failure(
            QStringLiteral("Στον φάκελο «%1»: %2").arg(QFileInfo(path).absolutePath(), done.error().reason),
            done.error().error);
    step(FilingStep::JournalInPlace);
    return path;
}

Result<void> CardFile::removeJournal(const QString &path) const
{
    if (::unlink(QFile::encodeName(path).constData()) != 0 && errno != ENOENT)
        return failure(greekWriteReason(errno), errno);
    step(FilingStep::JournalUnlinked);
    return syncFolderOf(QFile::encodeName(path));
}

Result<unsigned> CardFile::permissionBits() const
{
    struct stat st = {};
    if (::fstat(m_fd.get(), &st) != 0)
        return failure(greekReason(errno), errno);
    return unsigned(st.st_mode & 07777);
}

QString CardFile::stillAtPath() const
{
    struct stat opened = {};
    struct stat named = {};
    if (::fstat(m_fd.get(), &opened) != 0)
        return greekWriteReason(errno);
    if (::stat(m_nativeAbsolute.constData(), &named) != 0) {
        if (errno == ENOENT || errno == ENOTDIR)
            return QStringLiteral("Το αρχείο διαγράφηκε ή μετακινήθηκε από τότε που ανοίχτηκε.");
        return greekWriteReason(errno);
    }
    if (opened.st_dev != named.st_dev || opened.st_ino != named.st_ino)
        return replacedReason();
    return {};
}

bool CardFile::putBack(qint64 offset, const QByteArray &old, qint64 oldLength) const
{
    bool whole = true;
    for (qint64 done = 0; done < old.size();) {
        const ssize_t put =
            ::pwrite(m_fd.get(), old.constData() + done, size_t(old.size() - done), offset + done);
        if (put < 0 && errno == EINTR)
            continue;
        if (put <= 0) {
            whole = false;
            break;
        }
        done += put;
    }
    struct stat st = {};
    if (::fstat(m_fd.get(), &st) != 0 || (st.st_size > oldLength && ::ftruncate(m_fd.get(), oldLength) != 0))
        whole = false;
    return ::fdatasync(m_fd.get()) == 0 && whole;
}

CardReader::CardReader(const CardFile &file) : m_file(file) {}

void CardReader::read(qint32 number, CardRecord &card)
{
    if (number < 1)
        throw BadRecordNumber(number);
    if (m_first == 0 || number < m_first || qint64(number - m_first) >= BlockCards) {
        m_block.resize(BlockCards * RecordLength);
        m_filled = m_file.readBlock(number, m_block.data(), m_block.size());
        m_first = number;
    }
    const qint64 at = qint64(number - m_first) * RecordLength;
    const qint64 available = std::clamp<qint64>(m_filled - at, 0, RecordLength);
    char *dst = card.bytes().data();
    std::memcpy(dst, m_block.constData() + at, size_t(available));
    std::memset(dst + available, ' ', size_t(RecordLength - available));
}

QString notRegularReason(FileKind kind)
{
    QString name;
    switch (kind) {
    case FileKind::Fifo:
        name = QStringLiteral("επώνυμη σωλήνωση (FIFO)");
        break;
    case FileKind::Socket:
        name = QStringLiteral("υποδοχή επικοινωνίας (socket)");
        break;
    case FileKind::CharDevice:
        name = QStringLiteral("συσκευή χαρακτήρων");
        break;
    case FileKind::BlockDevice:
        name = QStringLiteral("συσκευή μπλοκ");
        break;
    default:
        return QStringLiteral("Δεν είναι κανονικό αρχείο.");
    }
    return QStringLiteral("Δεν είναι κανονικό αρχείο αλλά %1.").arg(name);
}

QString openFailureReason(const OpenFailure &failure)
{
    return failure.error != 0 ? greekReason(failure.error) : notRegularReason(failure.kind);
}

QString greekReason(int errorNumber)
{
    switch (errorNumber) {
    case ENOENT:
        return QStringLiteral("Το αρχείο ή ο φάκελος δεν υπάρχει.");
    case EACCES:
    case EPERM:
        return QStringLiteral("Δεν επιτρέπεται η πρόσβαση στο αρχείο.");
    case EISDIR:
        return QStringLiteral("Πρόκειται για φάκελο, όχι για αρχείο.");
    case ENOTDIR:
        return QStringLiteral("Μέρος της διαδρομής δεν είναι φάκελος.");
    case EROFS:
        return QStringLiteral("Το μέσο αποθήκευσης είναι μόνο για ανάγνωση.");
    case ENOSPC:
        return QStringLiteral("Δεν υπάρχει ελεύθερος χώρος στο μέσο αποθήκευσης.");
    case EDQUOT:
        return QStringLiteral("Εξαντλήθηκε το όριο χώρου του χρήστη.");
    case EIO:
        return QStringLiteral("Σφάλμα εισόδου/εξόδου κατά την ανάγνωση ή την εγγραφή.");
    case EFBIG:
        return QStringLiteral(
            "Το αρχείο είναι μεγαλύτερο από 2.147.483.647 bytes, το όριο του προγράμματος.");
    case EBADF:
        return QStringLiteral("Το αρχείο είναι ανοιχτό μόνο για ανάγνωση.");
    case EMFILE:
    case ENFILE:
        return QStringLiteral("Υπάρχουν ήδη πάρα πολλά ανοιχτά αρχεία.");
    case ENAMETOOLONG:
        return QStringLiteral("Το όνομα του αρχείου είναι πολύ μεγάλο.");
    case ELOOP:
        return QStringLiteral("Υπάρχουν πάρα πολλοί συμβολικοί σύνδεσμοι στη διαδρομή.");
    case ETXTBSY:
        return QStringLiteral("Το αρχείο χρησιμοποιείται από άλλο πρόγραμμα.");
    case ESTALE:
        return QStringLiteral("Το αρχείο δεν υπάρχει πια στον υπολογιστή δικτύου που το έχει.");
    case ENOLCK:
        return QStringLiteral("Το σύστημα δεν μπορεί να κλειδώσει άλλα αρχεία.");
    default:
        return QStringLiteral("Σφάλμα συστήματος %1 (%2).")
            .arg(errorNumber)
            .arg(QString::fromLocal8Bit(std::strerror(errorNumber)));
    }
}

QString greekWriteReason(int errorNumber)
{
    if (errorNumber == EFBIG)
        return QStringLiteral(
            "Το αρχείο έφτασε το όριο μεγέθους που έχει θέσει το σύστημα για το πρόγραμμα.");
    return greekReason(errorNumber);
}

QString replacedReason()
{
    return QStringLiteral("Στη θέση του βρίσκεται πλέον άλλο αρχείο.");
}

} // namespace velmora
