// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "mainwindow.h"
#include "typingkeeper.h"

#include <array>
#include <functional>
#include <memory>

class QAction;
class QFrame;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class QToolButton;

namespace velmora {

struct Search;
class CardEditSession;
class TitleEdit;

// What the card window keeps across an unload and a new load.
struct CardWindowSession
{
    qint16 PrintCount = 0; // cards on the current printed page, 0 to 9
    // The editing session when the program was started to edit the card file; null when
    // it only reads, as it always has.
    CardEditSession *editing = nullptr;
    bool toldWhyNotEditable = false; // editing was asked for, and the keeper told why not
    // The typing not yet filed, from the first card window that edits on.
    std::unique_ptr<TypingKeeper> typing;
};

// The card window: one card at a time, the searches, the print queue, menus and keys.
class frmTervani : public MainWindow
{
    Q_OBJECT

public:
    frmTervani(Platform &platform, Forms &forms, CardWindowSession &session);
    ~frmTervani() override;

    // Opens the card file and shows card 1; throws CardFileError.
    void Form_Load();

    void ShowCR();
    // False when the card could not be written (editing only; the reason has been told).
    bool SaveCR();

    // The card typed and not filed goes to its recovery file now (see recovery.cpp): the
    // program is about to end without asking, and a question still open decides nothing.
    void keepTypedCard();
    // A session manager ends the session: the unsaved-changes question when it lets the
    // program ask, the typing kept otherwise. False when the keeper would rather stay.
    bool mayEndSession(const std::function<bool()> &mayAsk);

    // Handlers, in the order of the window's method table.
    void cmdCorrect_Click();
    void cmdEndPrint_Click();
    void cmdExit_Click();
    void cmdDelete_Click();
    void cmdFindAlloi_Click();
    void cmdFindcode_Click();
    void cmdFindEkdot_Click();
    void cmdFindISBN_Click();
    void cmdFindAuthor_Click();
    void cmdFindTitle_Click();
    void cmdMulti_Click();
    void cmdPrint_Click();
    void cmdNew_Click();
    void cmdNext_Click();
    void cmdPrevious_Click();
    void mnuAbout1_Click();
    void mnuAlloi_Click();
    void mnuAlloiEkdot_Click();
    void mnuAnyAuthorTitle_Click();
    void mnuAuthor_Click();
    void mnuAuthorAlloi_Click();
    void mnuAuthorEkdot_Click();
    void mnuAuthorTitle_Click();
    void mnuBible_Click();
    void mnuCodeNo_Click();
    void mnuEkdot_Click();
    void mnuEnd_Click();
    void mnuHelp_Click();
    void mnuHelp1_Click();
    void mnuISBN_Click();
    void mnuMulti_Click();
    void mnuNew_Click();
    void mnuNext_Click();
    void mnuPrevious_Click();
    void mnuSave_Click();
    void mnuTitle_Click();
    void mnuTitleAlloi_Click();
    void mnuTitleEkdot_Click();
    void Picture1_Click();

    // Kept across the window's reloads, in the session.
    qint16 &PrintCount;

    // Controls.
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7;
    QLineEdit *txtEpo, *txtOno, *txtAlloi, *txtEkdot, *txtSp;
    TitleEdit *txtTitlos;
    QPushButton *cmdNext, *cmdPrevious, *cmdNew, *cmdDelete, *cmdFindcode, *cmdFindAuthor, *cmdFindTitle,
        *cmdFindAlloi, *cmdExit, *cmdFindISBN, *cmdFindEkdot, *cmdCorrect, *cmdPrint, *cmdEndPrint, *cmdMulti;
    QToolButton *Picture1;
    QFrame *Frame1;

    // StatusBar1 has panels 1 to 7: the message area, CAPS, NUM and the date among them.
    static constexpr int CapsPanel = 4;
    static constexpr int NumPanel = 6;
    static constexpr int DatePanel = 7;

    QMenu *mnuFile, *mnuRecords, *mnuSearch, *mnuSearch1, *mnublb, *mnuAbout;
    QAction *mnuMulti, *mnuSep3, *mnuMenu, *mnuSep1, *mnuEnd, *mnuNext, *mnuPrevious, *mnuNew, *mnuSep2,
        *mnuSave, *mnuCodeNo, *mnuSep6, *mnuISBN, *mnuAuthor, *mnuTitle, *mnuAlloi, *mnuEkdot, *mnuSep7,
        *mnuAnyAuthorTitle, *mnuAuthorTitle, *mnuTitleAlloi, *mnuAlloiEkdot, *mnuSep8, *mnuTitleEkdot,
        *mnuAuthorAlloi, *mnuAuthorEkdot, *mnuBible, *mnuHelp, *mnuHelp1, *mnuSep5, *mnuAbout1;

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createStatusBar();
    void createMenus();
    void updateLockPanels();
    // The next or previous card (`step` +1 or -1); at either end, a beep and `refusal`.
    void moveBy(int step, const QString &refusal);

    // The scan and offer shared by every text search.
    void runSearch(const Search &search);

    // Editing, when the program was started for it and the card file can be written.
    void setEditing(bool editing);
    std::array<QString, FieldCount> fieldTexts() const;
    bool fieldsChanged() const;
    Result<void> writeCard(qint32 number, const CardRecord &card, const QString &failure);
    // The two halves of writeCard: the filing, and what is told of it, apart so that what
    // depends on the card being filed is settled before any message is up.
    Result<void> fileOnDisk(qint32 number, const CardRecord &card);
    void tellFiled(const Result<void> &filed, const QString &failure);
    // Characters the code page cannot hold are named first; false when the keeper would
    // rather correct them.
    bool mayFileTypedText();
    // Before the card on screen gives way to another, the window closes, or the card is
    // printed: changes not filed are filed (Yes), left unfiled (No: the caller drops them
    // or prints the filed card), or the card stays (Cancel, or a failed filing).
    bool mayLeaveCard();

    // The card typed and not yet filed, kept by the session's TypingKeeper (recovery.cpp).
    TypingKeeper *typing() const; // null while the window does not edit
    void startKeepingTypedCard();
    void noteShownCard();
    void noteFiling(const Result<void> &filed);
    // «Όχι» at leaving: after a refused filing the typing stays in the recovery file, and the
    // keeper is told where and how it comes back.
    void dropTypedCard();
    void offerTypedCard();
    // The card of a filing that a crash cut short and the session undid, as it was typed.
    void putBackUndoneFiling();
    void showTyping(qint32 number, const std::array<QString, FieldCount> &fields);

    CardWindowSession &m_session;
    bool m_editing = false;
    std::array<QString, FieldCount> m_shownTexts; // the fields as ShowCR showed them
    // The card on screen as the file holds it, every byte: a field the keeper leaves
    // alone is written back as it was read, not as it is shown (`Card`, trimmed).
    CardRecord m_filedCard;
    bool m_filing = false; // a filing runs, on a thread of its own (filingprogress.h)
    void installKeyMap();
};

} // namespace velmora
