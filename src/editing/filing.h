// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardfile.h"

#include <QString>

namespace velmora {

// Files `card` as card `number` of `file`, all or nothing and on the medium before it
// returns, through the rollback journal (cardjournal.h): the journal is put beside the card
// file or else in `fallbackFolder` (empty for none), the card written and synced, the path
// checked again, and the journal removed. Refused when the file has been removed or another
// file now stands at its path, and reported as not filed when that happened during the
// write. On failure the file is as it was (the old card put back, a file grown cut back);
// when even that fails, the Failure says the card may be torn and the journal stays, for
// the next editor to undo. Gives where the journal was put. A number below 1 is a
// programming fault (checkCardNumber()).
[[nodiscard]] Result<QString> fileCard(const CardFile &file, qint32 number, const CardRecord &card,
                                       const QString &fallbackFolder);

} // namespace velmora
