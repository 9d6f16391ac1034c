// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace velmora::bench {

// The card window's no-match title search in a real window on an X server (run it under
// xvfb-run), with the caption watched from the server meanwhile; and, when `program` is
// given, how soon the real program puts its windows on the screen. Prints one
// "name value" line per figure for the parent benchmark to read.
int runWindowBench(const QString &folder, int runs, const QString &program);

} // namespace velmora::bench
