// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "storedcards.h"

#include "cardfile.h"

namespace velmora::cards {

Result<void> StoredCards::open(const QString &path)
{
    m_length = 0;
    m_reader.reset();
    const Result<qint64> length = m_file.openForReading(path).and_then([this] { return m_file.length(); });
    if (!length)
        return tl::unexpected(length.error());
    m_length = *length;
    m_reader = std::make_unique<CardReader>(m_file);
    return {};
}

qint32 StoredCards::cardCount() const
{
    return cardCountForLength(m_length);
}

Result<QByteArray> StoredCards::readStored(qint64 number)
{
    const qint64 offset = (number - 1) * RecordLength;
    if (number < 1 || offset >= m_length)
        return QByteArray();
    const Result<QByteArrayView> stored = m_reader->stored(qint32(number));
    if (!stored)
        return tl::unexpected(stored.error());
    if (stored->size() < qMin<qint64>(RecordLength, m_length - offset))
        return failure(Fault::Shortened, m_file.path());
    return stored->toByteArray();
}

Result<CardRecord> StoredCards::readCard(qint64 number)
{
    return readStored(number).map([](const QByteArray &bytes) { return CardRecord::fromBytes(bytes); });
}

} // namespace velmora::cards
