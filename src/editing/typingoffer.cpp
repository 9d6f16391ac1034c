// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "typingoffer.h"

#include "cardfile.h"

namespace velmora {

namespace {

// A file of the first format knew nothing of what it was typed over: every field counts as
// typed, as it was put back then.
bool wasTyped(const KeptTyping &kept, int field)
{
    return !kept.base || kept.base->typed[field];
}

} // namespace

bool holdsCard(const CardFile &file, qint32 number)
{
    // Asked at the program's end too, when the window may have let its file go already.
    const Result<qint64> length = file.storedLength();
    return length && number <= cardsHeld(*length);
}

Result<std::optional<CardRecord>> storedCard(const CardFile &file, qint32 number)
{
    if (!holdsCard(file, number))
        return std::nullopt;
    return file.read(number);
}

TypingOffer typingOffer(const KeptTyping &kept, const std::optional<CardRecord> &cardNow,
                        const FileIdentity &fileNow)
{
    // Shown as the window shows it, so that what is compared is what the keeper saw.
    const CardRecord now = cardNow.value_or(CardRecord());
    bool filed = true;
    for (int i = 0; i < FieldCount; ++i)
        filed = filed && (!wasTyped(kept, i) || kept.fields[i] == now.shown(AllFields[i]));
    if (filed)
        return TypingOffer::AlreadyFiled;
    if (!kept.base)
        return TypingOffer::AsTyped;
    const bool sameCard = kept.base->card == cardNow;
    // A card file copied back from a backup is another file at the same path: its card,
    // unchanged since the typing began, is still the card the typing belongs to.
    if (kept.base->cardFile != fileNow && !sameCard && !kept.base->filingRefused)
        return TypingOffer::OtherFile;
    return sameCard ? TypingOffer::AsTyped : TypingOffer::OverChanged;
}

std::array<QString, FieldCount> typingOver(const KeptTyping &kept, const std::optional<CardRecord> &cardNow)
{
    const CardRecord now = cardNow.value_or(CardRecord());
    std::array<QString, FieldCount> fields;
    for (int i = 0; i < FieldCount; ++i)
        fields[i] = wasTyped(kept, i) ? kept.fields[i] : now.shown(AllFields[i]);
    return fields;
}

} // namespace velmora
