// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "appending.h"

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

} // namespace velmora
