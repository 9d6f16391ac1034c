// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

// Card files as bytes, for the tests of the card file layer that compare every byte.

#include "cardrecord.h"
#include "testfiles.h"

#include <QByteArray>
#include <QString>

namespace velmora::test {

// `count` distinct cards, then the first `tail` bytes of one more.
inline QByteArray cards(int count, int tail = 0)
{
    QByteArray bytes;
    for (int n = 1; n <= count + 1; ++n) {
        CardRecord c;
        c.setField(Field::Title, QStringLiteral("ΚΑΡΤΕΛΛΑ %1").arg(n));
        bytes += QByteArray(c.bytes().data(), RecordLength);
    }
    return bytes.left(count * RecordLength + tail);
}

} // namespace velmora::test
