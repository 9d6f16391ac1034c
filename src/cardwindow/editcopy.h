// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace velmora {

// What a card file that cannot be edited leaves the keeper to do: copy it into a folder
// of their own and edit the copy. The second line is the shell command that does it,
// to be typed or copied as it stands.
QString editCopyAdvice(const QString &cardFile);
// The second line alone: the command.
QString editCopyCommand(const QString &cardFile);

} // namespace velmora
