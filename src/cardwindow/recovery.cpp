// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// What the card window shows and asks of the card typed and not yet filed, which the
// session's TypingKeeper keeps in the recovery file of the card file: the keeping's failure
// in the message panel, where the typing of a refused filing went, the typing of an earlier
// run offered back.

#include "frmtervani.h"

#include "cardeditsession.h"
#include "cardfileerror.h"
#include "greekfailure.h"
#include "handlerguard.h"
#include "numbertext.h"
#include "titleedit.h"
#include "typingoffer.h"

#include <QLineEdit>
#include <QTimer>

namespace velmora {

namespace {

const QString NotKept = QStringLiteral("Η πληκτρολόγηση δεν φυλάχθηκε για ανάκτηση: ");

} // namespace

TypingKeeper *frmTervani::typing() const
{
    return m_editing ? m_session.typing.get() : nullptr;
}

void frmTervani::startKeepingTypedCard()
{
    if (!m_editing)
        return;
    // Made with the session's first card window, and offered what an earlier run left then
    // only: later loads come back from the exploration window within the same run.
    if (!m_session.typing) {
        m_session.typing = std::make_unique<TypingKeeper>(
            m_platform.paths.cardFile(), m_platform.paths.dataFolder(), m_session.editing->cardFile());
        QTimer::singleShot(0, this, guarded([this] {
                               putBackUndoneFiling();
                               offerTypedCard();
                           }));
    }
    const auto changed = guarded([this] { typing()->typed(fieldTexts()); });
    for (QLineEdit *field : {txtEpo, txtOno, txtAlloi, txtEkdot, txtSp})
        connect(field, &QLineEdit::textChanged, this, changed);
    connect(txtTitlos, &TitleEdit::textChanged, this, changed);
    // Told where it does not interrupt the typing; a later success takes it away.
    connect(typing(), &TypingKeeper::notKept, this, [this](const Failure &why) {
        runGuarded([&] { StatusBar1.setMessage(NotKept + greekText(why)); });
    });
    connect(typing(), &TypingKeeper::kept, this, guarded([this] {
                if (StatusBar1.message().startsWith(NotKept))
                    StatusBar1.setMessage(QString());
            }));
    noteShownCard();
}

void frmTervani::noteShownCard()
{
    // As the file holds the card it shows: what the keeper types over.
    if (TypingKeeper *keeper = typing())
        keeper->cardShown(CurrentCard,
                          holdsCard(File, CurrentCard) ? std::optional(m_filedCard) : std::nullopt,
                          m_shownTexts);
}

void frmTervani::noteFiling(const Result<void> &filed)
{
    TypingKeeper *keeper = typing();
    if (keeper && filed)
        keeper->filed(m_filedCard);
    else if (keeper)
        keeper->filingRefused();
}

void frmTervani::keepTypedCard()
{
    if (TypingKeeper *keeper = typing())
        keeper->programEnding();
}

void frmTervani::dropTypedCard()
{
    TypingKeeper *keeper = typing();
    if (!keeper || !keeper->dropped())
        return; // dropped, or why it was not kept is in the message panel
    m_platform.messages.show(
        QStringLiteral("Οι Αλλαγές της Καρτέλλας ") + NumberText(CurrentCard) +
            QStringLiteral(" δεν Καταχωρίσθηκαν και φυλάχθηκαν στο «%1».\nΘα σας προταθούν ξανά, "
                           "όταν ανοίξετε πάλι για διόρθωση το «%2».")
                .arg(keeper->path(), m_platform.paths.cardFile()),
        AppTitle, Buttons::Ok, Icon::Information);
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
    TypingKeeper *keeper = typing();
    const std::optional<TypingKeeper::Offer> offer =
        keeper ? orEnd(keeper->offer(File, CardCount)) : std::nullopt;
    if (!offer)
        return;
    QString question = QStringLiteral("Βρέθηκαν Αλλαγές της Καρτέλλας ") + NumberText(offer->number) +
                       QStringLiteral(" που πληκτρολογήθηκαν και δεν Καταχωρίσθηκαν.\n");
    if (offer->cardChanged)
        question += QStringLiteral("Η Καρτέλλα άλλαξε στο αρχείο καρτελλών από τότε· θα Επαναφέρω μόνο "
                                   "τα πεδία που πληκτρολογήθηκαν.\n");
    const Answer answer = m_platform.messages.show(question + QStringLiteral("Θέλετε να τις Επαναφέρω ;"),
                                                   AppTitle, Buttons::YesNo, Icon::Question, Answer::Yes);
    if (keeper->offerAnswered(answer == Answer::Yes))
        showTyping(offer->number, offer->fields);
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
