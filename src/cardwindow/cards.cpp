// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Showing a card, moving between cards, and leaving.

#include "frmtervani.h"

#include "cardeditsession.h"
#include "cardfileerror.h"
#include "handlerguard.h"
#include "numbertext.h"
#include "titleedit.h"

#include <QCloseEvent>
#include <QLineEdit>

namespace velmora {

void frmTervani::Form_Load()
{
    const bool editingSession = m_session.editing && m_session.editing->isActive();
    openCardFile(editingSession);
    setEditing(editingSession && !File.isReadOnly());
    ShowCR();
    startKeepingTypedCard();
}

void frmTervani::closeEvent(QCloseEvent *event)
{
    // Closed by its frame: the card file is let go. Changes not filed are asked about
    // when the card can be edited, and dropped otherwise.
    bool leave = true;
    runGuarded([&] { leave = mayLeaveCard(); });
    if (!leave) {
        event->ignore();
        return;
    }
    File.close();
    event->accept();
}

void frmTervani::ShowCR()
{
    m_filedCard = orEnd(File.read(CurrentCard));
    Card = m_filedCard;
    QString shown[FieldCount];
    for (int i = 0; i < FieldCount; ++i) {
        shown[i] = Card.shown(AllFields[i]);
        Card.setField(AllFields[i], shown[i]);
    }
    txtEpo->setText(shown[int(Field::Isbn)]);
    txtOno->setText(shown[int(Field::Author)]);
    txtTitlos->setText(shown[int(Field::Title)]);
    txtAlloi->setText(shown[int(Field::OtherName)]);
    txtEkdot->setText(shown[int(Field::Publication)]);
    txtSp->setText(shown[int(Field::PagesNotes)]);
    m_shownTexts = fieldTexts();
    noteShownCard();
    showCardCaption();
}

void frmTervani::cmdNext_Click()
{
    moveBy(+1, QStringLiteral("Είστε στην Τελευταία Καρτέλλα"));
}

void frmTervani::cmdPrevious_Click()
{
    moveBy(-1, QStringLiteral("Είστε στην Πρώτη Καρτέλλα"));
}

void frmTervani::moveBy(int step, const QString &refusal)
{
    const qint32 card = CurrentCard + step;
    if (card < 1 || card > CardCount) {
        m_platform.beeper.beep();
        m_platform.messages.show(refusal, AppTitle, Buttons::Ok, Icon::Exclamation);
        return;
    }
    if (!mayLeaveCard())
        return;
    CurrentCard = card;
    ShowCR();
}

void frmTervani::cmdExit_Click()
{
    if (mayLeaveCard())
        endProgram();
}

void frmTervani::Picture1_Click()
{
    // The card window stays loaded behind the splash: same file, same card afterwards.
    m_forms.show(FormName::frmSplash);
}

} // namespace velmora
