// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "command.h"

#include <QString>

namespace velmora::cards {

// The user's data folder, where the program keeps a card file's backups and journal when the
// folder beside it cannot take them: none when it is not the user's alone, and said so, with
// `notUsed` (a text to translate in the context "CardTool") for what is then not kept or
// looked for there.
QString dataFolderToUse(Console &console, const char *notUsed);

} // namespace velmora::cards
