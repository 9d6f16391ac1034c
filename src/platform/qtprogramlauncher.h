// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

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
