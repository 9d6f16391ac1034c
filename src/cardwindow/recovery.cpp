// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The card typed and not yet filed, kept in the recovery file of the card file so that a
// kill, a logout or a power cut does not take the typing with it: written a moment after
// the last keystroke, removed when the card is filed or the change dropped, and offered
// back when the card file is next opened for editing.

#include "frmtervani.h"

#include "cardeditsession.h"
#include "cardfileerror.h"
#include "greekfailure.h"
#include "handlerguard.h"
#include "numbertext.h"
#include "recoveryfile.h"
#include "titleedit.h"
#include "typingoffer.h"

#include <QLineEdit>
#include <QTimer>

namespace velmora {

namespace {

// Soon enough that a typist who stops loses nothing, seldom enough that the medium is not
// written at every keystroke.
constexpr int KeepAfterMs = 750;

const QString NotKept = QStringLiteral("Η πληκτρολόγηση δεν φυλάχθηκε για ανάκτηση: ");

} // namespace

QString frmTervani::typedCardPath()
{
    return recoveryFilePath(m_platform.paths.cardFile(), m_platform.paths.exportFolder());
}

void frmTervani::startKeepingTypedCard()
{
    if (!m_editing)
        return;
    if (!m_typedTimer) {
        m_typedTimer = new QTimer(this);
        m_typedTimer->setSingleShot(true);
        m_typedTimer->setInterval(KeepAfterMs);
        connect(m_typedTimer, &QTimer::timeout, this, guarded([this] { writeTypedCard(); }));
        const auto restart = guarded([this] { m_typedTimer->start(); });
        for (QLineEdit *field : {txtEpo, txtOno, txtAlloi, txtEkdot, txtSp})
            connect(field, &QLineEdit::textChanged, this, restart);
        connect(txtTitlos, &TitleEdit::textChanged, this, restart);
    }
    // Offered once, on the session's first card window: later loads come back from the
    // exploration window within the same run.
    if (!m_session.offeredTypedCard) {
        m_session.offeredTypedCard = true;
        QTimer::singleShot(0, this, guarded([this] {
                               putBackUndoneFiling();
                               offerTypedCard();
                           }));
    }
}

void frmTervani::keepTypedCard()
{
    m_programEnding = true;
    writeTypedCard();
}

bool frmTervani::writeTypedCard()
{
    if (m_typedTimer)
        m_typedTimer->stop();
    if (!m_editing)
        return false;
    if (!fieldsChanged()) {
        forgetTypedCard();
        return false;
    }
    const Result<void> kept = writeRecoveryFile(typedCardPath(), m_platform.paths.cardFile(),
                                                {CurrentCard, fieldTexts()}, typingBase());
    m_typedCardKept = m_typedCardKept || kept.has_value();
    // Told where it does not interrupt the typing; a later success takes it away.
    if (!kept)
        StatusBar1.setMessage(NotKept + greekText(kept.error()));
    else if (StatusBar1.message().startsWith(NotKept))
        StatusBar1.setMessage(QString());
    return kept.has_value();
}

TypingBase frmTervani::typingBase() const
{
    TypingBase base;
    // As the file held the card when it was shown: what the keeper typed over.
    if (holdsCard(File, CurrentCard))
        base.card = m_filedCard;
    const std::array<QString, FieldCount> texts = fieldTexts();
    for (int i = 0; i < FieldCount; ++i)
        base.typed[i] = texts[i] != m_shownTexts[i];
    base.cardFile = m_session.editing->cardFile();
    base.filingRefused = m_filingRefused;
    return base;
}

void frmTervani::keepRefusedTyping()
{
    if (!writeTypedCard())
        return; // why it was not kept is in the message panel
    // Left for the next start: no longer this window's to remove when the card is left.
    m_typedCardKept = false;
    m_platform.messages.show(
        QStringLiteral("Οι Αλλαγές της Καρτέλλας ") + NumberText(CurrentCard) +
            QStringLiteral(" δεν Καταχωρίσθηκαν και φυλάχθηκαν στο «%1».\nΘα σας προταθούν ξανά, "
                           "όταν ανοίξετε πάλι για διόρθωση το «%2».")
                .arg(typedCardPath(), m_platform.paths.cardFile()),
        AppTitle, Buttons::Ok, Icon::Information);
}

void frmTervani::forgetTypedCard()
{
    if (m_typedTimer)
        m_typedTimer->stop();
    if (!m_typedCardKept)
        return;
    // A file that cannot be removed is offered at the next start and can be refused then.
    m_typedCardKept = !removeRecoveryFile(typedCardPath()).has_value();
}

void frmTervani::showTyping(qint32 number, const std::array<QString, FieldCount> &fields)
{
    CurrentCard = number;
    ShowCR();
    QLineEdit *const lines[FieldCount] = {txtEpo, txtOno, nullptr, txtAlloi, txtEkdot, txtSp};
    for (int i = 0; i < FieldCount; ++i) {
        if (lines[i])
            lines[i]->setText(fields[i]);
        else
            txtTitlos->setText(fields[i]);
    }
}

void frmTervani::putBackUndoneFiling()
{
    const std::optional<UndoneFiling> undone =
        m_editing ? m_session.editing->takeUndoneFiling() : std::nullopt;
    if (!undone)
        return;
    QString message =
        QStringLiteral("Η Καταχώριση της Καρτέλλας ") + NumberText(undone->number) +
        QStringLiteral(" είχε διακοπεί και αναιρέθηκε: το αρχείο καρτελλών είναι όπως ήταν πριν "
                       "από αυτήν.");
    // Another keeper's typing is that keeper's to file again, not this one's.
    if (!undone->keeper.isEmpty())
        message += QStringLiteral("\nΤην Καταχώριση έκανε ο χρήστης «%1».").arg(undone->keeper);
    // A card past the end was a new card appended, which held nothing typed.
    else if (undone->number <= CardCount) {
        std::array<QString, FieldCount> fields;
        for (int i = 0; i < FieldCount; ++i)
            fields[i] = undone->card.shown(AllFields[i]);
        showTyping(undone->number, fields);
        message +=
            QStringLiteral("\nΌ,τι γράφτηκε στην Καρτέλλα δείχνεται ξανά, χωρίς να έχει Καταχωρισθεί.");
    }
    m_platform.messages.show(message, AppTitle, Buttons::Ok, Icon::Information);
}

void frmTervani::offerTypedCard()
{
    const QString path = typedCardPath();
    const std::optional<KeptTyping> kept = readRecoveryFile(path, m_platform.paths.cardFile());
    // A card past the end is no longer there to put the typing on: the file is left for
    // the keeper to read.
    if (!m_editing || !kept || kept->number > CardCount)
        return;
    const TypedCard &typed = *kept;
    // The typing of the filing just put back: on the screen already.
    if (typed.number == CurrentCard && typed.fields == fieldTexts()) {
        m_typedCardKept = true;
        return;
    }
    const std::optional<CardRecord> now = orEnd(storedCard(File, typed.number));
    QString question = QStringLiteral("Βρέθηκαν Αλλαγές της Καρτέλλας ") + NumberText(typed.number) +
                       QStringLiteral(" που πληκτρολογήθηκαν και δεν Καταχωρίσθηκαν.\n");
    switch (typingOffer(*kept, now, m_session.editing->cardFile())) {
    case TypingOffer::AlreadyFiled:
        (void)removeRecoveryFile(path);
        return;
    case TypingOffer::OtherFile:
        // Kept: it may be the typing of a file moved away, readable by hand, until typing
        // on this card file takes its place.
        return;
    case TypingOffer::OverChanged:
        question += QStringLiteral("Η Καρτέλλα άλλαξε στο αρχείο καρτελλών από τότε· θα Επαναφέρω μόνο "
                                   "τα πεδία που πληκτρολογήθηκαν.\n");
        break;
    case TypingOffer::AsTyped:
        break;
    }
    const Answer answer = m_platform.messages.show(question + QStringLiteral("Θέλετε να τις Επαναφέρω ;"),
                                                   AppTitle, Buttons::YesNo, Icon::Question, Answer::Yes);
    // Ended while asked (a signal closes the box unanswered): nothing is decided.
    if (m_programEnding)
        return;
    if (answer != Answer::Yes) {
        (void)removeRecoveryFile(path); // not there to refuse again: asked once is enough
        return;
    }
    showTyping(typed.number, typingOver(*kept, now));
    m_typedCardKept = true;
}

bool frmTervani::mayEndSession(const std::function<bool()> &mayAsk)
{
    if (!m_editing || !fieldsChanged())
        return true;
    // Asked in the middle of a filing, which owns the card file until it ends: the typing
    // is kept, as when the program may not ask.
    if (m_filing || !mayAsk()) {
        keepTypedCard();
        return true;
    }
    if (!mayLeaveCard())
        return false;
    // Dropped (No): what the screen shows is dropped too, so that the end of the program
    // that follows does not keep it after all.
    if (fieldsChanged())
        ShowCR();
    return true;
}

} // namespace velmora
