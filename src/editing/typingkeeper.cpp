// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "typingkeeper.h"

#include "typingoffer.h"

#include <QTimer>

namespace velmora {

namespace {

// Soon enough that a typist who stops loses nothing, seldom enough that the medium is not
// written at every keystroke.
constexpr int KeepAfterMs = 750;

} // namespace

TypingKeeper::TypingKeeper(const QString &cardPath, const QString &dataFolder, FileIdentity cardFile)
    : m_cardPath(cardPath), m_path(recoveryFilePath(cardPath, dataFolder)), m_cardFile(cardFile),
      m_timer(new QTimer(this))
{
    m_timer->setSingleShot(true);
    m_timer->setInterval(KeepAfterMs);
    connect(m_timer, &QTimer::timeout, this, [this] { keep(); });
}

TypingKeeper::~TypingKeeper() = default;

void TypingKeeper::cardShown(qint32 number, const std::optional<CardRecord> &stored,
                             const std::array<QString, FieldCount> &shown)
{
    m_typing = {number, shown};
    m_shown = shown;
    m_stored = stored;
    m_refused = false;
}

void TypingKeeper::typed(const std::array<QString, FieldCount> &fields)
{
    m_typing.fields = fields;
    m_timer->start();
}

void TypingKeeper::filed(const CardRecord &stored)
{
    m_stored = stored;
    m_shown = m_typing.fields;
    m_refused = false;
    forget();
}

void TypingKeeper::filingRefused()
{
    m_refused = true;
}

bool TypingKeeper::dropped()
{
    // Refused once, the typing would be refused again: dropping it would lose it.
    if (!m_refused) {
        forget();
        return false;
    }
    if (!keep())
        return false; // why it was not kept has been told
    // Left for the next start: no longer this run's to remove when the card is left.
    m_kept = false;
    return true;
}

void TypingKeeper::programEnding()
{
    m_ending = true;
    keep();
}

Result<std::optional<TypingKeeper::Offer>> TypingKeeper::offer(const CardFile &file, qint32 cardCount)
{
    const std::optional<KeptTyping> found = readRecoveryFile(m_path, m_cardPath);
    // A card past the end is no longer there to put the typing on: the file is left for
    // the keeper to read.
    if (!found || found->number > cardCount)
        return std::nullopt;
    // The typing of the filing just put back: on the screen already.
    if (TypedCard(*found) == m_typing) {
        m_kept = true;
        return std::nullopt;
    }
    const Result<std::optional<CardRecord>> now = storedCard(file, found->number);
    if (!now)
        return tl::unexpected(now.error());
    const TypingOffer decision = typingOffer(*found, *now, m_cardFile);
    if (decision == TypingOffer::AlreadyFiled)
        (void)removeRecoveryFile(m_path);
    // Typing on another file is kept: it may be that of a file moved away, readable by hand,
    // until typing on this card file takes its place.
    if (decision == TypingOffer::AlreadyFiled || decision == TypingOffer::OtherFile)
        return std::nullopt;
    return Offer{found->number, decision == TypingOffer::OverChanged, typingOver(*found, *now)};
}

bool TypingKeeper::offerAnswered(bool putBack)
{
    // Ended while asked (a signal closes the box unanswered): nothing is decided.
    if (m_ending)
        return false;
    if (!putBack) {
        (void)removeRecoveryFile(m_path); // not there to refuse again: asked once is enough
        return false;
    }
    m_kept = true;
    return true;
}

bool TypingKeeper::keep()
{
    m_timer->stop();
    if (m_typing.fields == m_shown) {
        forget();
        return false;
    }
    const Result<void> written = writeRecoveryFile(m_path, m_cardPath, m_typing, base());
    m_kept = m_kept || written.has_value();
    if (written)
        emit kept();
    else
        emit notKept(written.error());
    return written.has_value();
}

void TypingKeeper::forget()
{
    m_timer->stop();
    if (!m_kept)
        return;
    // A file that cannot be removed is offered at the next start and can be refused then.
    m_kept = !removeRecoveryFile(m_path).has_value();
}

TypingBase TypingKeeper::base() const
{
    TypingBase over{m_stored, {}, m_cardFile, m_refused};
    for (int i = 0; i < FieldCount; ++i)
        over.typed[i] = m_typing.fields[i] != m_shown[i];
    return over;
}

} // namespace velmora
