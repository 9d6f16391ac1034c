// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "reference.h"

class QIODevice;

namespace velmora::citation {

// How the fields of a .bib file are read. biblatex's lists (publisher, location,
// institution) are split at "and"; classic BibTeX's are one text. Both take either's field
// names: biblatex reads "address" and "year" too, and a classic file's "date" is a date.
enum class BibtexDialect { Classic, Biblatex };

// BibTeX entries through libbtparse, with @string macros, "#" concatenation, braces, TeX
// accents, comments and crossref. Read as a stream, an entry at a time; a file that can be
// read twice is read twice, first for the entries that others cross-reference, which are the
// only ones held. An entry whose braces do not pair ends at the next line that begins an
// entry, and is reported.
ReadOutcome readBibtex(QIODevice &input, BibtexDialect dialect, const ReferenceSink &sink);

} // namespace velmora::citation
