// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QList>
#include <QString>
#include <QStringList>

namespace velmora {

struct PrintedDocument;

// Turns an ended document into paper or a file.
class PrintRenderer
{
public:
    virtual bool render(const PrintedDocument &document) = 0;

protected:
    virtual ~PrintRenderer() = default;
};

// What an ended document holds: pages of lines, one character per column.
struct PrintedDocument
{
    QString fontName;
    int fontSize = 0;
    QList<QStringList> pages;
};

} // namespace velmora
