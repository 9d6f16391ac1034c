// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "failure.h"

#include <QString>

namespace velmora::cards {

// A failure as the card tool tells it on the terminal, "PATH: reason": in English, or in the
// user's language where the tool has a translation (main.cpp installs it).
QString englishText(const velmora::Failure &failure);

} // namespace velmora::cards
