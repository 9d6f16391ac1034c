// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardfile.h"

#include <functional>

namespace velmora {

// One filing of an editing session (CardEditSession::write() with what the caller adds to
// it), of card `number` holding `card`.
using FileOne = std::function<Result<void>(qint32 number, const CardRecord &card)>;

// Files `card` after the last card of `file` through `fileOne`, and gives its number. An
// end that is not a whole card (a file cut short, or extended by other means) is made
// whole first, by a filing of its own, with the blanks a short card is read with: the new
// card then overwrites none of its bytes and leaves no hole of NULs before itself. A tail
// too short to be counted becomes a card of its own rather than being lost. When the new
// card fails after the tail was made whole, the tail stays whole.
[[nodiscard]] Result<qint32> appendCard(const CardFile &file, const CardRecord &card, const FileOne &fileOne);

} // namespace velmora
