#pragma once

#include "cardfile.h"
#include "cardrecord.h"
#include "forms.h"

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

    void ShowCR();   // adds card CurrentCard to the page
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
    QAction *mnuTelos, *Sep3, *mnuPrint, *mnuSep5, *mnuExport, *mnuSep, *mnuMenu, *mnuSep4,
        *mnuExit, *mnuEpo, *mnuOno, *mnuTitlos, *mnuAlloi, *mnuEkdot, *mnuSep8, *mnuAnyAuthorTitle,
        *mnuAuthorTitle, *mnuTitleAlloi, *mnuAlloiEkdot, *mnuSep7, *mnuTitleEkdot, *mnuAuthorAlloi,
        *mnuAuthorEkdot, *mnuBible, *mnuHelp1, *mnuHelp2, *mnuSep2, *mnuAbout;

    QString statusText() const; // panel 2

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void createMenus();
    void createStatusBar();
    void setStatusText(const QString &text);
    void writeExportNotice();
    QList<QByteArray> exportLines() const;
    // The exploration procedure, one for all twelve explorations.
    void explore(const Exploration &exploration);

    Platform &m_platform;
};

} // namespace velmora
