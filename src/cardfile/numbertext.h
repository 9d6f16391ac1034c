// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace velmora {

// A card number or count as the program writes it in captions, messages, notices,
// footers and export lines: one leading blank when not negative, "-" when negative.
QString NumberText(qint64 n);

// A number printed as a print item, on paper or on the exploration page: NumberText and
// one blank after it.
QString PrintedNumber(qint64 n);

} // namespace velmora
