// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace velmora {

class InputBox
{
public:
    // Modal, with an empty default. Returns the typed text, or empty on cancel.
    virtual QString ask(const QString &title, const QString &prompt) = 0;

protected:
    virtual ~InputBox() = default;
};

} // namespace velmora
