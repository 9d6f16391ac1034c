// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// Filing, appending and deleting cards, for the keeper of the bibliography who started
// the program to edit it: each write goes through the editing session (one editor, a
// backup first, the card on the medium before it is called filed), a write that fails is
// told and leaves the typed text on the screen, and a card changed and not filed is asked
// about before it is left.

#include "frmtervani.h"

#include "appending.h"
#include "cardeditsession.h"
#include "cardfileerror.h"
#include "editcopy.h"
#include "filingprogress.h"
#include "greekfailure.h"
#include "handlerguard.h"
#include "numbertext.h"
#include "titleedit.h"
#include "unstorable.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QScopedValueRollback>
#include <QScreen>
#include <QTimer>

namespace velmora {

std::array<QString, FieldCount> frmTervani::fieldTexts() const
{
    return {txtEpo->text(),   txtOno->text(),   txtTitlos->text(),
            txtAlloi->text(), txtEkdot->text(), txtSp->text()};
}

bool frmTervani::fieldsChanged() const
{
    return fieldTexts() != m_shownTexts;
}

void frmTervani::setEditing(bool editing)
{
    m_editing = editing;
    for (QPushButton *b : {cmdNew, cmdDelete, cmdCorrect}) {
        b->setVisible(editing);
        b->setEnabled(editing);
    }
    for (QAction *a : {mnuNew, mnuSave}) {
        a->setVisible(editing);
        a->setEnabled(editing);
    }
    // The window grows by the three buttons, and stays centred.
    setMinimumSize(0, 0);
    setMaximumSize(QWIDGETSIZE_MAX, QWIDGETSIZE_MAX);
    centralWidget()->adjustSize();
    adjustSize();
    setFixedSize(sizeHint());
    if (const QScreen *screen = this->screen())
        move(screen->availableGeometry().center() - rect().center());
    // Asked to edit a card file that can only be read: told once why, when the window is
    // first on the screen, not in the middle of its load.
    if (!editing && m_session.editing && !m_session.toldWhyNotEditable) {
        m_session.toldWhyNotEditable = true;
        const QString why =
            m_platform.paths.cardFileIsInstalled()
                ? QStringLiteral("Είναι η βιβλιογραφία που εγκαταστάθηκε μαζί με το πρόγραμμα.")
                : greekText(m_session.editing->notEditableReason().value_or(File.readOnlyReason()));
        QTimer::singleShot(0, this, guarded([this, why, path = File.path()] {
                               m_platform.messages.showCommand(
                                   QStringLiteral("Οι Καρτέλλες δεν μπορούν να διορθωθούν.\n") + why +
                                       QLatin1Char('\n') + editCopyAdvice(path),
                                   editCopyCommand(path), AppTitle, Icon::Exclamation);
                           }));
    }
}

Result<void> frmTervani::writeCard(qint32 number, const CardRecord &card, const QString &failure)
{
    // Only an editing session writes; a browsing window has no way to the disk at all.
    if (!m_editing)
        return velmora::failure(File.readOnlyReason());
    const Result<void> filed = fileOnDisk(number, card);
    tellFiled(filed, failure);
    return filed;
}

Result<void> frmTervani::fileOnDisk(qint32 number, const CardRecord &card)
{
    // The backup is made by the session's first filing: then the keeper is told why it
    // takes long.
    QString label = QStringLiteral("Η Καρτέλλα ") + NumberText(number) + QStringLiteral(" Καταχωρίζεται.");
    if (m_session.editing->backupPath().isEmpty())
        label += QStringLiteral("\nΠρώτα αντιγράφεται ολόκληρο το αρχείο καρτελλών, για ασφάλεια.");
    // Ended before any message: keys typed during a long filing are eaten first.
    const QScopedValueRollback<bool> filing(m_filing, true);
    FilingProgress progress(m_platform.clock, this, label);
    return progress.run(
        [&](const BackupProgress &report) { return m_session.editing->write(File, number, card, report); });
}

void frmTervani::tellFiled(const Result<void> &filed, const QString &failure)
{
    if (!filed)
        m_platform.messages.show(failure + QLatin1Char('\n') + greekText(filed.error()), AppTitle,
                                 Buttons::Ok, Icon::Exclamation);
    // The session's backup went somewhere the keeper would not look: said with the filing.
    else if (const std::optional<QString> elsewhere = m_session.editing->takeBackupElsewhere())
        m_platform.messages.show(QStringLiteral("Το αντίγραφο ασφαλείας του αρχείου καρτελλών δεν μπόρεσε να "
                                                "γίνει δίπλα του και έγινε στο «%1».")
                                     .arg(*elsewhere),
                                 AppTitle, Buttons::Ok, Icon::Information);
    // Told once a session: a journal there protects this keeper's filings, not the others'.
    if (const std::optional<QString> elsewhere =
            filed ? m_session.editing->takeJournalElsewhere() : std::optional<QString>())
        m_platform.messages.show(
            QStringLiteral("Το ημερολόγιο που προστατεύει τις καταχωρίσεις δεν χωρά δίπλα "
                           "στο αρχείο καρτελλών και γράφεται στο «%1»· όσοι άλλοι "
                           "διορθώνουν το ίδιο αρχείο δεν θα το βρουν, αν μια καταχώριση "
                           "διακοπεί.")
                .arg(*elsewhere),
            AppTitle, Buttons::Ok, Icon::Information);
}

bool frmTervani::SaveCR()
{
    if (!m_editing)
        return false;
    // Only the fields the keeper changed are encoded anew: a field shown trimmed, with
    // control pictures, or holding bytes the code page leaves undefined goes back to the
    // file as it was read.
    CardRecord typed = Card;
    CardRecord filed = m_filedCard;
    const std::array<QString, FieldCount> texts = fieldTexts();
    for (int i = 0; i < FieldCount; ++i) {
        if (texts[i] == m_shownTexts[i])
            continue;
        typed.setField(AllFields[i], texts[i]);
        filed.setField(AllFields[i], texts[i]);
    }
    const Result<void> written = fileOnDisk(CurrentCard, filed);
    // Filed before anything is told: the messages that follow run events, and the typing
    // must not be kept for recovery, nor a signal keep it, while they are up.
    if (written) {
        Card = typed;
        m_filedCard = filed;
        m_shownTexts = texts;
    }
    noteFiling(written);
    tellFiled(written, QStringLiteral("Η Καρτέλλα ") + NumberText(CurrentCard) +
                           QStringLiteral(" δεν Καταχωρίσθηκε."));
    return written.has_value();
}

bool frmTervani::mayFileTypedText()
{
    QStringList unstorable;
    for (const QString &text : fieldTexts())
        for (const QString &ch : unstorableCharacters(text))
            if (!unstorable.contains(ch))
                unstorable << ch;
    if (unstorable.isEmpty())
        return true;
    const QString question = QStringLiteral("Οι χαρακτήρες «%1» δεν υπάρχουν στην Ελληνική κωδικοσελίδα της "
                                            "Βιβλιογραφίας και θα Καταχωρισθούν ως «?».\n"
                                            "Θέλετε να Καταχωρίσω την Καρτέλλα %2 ;")
                                 .arg(unstorable.join(QStringLiteral("», «")), NumberText(CurrentCard));
    return m_platform.messages.show(question, AppTitle, Buttons::YesNo, Icon::Question, Answer::No) ==
           Answer::Yes;
}

bool frmTervani::mayLeaveCard()
{
    if (!m_editing || !fieldsChanged())
        return true;
    const Answer answer =
        m_platform.messages.show(QStringLiteral("Θέλετε να Καταχωρίσω τις Αλλαγές της Καρτέλλας ") +
                                     NumberText(CurrentCard) + QStringLiteral(" ;"),
                                 AppTitle, Buttons::YesNoCancel, Icon::Question);
    if (answer == Answer::No) {
        dropTypedCard();
        return true;
    }
    return answer == Answer::Yes && mayFileTypedText() && SaveCR();
}

void frmTervani::cmdCorrect_Click()
{
    if (!m_editing || !mayFileTypedText())
        return;
    if (!SaveCR())
        return;
    m_platform.messages.show(QStringLiteral("Η Καρτέλλα ") + NumberText(CurrentCard) +
                                 QStringLiteral(" Καταχωρίσθηκε"),
                             AppTitle, Buttons::Ok, Icon::Information);
}

void frmTervani::cmdNew_Click()
{
    if (!m_editing || !mayFileTypedText())
        return;
    // The card on screen is written back first, changed or not. The empty card an empty
    // file offers is not in the file: it becomes card 1 only when something was typed.
    if ((orEnd(File.length()) > 0 || fieldsChanged()) && !SaveCR())
        return;
    const QString failure = QStringLiteral("Η Νέα Καρτέλλα δεν Καταχωρίσθηκε.");
    const CardRecord card = CardRecord::newCard();
    bool told = false; // a filing says its own failure
    const Result<qint32> added = appendCard(File, card, [&](qint32 number, const CardRecord &filed) {
        told = true;
        Result<void> done = writeCard(number, filed, failure);
        if (done)
            CardCount = number;
        return done;
    });
    if (!added) {
        // The end of the file could not be read: nothing was filed, and the keeper is told why.
        if (!told)
            m_platform.messages.show(failure + QLatin1Char('\n') + greekText(added.error()), AppTitle,
                                     Buttons::Ok, Icon::Exclamation);
        return;
    }
    Card = card;
    CurrentCard = CardCount;
    ShowCR();
}

void frmTervani::cmdDelete_Click()
{
    if (!m_editing)
        return;
    const Answer answer = m_platform.messages.show(QStringLiteral("Θέλετε να Διαγράψετε την Καρτέλλα ") +
                                                       NumberText(CurrentCard) + QStringLiteral(" ;"),
                                                   AppTitle, Buttons::YesNo, Icon::Question, Answer::No);
    if (answer != Answer::Yes)
        return;
    const CardRecord card = CardRecord::deletedCard();
    if (!writeCard(CurrentCard, card,
                   QStringLiteral("Η Καρτέλλα ") + NumberText(CurrentCard) +
                       QStringLiteral(" δεν Διαγράφηκε.")))
        return;
    Card = card;
    ShowCR();
}

} // namespace velmora
