// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardfile.h"

namespace velmora {

// The walk every search and exploration makes: cards `first` to `last` in order, each
// read once into `buffer` after `examining(n)` has shown which card it is. Gives the first
// card that `matches`, 0 when none does, or why a card could not be read. A card read costs
// one branch that is never taken and builds no Failure: a million of them are a search.
template<typename Examining, typename Matches>
Result<qint32> findNextCard(CardReader &reader, qint32 first, qint32 last, CardRecord &buffer,
                            Examining &&examining, Matches &&matches)
{
    for (qint32 n = first; n <= last; ++n) {
        examining(n);
        if (Result<void> read = reader.read(n, buffer); !read) [[unlikely]]
            return tl::unexpected(std::move(read.error()));
        if (matches(buffer))
            return n;
    }
    return 0;
}

} // namespace velmora
