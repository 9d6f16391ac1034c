#include "cardeditsession.h"

#include <stdexcept>

namespace velmora {

CardEditSession::CardEditSession(QString fallbackFolder) : m_fallbackFolder(std::move(fallbackFolder)) {}

CardFileLock::Status CardEditSession::begin(const QString &cardPath)
{
    m_backupPath.clear();
    return m_lock.acquire(cardPath);
}

void CardEditSession::end()
{
    m_lock.release();
}

void CardEditSession::write(CardFile &file, qint32 number, const CardRecord &card,
                            const BackupProgress &backupProgress)
{
    if (!isActive())
        throw std::logic_error("a card written outside an editing session");
    // A handle opened after the file was replaced at its path is a file nobody locked and
    // nobody backed up.
    if (file.identity() != m_lock.identity())
        throw CardWriteError(file.path(), number, replacedReason());
    if (m_backupPath.isEmpty()) {
        const CardBackup backup = backUpCardFile(file, m_fallbackFolder, backupProgress);
        if (!backup.made())
            throw CardWriteError(file.path(), number, backup.reason);
        m_backupPath = backup.path;
    }
    file.write(number, card);
}

} // namespace velmora
