// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "failure.h"

#include <QString>

#include <functional>

namespace velmora {

// The one way whole card files are copied and compared: in blocks of CardReader::BlockBytes,
// so that a file of a million cards takes a few dozen reads and little memory.

// Told after each block copied: bytes copied so far and bytes to copy.
using CopyProgress = std::function<void(qint64 done, qint64 total)>;
// Takes `size` bytes that belong at `offset` of the copy.
using BlockSink = std::function<Result<void>(qint64 offset, const char *data, qint64 size)>;

// Every byte of the file open at `from` (`fromPath` names it in a failure), from its start to
// its end, to `to`; gives how many bytes there were.
Result<qint64> copyBlocks(int from, const QString &fromPath, const BlockSink &to,
                          const CopyProgress &progress = {});

// Whether the files open at `a` and `b` hold the same bytes, every one of them.
Result<bool> sameBytes(int a, int b);

} // namespace velmora
