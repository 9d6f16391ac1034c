// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QString>

namespace velmora {

// Tells the user where a printed document went when it became a file rather than paper.
class PrintedFileNotice
{
public:
    virtual void printedTo(const QString &file) = 0;

protected:
    virtual ~PrintedFileNotice() = default;
};

} // namespace velmora
