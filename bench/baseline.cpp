// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "baseline.h"

#include <QFile>

#include <fcntl.h>
#include <stdexcept>
#include <string.h>
#include <unistd.h>

namespace velmora::bench {

qint64 scanTitlesBaseline(const QString &path, const QByteArray &needle)
{
    enum { Record = 195, TitleOffset = 40, TitleWidth = 65, BlockRecords = 4096 };
    // Page-aligned, so that where the linker puts the buffer does not change the figure
    // every scan is measured against.
    alignas(4096) static char block[Record * BlockRecords];

    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        throw std::runtime_error("cannot open " + path.toStdString());
    qint64 found = 0;
    size_t filled = 0;
    for (;;) {
        const ssize_t got = ::read(fd, block + filled, sizeof block - filled);
        if (got < 0) {
            ::close(fd);
            throw std::runtime_error("cannot read " + path.toStdString());
        }
        filled += size_t(got);
        const size_t whole = filled / Record;
        for (size_t i = 0; i < whole; ++i)
            if (memmem(block + i * Record + TitleOffset, TitleWidth, needle.constData(),
                       size_t(needle.size())))
                ++found;
        // A record cut by the block's end moves to the front and is finished by the next read.
        const size_t rest = filled - whole * Record;
        memmove(block, block + whole * Record, rest);
        filled = rest;
        if (got == 0)
            break;
    }
    ::close(fd);
    return found;
}

} // namespace velmora::bench
