#pragma once

#include "paths.h"

namespace velmora {

// The program's Windows folders on a freedesktop system: "C:\Program Files" is the
// user's data folder (normally ~/.local/share), the card file lies in the working folder.
class XdgPaths final : public Paths
{
public:
    QString cardFile() override;
    QString programFiles() override;
    QString exportFolder() override;
    QString exportFile() override;
};

} // namespace velmora
