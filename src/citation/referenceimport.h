// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardrecord.h"
#include "citationformats.h"
#include "reference.h"

#include <QSet>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

class QIODevice;

namespace velmora::citation {

// One entry of the input as a card, with everything said about it: each thing cut, stored
// as '?', not kept or wrong (entry, field, what).
struct ImportedEntry
{
    qint64 line = 0; // where the entry begins
    QString name;    // its key or id
    // None when the entry cannot be read, or is a definition (BibTeX's @string) with no card.
    std::optional<CardRecord> card;
    bool definition = false;
    QStringList reports;
};

// The reference's card as it is stored: each field cut between characters to its width,
// each character Windows-1253 cannot hold a '?', and each of these reported, a character
// only the first time it is met in the whole import.
class CardMaker
{
public:
    // `keepCase`: the text as written, not in the cards' capitals.
    explicit CardMaker(bool keepCase) : m_keepCase(keepCase) {}
    ImportedEntry entryOf(const Reference &reference);

private:
    QString stored(Field field, const QString &text, QStringList *reports);

    bool m_keepCase;
    QSet<char32_t> m_told;
};

using ImportedEntrySink = std::function<void(const ImportedEntry &)>;

// Every entry of `input` through `sink`, in order, as it is read; what the command does with
// the cards (a new card file, or cards added to one) is its own.
ReadOutcome importReferences(const ReferenceFormat &format, QIODevice &input, bool keepCase,
                             const ImportedEntrySink &sink);

} // namespace velmora::citation
