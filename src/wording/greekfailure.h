// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "failure.h"

#include <QString>

namespace velmora {

// A failure as a window tells it, in Greek whatever the locale (failurewords.h says how).
QString greekText(const Failure &failure);
// The same, made to follow a colon in a sentence of the caller's.
QString greekClause(const Failure &failure);
// The box that tells of a card file the program cannot use and ends.
QString cardFileErrorText(const Failure &failure);

} // namespace velmora
