// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "reference.h"

class QIODevice;

namespace velmora::citation {

// CSL-JSON, the citation style language's JSON: one array of objects, each read with Qt's
// JSON reader. The array is taken apart as a stream, an object at a time, so that only the
// one being read is held; an object that is not JSON is reported and the rest is read.
ReadOutcome readCslJson(QIODevice &input, const ReferenceSink &sink);

} // namespace velmora::citation
