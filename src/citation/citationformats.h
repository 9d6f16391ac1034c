// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "bookfields.h"

#include <QByteArray>
#include <QString>

#include <memory>

namespace velmora::citation {

// One of the formats reference managers read, written record by record so that an export
// of any length needs the memory of one record. All in UTF-8.
class CitationFormat
{
public:
    virtual ~CitationFormat() = default;
    virtual void head(QByteArray *out) const { Q_UNUSED(out); }
    // Appends one book; `first`: no record was written before it.
    virtual void record(const Book &book, const QString &key, bool first, QByteArray *out) const = 0;
    virtual void tail(bool empty, QByteArray *out) const
    {
        Q_UNUSED(empty);
        Q_UNUSED(out);
    }
};

// "ris", "bibtex" (classic BibTeX), "biblatex" or "csl-json"; none for any other name.
std::unique_ptr<CitationFormat> citationFormat(const QString &name);

} // namespace velmora::citation
