#pragma once

#include "command.h"

#include <QString>

namespace velmora::cards {

// The user's data folder, where the program keeps a card file's backups and journal when the
// folder beside it cannot take them: none when it is not the user's alone, and said so, with
// `notUsed` for what is then not kept or looked for there.
QString dataFolderToUse(Console &console, const QString &notUsed);

} // namespace velmora::cards
