// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "inputcards.h"

#include "fileops.h"
#include "unnamedfile.h"

#include <QDir>

#include <cstring>

namespace velmora::cards {

namespace {

// A record: the card, its line, where its key begins in the keys' file and how many bytes
// of UTF-8 it has.
constexpr qint64 LineAt = RecordLength;
constexpr qint64 KeyAt = LineAt + sizeof(qint64);
constexpr qint64 KeyBytesAt = KeyAt + sizeof(qint64);
constexpr qint64 RecordBytes = KeyBytesAt + sizeof(qint32);
// As many as the card file's reader takes at a time.
constexpr qint64 BlockRecords = 4096;

template<typename T> T numberAt(const char *record, qint64 at)
{
    T value;
    std::memcpy(&value, record + at, sizeof value);
    return value;
}

template<typename T> void putNumber(char *record, qint64 at, T value)
{
    std::memcpy(record + at, &value, sizeof value);
}

// All of `size` bytes: the files hold every byte written to them, so that fewer is a fault
// of the medium.
Result<void> readExactly(int fd, qint64 offset, char *buffer, qint64 size)
{
    const Result<qint64> got = readAt(fd, offset, buffer, size);
    if (!got)
        return tl::unexpected(got.error());
    return *got == size ? Result<void>() : systemFailure(EIO);
}

} // namespace

Result<void> InputCards::open(const QString &fallbackFolder)
{
    const auto openIn = [this](const QString &folder) -> Result<void> {
        Result<FileDescriptor> records = openUnnamedFile(folder);
        if (!records)
            return tl::unexpected(records.error());
        Result<FileDescriptor> keys = openUnnamedFile(folder);
        if (!keys)
            return tl::unexpected(keys.error());
        m_records = std::move(*records);
        m_keys = std::move(*keys);
        m_folder = folder;
        return {};
    };
    Result<void> opened = openIn(QDir::tempPath());
    if (opened || fallbackFolder.isEmpty())
        return opened;
    const Result<void> instead =
        makeOwnFolder(fallbackFolder).and_then([&] { return openIn(fallbackFolder); });
    if (instead)
        return instead;
    opened.error().also.push_back(instead.error());
    return opened;
}

Result<void> InputCards::named(Result<void> done) const
{
    if (!done && done.error().path.isEmpty())
        done.error().path = m_folder;
    return done;
}

void InputCards::add(const InputCard &card)
{
    if (m_failure)
        return;
    const QByteArray key = card.name.toUtf8();
    const qsizetype at = m_pending.size();
    m_pending.resize(at + RecordBytes);
    char *record = m_pending.data() + at;
    std::memcpy(record, card.card.bytes().data(), RecordLength);
    putNumber<qint64>(record, LineAt, card.line);
    putNumber<qint64>(record, KeyAt, m_keyBytes + m_pendingKeys.size());
    putNumber<qint32>(record, KeyBytesAt, qint32(key.size()));
    m_pendingKeys += key;
    ++m_count;
    if (m_count - m_written >= BlockRecords)
        if (Result<void> written = writePending(); !written)
            m_failure = written.error();
}

Result<void> InputCards::writePending()
{
    if (Result<void> keys =
            writeAt(m_keys.get(), m_keyBytes, m_pendingKeys.constData(), m_pendingKeys.size());
        !keys)
        return named(keys);
    if (Result<void> records =
            writeAt(m_records.get(), m_written * RecordBytes, m_pending.constData(), m_pending.size());
        !records)
        return named(records);
    m_keyBytes += m_pendingKeys.size();
    m_written = m_count;
    // Their room kept for the next block.
    m_pending.resize(0);
    m_pendingKeys.resize(0);
    return {};
}

Result<void> InputCards::finish()
{
    if (!m_failure && m_written < m_count)
        if (Result<void> written = writePending(); !written)
            m_failure = written.error();
    if (m_failure)
        return failure(*m_failure);
    m_pending.squeeze();
    m_pendingKeys.squeeze();
    return {};
}

const char *InputCards::record(qint64 index) const
{
    const qint64 inBlock = index - m_blockFirst;
    return inBlock >= 0 && inBlock * RecordBytes < m_block.size()
               ? m_block.constData() + inBlock * RecordBytes
               : nullptr;
}

Result<InputCard> InputCards::at(qint64 index, Key key)
{
    Q_ASSERT(index >= 0 && index < m_written);
    if (!record(index)) {
        m_block.resize(qMin(BlockRecords, m_written - index) * RecordBytes);
        m_blockFirst = index;
        if (Result<void> read =
                readExactly(m_records.get(), index * RecordBytes, m_block.data(), m_block.size());
            !read) {
            m_block.clear();
            return tl::unexpected(named(read).error());
        }
    }
    const char *r = record(index);
    InputCard card{CardRecord::fromBytes(QByteArrayView(r, RecordLength)), numberAt<qint64>(r, LineAt), {}};
    if (key == Key::Read) {
        QByteArray bytes(numberAt<qint32>(r, KeyBytesAt), Qt::Uninitialized);
        if (Result<void> read =
                readExactly(m_keys.get(), numberAt<qint64>(r, KeyAt), bytes.data(), bytes.size());
            !read)
            return tl::unexpected(named(read).error());
        card.name = QString::fromUtf8(bytes);
    }
    return card;
}

Result<CardRecord> InputCards::cardAt(qint64 index)
{
    Q_ASSERT(index >= 0 && index < m_written);
    if (const char *r = record(index))
        return CardRecord::fromBytes(QByteArrayView(r, RecordLength));
    CardRecord card;
    if (Result<void> read =
            readExactly(m_records.get(), index * RecordBytes, card.bytes().data(), RecordLength);
        !read)
        return tl::unexpected(named(read).error());
    return card;
}

Result<void> InputCards::move(qint64 from, qint64 to)
{
    QByteArray moved(RecordBytes, Qt::Uninitialized);
    if (const char *r = record(from)) {
        std::memcpy(moved.data(), r, RecordBytes);
    } else if (Result<void> read =
                   readExactly(m_records.get(), from * RecordBytes, moved.data(), RecordBytes);
               !read) {
        return named(read);
    }
    if (Result<void> written = writeAt(m_records.get(), to * RecordBytes, moved.constData(), RecordBytes);
        !written)
        return named(written);
    // The block read holds it too when it is there.
    if (const char *r = record(to))
        std::memcpy(m_block.data() + (r - m_block.constData()), moved.constData(), RecordBytes);
    return {};
}

} // namespace velmora::cards
