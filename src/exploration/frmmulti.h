// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "mainwindow.h"

#include <array>

class QAction;
class QLabel;
class QMenu;

namespace velmora {

struct Search;
class PageView;

// The exploration window: whole-file scans that collect every match, eight to a page,
// and print or export each page.
class frmMulti : public MainWindow
{
    Q_OBJECT

public:
    static constexpr int SlotsPerPage = 8;
    using Slot = std::array<QString, 3>;

    frmMulti(Platform &platform, Forms &forms);
    ~frmMulti() override;

    // Unloads the card window, opens the card file, creates the export folders; throws
    // CardFileError.
    void Form_Load();

    void ShowCR(); // adds card CurrentCard to the page
    void showCA();
    void ClearArrays();
    void PrintRecords();
    // Appends the page to the export file; false, told in a message box, when appending
    // failed.
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
    qint16 SlotCount = 0;
    qint16 PageNumber = 0;
    QString SearchHeading;
    std::array<Slot, SlotsPerPage> PageLines; // slots 1 to 8 at indexes 0 to 7

    // Controls.
    PageView *page; // the drawing area
    // StatusBar1 has panels 1 to 5: the message area and CAPS among them.
    static constexpr int CapsPanel = 4;
    QMenu *mnuMulti, *mnuSearch, *mnuSearch1, *mnublb, *mnuHelp;
    QAction *mnuTelos, *Sep3, *mnuPrint, *mnuSep5, *mnuExport, *mnuSep, *mnuMenu, *mnuSep4, *mnuExit, *mnuEpo,
        *mnuOno, *mnuTitlos, *mnuAlloi, *mnuEkdot, *mnuSep8, *mnuAnyAuthorTitle, *mnuAuthorTitle,
        *mnuTitleAlloi, *mnuAlloiEkdot, *mnuSep7, *mnuTitleEkdot, *mnuAuthorAlloi, *mnuAuthorEkdot, *mnuBible,
        *mnuHelp1, *mnuHelp2, *mnuSep2, *mnuAbout;

private:
    void createMenus();
    void createStatusBar();
    void updateCapsPanel();
    void installKeyMap();
    // The three lines a card takes in a slot of the page, at full field widths: the one
    // place that lays them out, for the screen, the printer and the export file alike.
    static Slot slotLines(const CardRecord &card, qint32 cardNumber);
    // "Η Διερεύνηση μέχρι την Καρτέλλα < n > καταγράφηκε ..." in panel 2. Only after the
    // page was really appended: a failed Export() must never be reported as done.
    void writeExportNotice();
    static QString exportNotice(qint32 card);
    QList<QByteArray> exportLines() const;
    // The exploration procedure, one for all twelve explorations.
    void explore(const Search &exploration);
};

} // namespace velmora
