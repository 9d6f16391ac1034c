// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "command.h"

namespace velmora::cards {

// The export command for the formats of reference managers (`--format` other than csv):
// every card a book, deleted cards and new ones still holding only "960-" left out unless
// `--all`, and how many of each were left out said on the standard error.
int exportCitations(const QString &format, const CommandLine &line, Console &console);

} // namespace velmora::cards
