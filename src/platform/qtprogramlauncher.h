#pragma once

#include "settingsstore.h"

namespace velmora {

class QtProgramLauncher : public ProgramLauncher
{
public:
    bool fileExists(const QString &path) override;
    bool start(const QString &program) override;
};

} // namespace velmora
