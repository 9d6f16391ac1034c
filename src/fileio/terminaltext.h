// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace velmora {

// `text` as it can be written to a terminal: every control character (C0, DEL and the C1
// controls, which a card's undefined Windows-1253 bytes decode to), the line breaks and the
// marks that reorder or hide text are written as \xHH or \uHHHH, so that neither a file
// name nor a card can act on the terminal that shows it. Every text the program and the
// card tool write to a terminal goes through this one rule.
QString shownOnTerminal(const QString &text);
// The same rule over text of many lines: each line between the line breaks as
// shownOnTerminal() writes it, the breaks kept.
QString shownOnTerminalByLine(const QString &text);

} // namespace velmora
