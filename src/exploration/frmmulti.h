#pragma once

#include "cardfile.h"
#include "cardrecord.h"
#include "forms.h"
#include "scanprogress.h"

#include <QMainWindow>

#include <array>

class QAction;
class QLabel;
class QMenu;

namespace velmora {

struct Platform;
struct Exploration;
class PageView;

// The exploration window: whole-file scans that collect every match, eight to a page,
// and print or export each page.
class frmMulti : public QMainWindow, public Form
{
    Q_OBJECT

public:
    static constexpr int SlotsPerPage = 8;
    using Slot = std::array<QString, 3>;

    explicit frmMulti(Platform &platform, QWidget *parent = nullptr);
    ~frmMulti() override;

    // Unloads the card window, opens the card file, creates the export folders; throws
    // CardFileError.
    void Form_Load();
    void Form_Unload() override;

    // See Form_KeyDown of the card window: mask 1 Shift, 2 Ctrl, 4 Alt.
    bool Form_KeyDown(int keyCode, int shift);

    void ShowCR(); // adds card CurrentCard to the page
    void ShowSRN();
    void showCA();
    void ClearArrays();
    void PrintRecords();
    // Appends the page to the export file; false when appending failed.
    bool Export();

    void mnuTelos_Click();
    void mnuPrint_Click();
    void mnuExport_Click();
    void mnuExit_Click();
    void mnuEpo_Click();
    void mnuOno_Click();
    void mnuTitlos_Click();
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
    void mnuHelp1_Click();
    void mnuHelp2_Click();
    void mnuAbout_Click();

    // State, named as the rest of the program knows it.
    CardRecord Card;
    CardFile File;
    qint32 RecordLength = 0;
    qint32 CurrentCard = 0;
    qint32 SearchCard = 0;
    qint32 CardCount = 0;
    qint16 SlotCount = 0;
    qint16 PageNumber = 0;
    QString SearchHeading;
    std::array<Slot, SlotsPerPage> PageLines; // slots 1 to 8 at indexes 0 to 7

    // Controls.
    PageView *page; // the drawing area
    QLabel *StatusBar1Panels[5];
    QMenu *mnuMulti, *mnuSearch, *mnuSearch1, *mnublb, *mnuHelp;
    QAction *mnuTelos, *Sep3, *mnuPrint, *mnuSep5, *mnuExport, *mnuSep, *mnuMenu, *mnuSep4, *mnuExit, *mnuEpo,
        *mnuOno, *mnuTitlos, *mnuAlloi, *mnuEkdot, *mnuSep8, *mnuAnyAuthorTitle, *mnuAuthorTitle,
        *mnuTitleAlloi, *mnuAlloiEkdot, *mnuSep7, *mnuTitleEkdot, *mnuAuthorAlloi, *mnuAuthorEkdot, *mnuBible,
        *mnuHelp1, *mnuHelp2, *mnuSep2, *mnuAbout;

    QString statusText() const; // panel 2

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createMenus();
    void createStatusBar();
    void setStatusText(const QString &text);
    void updateCapsPanel();
    void openMenuBar();
    // The three lines a card takes in a slot of the page, at full field widths: the one
    // place that lays them out, for the screen, the printer and the export file alike.
    static Slot slotLines(const CardRecord &card, qint32 cardNumber);
    void setCaption(const QString &caption);
    // "Η Διερεύνηση μέχρι την Καρτέλλα < n > καταγράφηκε ..." in panel 2. Only after the
    // page was really appended: a failed Export() must never be reported as done.
    void writeExportNotice();
    static QString exportNotice(qint32 card);
    QList<QByteArray> exportLines() const;
    // ShowSRN is called for every card a scan examines and must stay cheap: it only marks
    // the scan caption as due and lets m_progress push it to the window system now and
    // then. The caption always names SearchCard as it is when pushed. A scan calls
    // flushCaption() before every input or message box it shows and when it ends, so
    // that the caption on screen is exact whenever the user can see it.
    void flushCaption();
    void pushScanCaption();
    // The exploration procedure, one for all twelve explorations.
    void explore(const Exploration &exploration);

    Platform &m_platform;
    ScanProgress m_progress;
    bool m_scanCaptionDue = false;
};

} // namespace velmora
