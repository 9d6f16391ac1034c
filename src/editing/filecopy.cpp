// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "filecopy.h"

#include "cardfile.h"
#include "fileops.h"

#include <QByteArray>

#include <cstring>

namespace velmora {

Result<qint64> copyBlocks(int from, const QString &fromPath, const BlockSink &to,
                          const CopyProgress &progress)
{
    const Result<struct stat> status = statusOf(from);
    if (!status)
        return systemFailure(status.error().error, fromPath);
    QByteArray block(CardReader::BlockBytes, Qt::Uninitialized);
    for (qint64 offset = 0;; offset += block.size()) {
        const Result<qint64> got = readAt(from, offset, block.data(), block.size());
        if (!got)
            return systemFailure(got.error().error, fromPath);
        if (Result<void> put = to(offset, block.constData(), *got); !put)
            return tl::unexpected(put.error());
        if (progress)
            progress(offset + *got, qint64(status->st_size));
        if (*got < block.size())
            return offset + *got;
    }
}

Result<bool> sameBytes(int a, int b)
{
    QByteArray x(CardReader::BlockBytes, Qt::Uninitialized);
    QByteArray y(CardReader::BlockBytes, Qt::Uninitialized);
    for (qint64 offset = 0;; offset += x.size()) {
        const Result<qint64> gotX = readAt(a, offset, x.data(), x.size());
        const Result<qint64> gotY = readAt(b, offset, y.data(), y.size());
        if (!gotX || !gotY)
            return tl::unexpected(!gotX ? gotX.error() : gotY.error());
        if (*gotX != *gotY || std::memcmp(x.constData(), y.constData(), size_t(*gotX)) != 0)
            return false;
        if (*gotX < x.size())
            return true;
    }
}

} // namespace velmora
