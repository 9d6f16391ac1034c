#pragma once

#include "paths.h"

namespace velmora {

// The program's Windows folders on a freedesktop system: "C:\Program Files" is the
// user's data folder (normally ~/.local/share); the card file is the one the program was
// started on.
class XdgPaths final : public Paths
{
public:
    explicit XdgPaths(const QString &cardFile);
    QString cardFile() override;
    QString programFiles() override;
    QString exportFolder() override;
    QString exportFile() override;

private:
    QString m_cardFile;
};

} // namespace velmora
