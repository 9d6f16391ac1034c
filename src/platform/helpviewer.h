// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace velmora {

class HelpViewer
{
public:
    // Opens a help file by its bare name at its contents page, without waiting.
    virtual void showContents(const QString &fileName) = 0;

protected:
    virtual ~HelpViewer() = default;
};

} // namespace velmora
