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
