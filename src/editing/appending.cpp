// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appending.h"

#include "editablecardfile.h"
#include "fileops.h"
#include "namedfile.h"

#include <cerrno>
#include <fcntl.h>

namespace velmora {

Result<qint32> appendCard(const CardFile &file, const CardRecord &card, const FileOne &fileOne)
{
    const Result<qint64> length = file.storedLength();
    if (!length)
        return tl::unexpected(length.error());
    const qint32 held = cardsHeld(*length);
    if (*length % RecordLength != 0) {
        CardRecord tail; // blanks where the file ends
        if (const Result<qint64> got =
                file.readAt(qint64(held - 1) * RecordLength, tail.bytes().data(), RecordLength);
            !got)
            return tl::unexpected(got.error());
        if (Result<void> whole = fileOne(held, tail); !whole)
            return tl::unexpected(whole.error());
    }
    if (Result<void> added = fileOne(held + 1, card); !added)
        return tl::unexpected(added.error());
    return held + 1;
}

CardAppending::CardAppending(QString fallbackFolder) : m_session(std::move(fallbackFolder)) {}

Result<void> CardAppending::begin(const QString &cardPath, std::optional<FileIdentity> input)
{
    // The session would create a missing card file: appending is to one that exists.
    const Result<FileDescriptor> existing = openNamedFile(cardPath, O_RDONLY);
    if (!existing)
        return tl::unexpected(existing.error());
    if (Result<void> begun = m_session.begin(cardPath); !begun)
        return begun;
    if (Result<void> opened = openToEdit(m_file, cardPath); !opened)
        return opened;
    const Result<FileIdentity> walked = identityOf(existing->get());
    const Result<FileIdentity> identity = m_file.identity();
    if (!walked || !identity || *walked != m_session.cardFile() || *identity != m_session.cardFile())
        return failure(Fault::Replaced, cardPath);
    if (*identity == input)
        return failure(Fault::IsInput, cardPath);
    // Refused past MaxFileLength, with its length.
    const Result<qint64> length = m_file.length();
    if (!length)
        return tl::unexpected(length.error());
    m_length = *length;
    return {};
}

Result<void> CardAppending::append(qint64 count, const CardSource &cardAt, const AppendObserver &filed)
{
    if (count == 0)
        return failure(Fault::System, m_file.path(), ENODATA);
    const qint64 after = (cardsHeld(m_length) + count) * RecordLength;
    if (after > MaxFileLength) {
        Failure tooLong(Fault::TooLong, 0, m_file.path());
        tooLong.length = after;
        return failure(std::move(tooLong));
    }
    for (qint64 i = 0; i < count; ++i) {
        const Result<CardRecord> next = cardAt(i);
        if (!next)
            return tl::unexpected(next.error());
        const Result<qint32> added = appendCard(m_file, *next, [&](qint32 number, const CardRecord &card) {
            Result<void> done = m_session.write(m_file, number, card);
            // The tail made whole is a card of appendCard()'s own.
            if (done && filed)
                filed(&card == &*next ? i : -1, number);
            return done;
        });
        if (!added)
            return tl::unexpected(added.error());
    }
    return {};
}

} // namespace velmora
