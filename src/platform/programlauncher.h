// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace velmora {

class ProgramLauncher
{
public:
    virtual bool fileExists(const QString &path) = 0;
    // Starts the program in a normal window, without a shell and without waiting.
    virtual bool start(const QString &program) = 0;

protected:
    virtual ~ProgramLauncher() = default;
};

} // namespace velmora
