#pragma once

#include "programlauncher.h"

namespace velmora {

class QtProgramLauncher final : public ProgramLauncher
{
public:
    bool fileExists(const QString &path) override;
    bool start(const QString &program) override;
};

} // namespace velmora
