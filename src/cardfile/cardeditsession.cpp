#include "cardeditsession.h"

#include "cardjournal.h"

#include <QFile>

#include <fcntl.h>

namespace velmora {

CardEditSession::CardEditSession(QString fallbackFolder) : m_fallbackFolder(std::move(fallbackFolder)) {}

Result<void> CardEditSession::begin(const QString &cardPath)
{
    m_backupPath.clear();
    m_backupNotice.clear();
    m_undidFiling = false;
    Result<void> locked = m_lock.acquire(cardPath);
    if (locked) {
        // Before anything is read: the file as it was before a filing cut short.
        auto writable = openRegularFile(QFile::encodeName(cardPath), O_RDWR);
        const Result<bool> undone =
            writable ? undoInterruptedFiling(writable->get(), cardPath, m_lock.identity(), m_fallbackFolder)
                     : failure(openFailureReason(writable.error()), writable.error().error);
        m_undidFiling = undone && *undone;
        if (!undone) {
            m_lock.release();
            locked = failure(QStringLiteral("Μια καταχώριση καρτέλλας που διακόπηκε δεν αναιρέθηκε: %1")
                                 .arg(undone.error().reason),
                             undone.error().error);
        }
    }
    m_notEditable = locked ? QString() : locked.error().reason;
    return locked;
}

void CardEditSession::end()
{
    m_lock.release();
}

QString CardEditSession::takeBackupNotice()
{
    return std::exchange(m_backupNotice, QString());
}

Result<void> CardEditSession::write(CardFile &file, qint32 number, const CardRecord &card,
                                    const BackupProgress &backupProgress)
{
    if (!isActive())
        return failure(m_notEditable.isEmpty() ? QStringLiteral("Οι Καρτέλλες δεν μπορούν να διορθωθούν.")
                                               : m_notEditable);
    // A handle opened after the file was replaced at its path is a file nobody locked and
    // nobody backed up.
    if (file.identity() != m_lock.identity())
        return failure(replacedReason());
    // Before the backup: a refused filing must not replace a good copy with the orphan.
    if (const QString gone = file.stillAtPath(); !gone.isEmpty())
        return failure(gone);
    if (m_backupPath.isEmpty()) {
        const Result<QString> backup = backUpCardFile(file, m_fallbackFolder, backupProgress);
        if (!backup)
            return tl::unexpected(backup.error());
        m_backupPath = *backup;
        if (m_backupPath != backupBeside(file.path()))
            m_backupNotice =
                QStringLiteral("Το αντίγραφο ασφαλείας του αρχείου καρτελλών δεν μπόρεσε να γίνει "
                               "δίπλα του και έγινε στο «%1».")
                    .arg(m_backupPath);
    }
    return file.write(number, card, m_fallbackFolder);
}

} // namespace velmora
