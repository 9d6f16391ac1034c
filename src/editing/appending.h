// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "cardeditsession.h"
#include "cardfile.h"

#include <QList>

#include <functional>
#include <optional>

namespace velmora {

// One filing of an editing session (CardEditSession::write() with what the caller adds to
// it), of card `number` holding `card`.
using FileOne = std::function<Result<void>(qint32 number, const CardRecord &card)>;

// Files `card` after the last card of `file` through `fileOne`, and gives its number. An
// end that is not a whole card (a file cut short, or extended by other means) is made
// whole first, by a filing of its own, with the blanks a short card is read with: the new
// card then overwrites none of its bytes and leaves no hole of NULs before itself. A tail
// too short to be counted becomes a card of its own rather than being lost. When the new
// card fails after the tail was made whole, the tail stays whole.
[[nodiscard]] Result<qint32> appendCard(const CardFile &file, const CardRecord &card, const FileOne &fileOne);

// Told after each filing of CardAppending::append(): the index in its cards of the card
// filed, and the number it has; index -1 for the partial last card made whole.
using AppendObserver = std::function<void(qint64 index, qint32 number)>;

// Cards filed after the last card of an existing card file, each as the window's F3 files
// one, in an editing session of their own: under the editor's lock, after the session's
// backup of the whole file, each journaled, a partial last card made whole first.
//
//   CardAppending appending(dataFolder);
//   if (!appending.begin(cardPath, input)) ...tell why, nothing appended...
//   ...read appending.file() (the books it holds)...
//   if (!appending.append(count, cardAt, told)) ...the cards told stay, each whole...
class CardAppending
{
public:
    // `fallbackFolder`: as CardEditSession's.
    explicit CardAppending(QString fallbackFolder = QString());

    // Begins the session on the card file at `cardPath`, which must exist (the path walk
    // opens it first, namedfile.h), undoing a filing a crash cut short, and opens it.
    // Refused while an editor has it, when it is the file being read (`input`,
    // Fault::IsInput) and when it is longer than a card file can be (Fault::TooLong).
    Result<void> begin(const QString &cardPath, std::optional<FileIdentity> input = {});
    CardEditSession &session() { return m_session; }
    // The card file as begun, for reading what it holds.
    const CardFile &file() const { return m_file; }
    qint64 length() const { return m_length; }

    // Files `count` cards one after the other after the last card, each read through
    // `cardAt` (by its index, from 0) when its turn comes, so that none waits in memory. No
    // card at all (ENODATA) and more than the file can take (Fault::TooLong, `length` the
    // length it would have) are refused before anything is filed. A failure stops it: the
    // cards `filed` was told of stay, each whole.
    using CardSource = std::function<Result<CardRecord>(qint64 index)>;
    [[nodiscard]] Result<void> append(qint64 count, const CardSource &cardAt,
                                      const AppendObserver &filed = {});

private:
    CardEditSession m_session;
    CardFile m_file;
    qint64 m_length = 0;
};

} // namespace velmora
