// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "command.h"

namespace velmora::cards {

const QList<Command> &commands()
{
    static const QList<Command> all = {
        importCommand(), exportCommand(), checkCommand(), showCommand(), restoreCommand(),
    };
    return all;
}

} // namespace velmora::cards
