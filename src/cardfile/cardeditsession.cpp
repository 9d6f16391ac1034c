#include "cardeditsession.h"

namespace velmora {

CardEditSession::CardEditSession(QString fallbackFolder) : m_fallbackFolder(std::move(fallbackFolder)) {}

Result<void> CardEditSession::begin(const QString &cardPath)
{
    m_backupPath.clear();
    Result<void> locked = m_lock.acquire(cardPath);
    m_notEditable = locked ? QString() : locked.error().reason;
    return locked;
}

void CardEditSession::end()
{
    m_lock.release();
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
    if (m_backupPath.isEmpty()) {
        const Result<QString> backup = backUpCardFile(file, m_fallbackFolder, backupProgress);
        if (!backup)
            return tl::unexpected(backup.error());
        m_backupPath = *backup;
    }
    return file.write(number, card);
}

} // namespace velmora
