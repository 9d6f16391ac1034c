// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "reference.h"

class QIODevice;

namespace velmora::citation {

// RIS as reference managers write it: records from "TY  - " to "ER  - ", a tag of two
// letters or digits, two blanks, a hyphen and a blank before each value, a line that is no
// tag continuing the value before it; LF or CR LF, a byte order mark allowed. Read as a
// stream: only the record being read is held.
ReadOutcome readRis(QIODevice &input, const ReferenceSink &sink);

} // namespace velmora::citation
