#pragma once

#include "captionflush.h"
#include "cardfile.h"
#include "cardrecord.h"
#include "forms.h"
#include "platform.h"
#include "scanprogress.h"

#include <QMainWindow>

class QFrame;
class QKeyEvent;
class QLabel;
class QLineEdit;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class QToolButton;
class QAction;

namespace velmora {

class SearchText;
struct CardSearch;

// What the card window keeps across an unload and a new load.
struct CardWindowSession
{
    qint16 PrintCount = 0; // cards on the current printed page, 0 to 9
};

// The card window: one card at a time, the searches, the print queue, menus and keys.
class frmTervani : public QMainWindow, public Form
{
    Q_OBJECT

public:
    frmTervani(Platform &platform, CardWindowSession &session, QWidget *parent = nullptr);
    ~frmTervani() override;

    // Opens the card file and shows card 1; throws CardFileError.
    void Form_Load();
    void Form_Unload() override; // closes the card file

    void ShowCR();
    void ShowSRN();
    void SaveCR();

    // The caption during a scan. A search calls ShowSRN once for every card it examines:
    // SearchCard's caption is kept exact, but it reaches the window system only at a steady
    // rate, since a title per card over a million cards would cost seconds. flushCaption()
    // puts the latest ShowSRN caption up at once. The window's own message and input boxes
    // (m_platform.messages, m_platform.input) flush before they open and ShowCR replaces the
    // caption, so windowTitle() is exact whenever a box is shown; a scan that ends without a
    // box or ShowCR calls flushCaption() itself.
    void flushCaption();

    // Key handler of the window, fed by an application-wide filter so that it sees every
    // key before the focused control. `keyCode` is Qt's key code, a letter key given as its
    // Latin capital whatever the layout; `shift` is the mask 1 Shift, 2 Ctrl, 4 Alt.
    // Returns true when the key ran a command.
    bool Form_KeyDown(int keyCode, int shift);

    // Handlers.
    void cmdNext_Click();
    void cmdPrevious_Click();
    void cmdExit_Click();
    void cmdCorrect_Click();
    void cmdNew_Click();
    void cmdDelete_Click();
    void cmdPrint_Click();
    void cmdEndPrint_Click();
    void cmdFindcode_Click();
    void cmdFindISBN_Click();
    void cmdFindAuthor_Click();
    void cmdFindTitle_Click();
    void cmdFindAlloi_Click();
    void cmdFindEkdot_Click();
    void cmdMulti_Click();
    void Picture1_Click();

    void mnuMulti_Click();
    void mnuEnd_Click();
    void mnuNext_Click();
    void mnuPrevious_Click();
    void mnuNew_Click();
    void mnuSave_Click();
    void mnuCodeNo_Click();
    void mnuISBN_Click();
    void mnuAuthor_Click();
    void mnuTitle_Click();
    void mnuAlloi_Click();
    void mnuEkdot_Click();
    void mnuAnyAuthorTitle_Click();
    void mnuAuthorTitle_Click();
    void mnuTitleAlloi_Click();
    void mnuAlloiEkdot_Click();
    void mnuTitleEkdot_Click();
    void mnuAuthorAlloi_Click();
    void mnuAuthorEkdot_Click();
    void mnuBible_Click();
    void mnuHelp_Click();
    void mnuHelp1_Click();
    void mnuAbout1_Click();

    // State, named as the rest of the program knows it.
    CardRecord Card;
    qint32 RecordLength = 0;
    qint32 CurrentCard = 0;
    qint32 SearchCard = 0;
    qint32 CardCount = 0;
    CardFile File; // the window's own handle on the card file
    qint16 &PrintCount;

    // Controls.
    QLabel *Label1, *Label2, *Label3, *Label4, *Label5, *Label6, *Label7;
    QLineEdit *txtEpo, *txtOno, *txtAlloi, *txtEkdot, *txtSp;
    QPlainTextEdit *txtTitlos;
    QPushButton *cmdNext, *cmdPrevious, *cmdNew, *cmdDelete, *cmdFindcode, *cmdFindAuthor,
        *cmdFindTitle, *cmdFindAlloi, *cmdExit, *cmdFindISBN, *cmdFindEkdot, *cmdCorrect,
        *cmdPrint, *cmdEndPrint, *cmdMulti;
    QToolButton *Picture1;
    QFrame *Frame1;
    QLabel *StatusBar1Panels[7]; // StatusBar1, panels 1 to 7 at indexes 0 to 6

    QMenu *mnuFile, *mnuRecords, *mnuSearch, *mnuSearch1, *mnublb, *mnuAbout;
    QAction *mnuMulti, *mnuSep3, *mnuMenu, *mnuSep1, *mnuEnd, *mnuNext, *mnuPrevious, *mnuNew,
        *mnuSep2, *mnuSave, *mnuCodeNo, *mnuSep6, *mnuISBN, *mnuAuthor, *mnuTitle, *mnuAlloi,
        *mnuEkdot, *mnuSep7, *mnuAnyAuthorTitle, *mnuAuthorTitle, *mnuTitleAlloi, *mnuAlloiEkdot,
        *mnuSep8, *mnuTitleEkdot, *mnuAuthorAlloi, *mnuAuthorEkdot, *mnuBible, *mnuHelp, *mnuHelp1,
        *mnuSep5, *mnuAbout1;

    QString statusText() const; // panel 2, the message area

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    void createControls();
    void createStatusBar();
    void createMenus();
    void updateLockPanels();
    void setStatusText(const QString &text);

    // The scan and offer shared by every text search.
    void runSearch(const CardSearch &search);

    void pushScanCaption();
    void activateMenuBar();
    bool isMenuShortcut(const QKeyEvent &key) const;

    ScanProgress m_scanCaption;
    bool m_scanCaptionPending = false; // ShowSRN has set a caption not yet pushed
    CaptionFlushingMessageBox m_messages;
    CaptionFlushingInputBox m_input;
    Platform m_windowPlatform; // the platform given, with the two boxes above
    Platform &m_platform;
};

} // namespace velmora
