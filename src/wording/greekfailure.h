// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "failure.h"

#include <QString>

namespace velmora {

// The whole text of a failure as a window tells it: the reason, framed by the job it
// stopped (a backup, the journal, an undo) and the places it was tried in.
QString greekText(const Failure &failure);
// The same, made to follow a colon in a sentence of the caller's: lower-case first letter,
// no full stop at the end.
QString greekClause(const Failure &failure);
// The system's reason for an error number.
QString greekSystemReason(int errorNumber);
// The box that tells of a card file the program cannot use and ends.
QString cardFileErrorText(const Failure &failure);

} // namespace velmora
