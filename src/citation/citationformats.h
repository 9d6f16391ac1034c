// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "bookfields.h"
#include "reference.h"

#include <QByteArray>
#include <QList>
#include <QString>
#include <QStringList>

class QIODevice;

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

// A format of reference managers as import and export both know it: the name --format
// gives it, the endings of a file's name that stand for it when none is given, how it is
// read and how it is written.
struct ReferenceFormat
{
    QLatin1String name;
    QStringList endings; // in lower case: a name's letter case is not looked at
    ReadOutcome (*read)(QIODevice &input, const ReferenceSink &sink);
    const CitationFormat *writer;
};

// ris, bibtex (classic BibTeX), biblatex and csl-json, in the order the messages name them.
const QList<ReferenceFormat> &referenceFormats();
// None for any other name.
const ReferenceFormat *referenceFormatNamed(const QString &name);
// By the ending of a file's name; none for any other.
const ReferenceFormat *referenceFormatOfFile(const QString &path);

// The formats' names as a message lists them, after `before` (a format of the caller's
// own): "csv, ris, bibtex, biblatex or csl-json".
enum class Joined { Or, And };
QString listedFormats(Joined joined, const QStringList &before = {});

} // namespace velmora::citation
