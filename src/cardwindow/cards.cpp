// Showing a card, moving between cards, the editing handlers behind their hidden
// controls, and leaving.

#include "frmtervani.h"

#include "numbertext.h"
#include "titleedit.h"

#include <QCloseEvent>
#include <QLineEdit>

namespace velmora {

void frmTervani::Form_Load()
{
    openCardFile();
    ShowCR();
}

void frmTervani::closeEvent(QCloseEvent *event)
{
    // Closed by its frame: the card file is let go, and nothing typed is saved.
    File.close();
    event->accept();
}

void frmTervani::ShowCR()
{
    Card = File.read(CurrentCard);
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
    showCardCaption();
}

void frmTervani::SaveCR()
{
    Card.setField(Field::Isbn, txtEpo->text());
    Card.setField(Field::Author, txtOno->text());
    Card.setField(Field::Title, txtTitlos->text());
    Card.setField(Field::OtherName, txtAlloi->text());
    Card.setField(Field::Publication, txtEkdot->text());
    Card.setField(Field::PagesNotes, txtSp->text());
    File.write(CurrentCard, Card);
}

void frmTervani::cmdCorrect_Click()
{
    SaveCR();
    m_platform.messages.show(QStringLiteral("Η Καρτέλλα ") + NumberText(CurrentCard) +
                                 QStringLiteral(" Καταχωρίσθηκε"),
                             AppTitle, Buttons::Ok, Icon::Information);
}

void frmTervani::cmdNew_Click()
{
    SaveCR();
    CardCount += 1;
    Card = CardRecord::newCard();
    File.write(CardCount, Card);
    CurrentCard = CardCount;
    ShowCR();
}

void frmTervani::cmdDelete_Click()
{
    const Answer answer = m_platform.messages.show(QStringLiteral("Θέλετε να Διαγράψετε την Καρτέλλα ") +
                                                       NumberText(CurrentCard) + QStringLiteral(" ;"),
                                                   AppTitle, Buttons::YesNo, Icon::Question, Answer::No);
    if (answer != Answer::Yes)
        return;
    Card = CardRecord::deletedCard();
    File.write(CurrentCard, Card);
    ShowCR();
}

void frmTervani::cmdNext_Click()
{
    if (CurrentCard >= CardCount) {
        m_platform.beeper.beep();
        m_platform.messages.show(QStringLiteral("Είστε στην Τελευταία Καρτέλλα"), AppTitle, Buttons::Ok,
                                 Icon::Exclamation);
        return;
    }
    CurrentCard += 1;
    ShowCR();
}

void frmTervani::cmdPrevious_Click()
{
    if (CurrentCard <= 1) {
        m_platform.beeper.beep();
        m_platform.messages.show(QStringLiteral("Είστε στην Πρώτη Καρτέλλα"), AppTitle, Buttons::Ok,
                                 Icon::Exclamation);
        return;
    }
    CurrentCard -= 1;
    ShowCR();
}

void frmTervani::cmdExit_Click()
{
    endProgram();
}

void frmTervani::Picture1_Click()
{
    // The card window stays loaded behind the splash: same file, same card afterwards.
    m_forms.show(FormName::frmSplash);
}

} // namespace velmora
