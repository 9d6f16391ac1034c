// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "inputbox.h"

namespace velmora {

// The search input box as QInputDialog, with Greek button texts.
class QtInputBox final : public InputBox
{
public:
    QString ask(const QString &title, const QString &prompt) override;
};

} // namespace velmora
