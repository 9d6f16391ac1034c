// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "recoveryfile.h"

#include <optional>

namespace velmora {

class CardFile;

// What becomes of the typing a recovery file kept, at the start of the editing.
enum class TypingOffer {
    AlreadyFiled, // the card on disk holds it: nothing to offer, the file goes
    OtherFile,    // typed on another card file than the one at the path now: not offered
    AsTyped,      // the card is as it was when the typing began
    OverChanged,  // the card changed since: only the typed fields go back, over it as it is
};

// Whether `file` holds card `number`, even in part: the typing on a card it does not hold
// was typed over no card at all. False too when its length cannot be had; throws nothing.
bool holdsCard(const CardFile &file, qint32 number);
// The card `number` as `file` stores it; nothing when the file does not hold it (the empty
// card of an empty file, a card past its end).
Result<std::optional<CardRecord>> storedCard(const CardFile &file, qint32 number);

// `cardNow`: the card of the typing as the card file at the path stores it now (storedCard);
// `fileNow`: that card file.
TypingOffer typingOffer(const KeptTyping &kept, const std::optional<CardRecord> &cardNow,
                        const FileIdentity &fileNow);

// The fields to put back over `cardNow`: those typed, and the card's own for the others.
std::array<QString, FieldCount> typingOver(const KeptTyping &kept, const std::optional<CardRecord> &cardNow);

} // namespace velmora
