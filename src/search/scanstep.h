// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardfile.h"

namespace velmora {

// The walk every search and exploration makes: cards `first` to `last` in order, each
// read once into `buffer` after `examining(n)` has shown which card it is. Returns the
// first card that `matches`, or 0 when none does.
template<typename Examining, typename Matches>
qint32 findNextCard(CardReader &reader, qint32 first, qint32 last, CardRecord &buffer, Examining &&examining,
                    Matches &&matches)
{
    for (qint32 n = first; n <= last; ++n) {
        examining(n);
        reader.read(n, buffer);
        if (matches(buffer))
            return n;
    }
    return 0;
}

} // namespace velmora
