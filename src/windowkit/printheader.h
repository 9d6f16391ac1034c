// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace velmora {

class Clock;

// The page header line shared by the card list and the exploration pages:
// "Βελμόρα 3.0 Σερβαλίνη: Εκτυπώθηκε 6/12/2026, 09:05". Date first, then time, each
// read on its own.
QString printHeaderLine(Clock &clock);

} // namespace velmora
