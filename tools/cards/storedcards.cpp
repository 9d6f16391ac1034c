#include "storedcards.h"

#include "cardfile.h"

#include <QFileInfo>

namespace velmora::cards {

bool StoredCards::open(const QString &path, QString *error)
{
    m_file.close();
    m_tooLong = false;
    m_length = 0;
    const QFileInfo info(path);
    if (!info.exists()) {
        *error = QStringLiteral("%1: no such file").arg(path);
        return false;
    }
    if (info.isDir()) {
        *error = QStringLiteral("%1: is a folder, not a card file").arg(path);
        return false;
    }
    m_file.setFileName(path);
    if (!m_file.open(QIODevice::ReadOnly)) {
        *error = QStringLiteral("%1: %2").arg(path, m_file.errorString());
        return false;
    }
    m_length = m_file.size();
    if (m_length > MaxFileLength) {
        m_tooLong = true;
        *error = QStringLiteral("%1: %2 bytes, longer than the %3 bytes the program accepts")
                     .arg(path)
                     .arg(m_length)
                     .arg(MaxFileLength);
        return false;
    }
    return true;
}

qint32 StoredCards::cardCount() const
{
    return cardCountForLength(m_length);
}

bool StoredCards::readStored(qint64 number, QByteArray *bytes, QString *error)
{
    const qint64 offset = (number - 1) * RecordLength;
    bytes->clear();
    if (number < 1 || offset >= m_length)
        return true;
    if (m_file.pos() != offset && !m_file.seek(offset)) {
        *error = QStringLiteral("%1: %2").arg(m_file.fileName(), m_file.errorString());
        return false;
    }
    const qint64 wanted = qMin<qint64>(RecordLength, m_length - offset);
    *bytes = m_file.read(wanted);
    if (bytes->size() != wanted) {
        *error = QStringLiteral("%1: %2").arg(
            m_file.fileName(), m_file.error() != QFileDevice::NoError
                                   ? m_file.errorString()
                                   : QStringLiteral("the file became shorter while it was read"));
        return false;
    }
    return true;
}

bool StoredCards::readCard(qint64 number, CardRecord *card, QString *error)
{
    QByteArray bytes;
    if (!readStored(number, &bytes, error))
        return false;
    *card = CardRecord::fromBytes(bytes);
    return true;
}

} // namespace velmora::cards
