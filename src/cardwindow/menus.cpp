// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

// The menu bar, whose entries carry the function keys, and the handlers that only pass a
// menu entry on to its button or open another window.

#include "frmtervani.h"

#include "menubuilder.h"

namespace velmora {

void frmTervani::createMenus()
{
    MenuBuilder<frmTervani> menus(this);
    mnuFile = menus.menu("mnuFile", QStringLiteral("&Αρχείο"));
    mnuMulti = menus.item(mnuFile, "mnuMulti", QStringLiteral("Πολλαπλές"),
                          QKeySequence(Qt::CTRL | Qt::Key_A), &frmTervani::mnuMulti_Click);
    mnuSep3 = menus.separator(mnuFile, "mnuSep3");
    // F10 is the platform's key for the menu bar; this entry only names it.
    mnuMenu = menus.item(mnuFile, "mnuMenu", QStringLiteral("Μενού      F10"), {}, nullptr);
    mnuSep1 = menus.separator(mnuFile, "mnuSep1");
    mnuEnd = menus.item(mnuFile, "mnuEnd", QStringLiteral("Έ&ξοδος    Alt+X"), {}, &frmTervani::mnuEnd_Click);

    mnuRecords = menus.menu("mnuRecords", QStringLiteral("&Καρτέλλα"));
    mnuNext = menus.item(mnuRecords, "mnuNext", QStringLiteral("Επόμεν&η             PgDwn  ή"),
                         QKeySequence(Qt::Key_F1), &frmTervani::mnuNext_Click);
    mnuPrevious = menus.item(mnuRecords, "mnuPrevious", QStringLiteral("&Προηγούμενη     PgUp    ή"),
                             QKeySequence(Qt::Key_F2), &frmTervani::mnuPrevious_Click);
    mnuNew = menus.item(mnuRecords, "mnuNew", QStringLiteral("&Νέα"), QKeySequence(Qt::Key_F3),
                        &frmTervani::mnuNew_Click);
    mnuSep2 = menus.separator(mnuRecords, "mnuSep2");
    mnuSave = menus.item(mnuRecords, "mnuSave", QStringLiteral("&Καταχώριση"), QKeySequence(Qt::Key_F12),
                         &frmTervani::mnuSave_Click);
    // Like the buttons they stand for, the editing entries are there but unavailable.
    for (QAction *editing : {mnuNew, mnuSave}) {
        editing->setVisible(false);
        editing->setEnabled(false);
    }

    mnuSearch = menus.menu("mnuSearch", QStringLiteral("Α&ναζήτηση"));
    mnuCodeNo = menus.item(mnuSearch, "mnuCodeNo", QStringLiteral("Α&ρ. Καρτέλλας"), QKeySequence(Qt::Key_F4),
                           &frmTervani::mnuCodeNo_Click);
    mnuSep6 = menus.separator(mnuSearch, "mnuSep6");
    mnuISBN = menus.item(mnuSearch, "mnuISBN", QStringLiteral("Αριθμ. &ΙSBN"), QKeySequence(Qt::Key_F5),
                         &frmTervani::mnuISBN_Click);
    mnuAuthor = menus.item(mnuSearch, "mnuAuthor", QStringLiteral("&Συγγραφέα"), QKeySequence(Qt::Key_F6),
                           &frmTervani::mnuAuthor_Click);
    mnuTitle = menus.item(mnuSearch, "mnuTitle", QStringLiteral("&Τίτλου"), QKeySequence(Qt::Key_F7),
                          &frmTervani::mnuTitle_Click);
    mnuAlloi = menus.item(mnuSearch, "mnuAlloi", QStringLiteral("Ά&λλου Ονόματος"), QKeySequence(Qt::Key_F8),
                          &frmTervani::mnuAlloi_Click);
    mnuEkdot = menus.item(mnuSearch, "mnuEkdot", QStringLiteral("Εκδ&οτικών"), QKeySequence(Qt::Key_F9),
                          &frmTervani::mnuEkdot_Click);
    mnuSep7 = menus.separator(mnuSearch, "mnuSep7");
    mnuAnyAuthorTitle =
        menus.item(mnuSearch, "mnuAnyAuthorTitle", QStringLiteral("Συγγραφέας/Τίτλος"),
                   QKeySequence(Qt::SHIFT | Qt::Key_F6), &frmTervani::mnuAnyAuthorTitle_Click);

    mnuSearch1 = menus.menu("mnuSearch1", QStringLiteral("&Διερεύνηση"));
    mnuAuthorTitle = menus.item(mnuSearch1, "mnuAuthorTitle", QStringLiteral("Συγγραφέας και Τίτλος"),
                                QKeySequence(Qt::CTRL | Qt::Key_F6), &frmTervani::mnuAuthorTitle_Click);
    mnuTitleAlloi = menus.item(mnuSearch1, "mnuTitleAlloi", QStringLiteral("Τίτλος και Άλλο Όνομα"),
                               QKeySequence(Qt::CTRL | Qt::Key_F7), &frmTervani::mnuTitleAlloi_Click);
    mnuAlloiEkdot = menus.item(mnuSearch1, "mnuAlloiEkdot", QStringLiteral("Άλλο Όνομα και Εκδοτικά"),
                               QKeySequence(Qt::CTRL | Qt::Key_F8), &frmTervani::mnuAlloiEkdot_Click);
    mnuSep8 = menus.separator(mnuSearch1, "mnuSep8");
    mnuTitleEkdot = menus.item(mnuSearch1, "mnuTitleEkdot", QStringLiteral("Τίτλος και Εκδοτικά"),
                               QKeySequence(Qt::CTRL | Qt::Key_F9), &frmTervani::mnuTitleEkdot_Click);
    mnuAuthorAlloi = menus.item(mnuSearch1, "mnuAuthorAlloi", QStringLiteral("Συγγραφέας και Άλλο Όνομα"),
                                QKeySequence(Qt::CTRL | Qt::Key_F11), &frmTervani::mnuAuthorAlloi_Click);
    mnuAuthorEkdot = menus.item(mnuSearch1, "mnuAuthorEkdot", QStringLiteral("Συγγραφέας και Εκδοτικά"),
                                QKeySequence(Qt::CTRL | Qt::Key_F12), &frmTervani::mnuAuthorEkdot_Click);

    mnublb = menus.menu("mnublb", QStringLiteral("Βιβλιο&γραφία"));
    mnuBible = menus.item(mnublb, "mnuBible", QStringLiteral("Βελμόρα ..."), {}, &frmTervani::mnuBible_Click);

    mnuAbout = menus.menu("mnuAbout", QStringLiteral("&Βοήθεια"));
    mnuHelp = menus.item(mnuAbout, "mnuHelp", QStringLiteral("Συντομ/ες-Πλήκτρα"), QKeySequence(Qt::Key_F11),
                         &frmTervani::mnuHelp_Click);
    mnuHelp1 = menus.item(mnuAbout, "mnuHelp1", QStringLiteral("Βοήθεια"),
                          QKeySequence(Qt::CTRL | Qt::Key_F1), &frmTervani::mnuHelp1_Click);
    mnuSep5 = menus.separator(mnuAbout, "mnuSep5");
    mnuAbout1 =
        menus.item(mnuAbout, "mnuAbout1", QStringLiteral("Περί ..."), {}, &frmTervani::mnuAbout1_Click);
}

void frmTervani::mnuMulti_Click()
{
    cmdMulti_Click();
}

void frmTervani::mnuEnd_Click()
{
    cmdExit_Click();
}

void frmTervani::mnuNext_Click()
{
    cmdNext_Click();
}

void frmTervani::mnuPrevious_Click()
{
    cmdPrevious_Click();
}

void frmTervani::mnuNew_Click()
{
    cmdNew_Click();
}

void frmTervani::mnuSave_Click()
{
    cmdCorrect_Click();
}

void frmTervani::mnuCodeNo_Click()
{
    cmdFindcode_Click();
}

void frmTervani::mnuISBN_Click()
{
    cmdFindISBN_Click();
}

void frmTervani::mnuAuthor_Click()
{
    cmdFindAuthor_Click();
}

void frmTervani::mnuTitle_Click()
{
    cmdFindTitle_Click();
}

void frmTervani::mnuAlloi_Click()
{
    cmdFindAlloi_Click();
}

void frmTervani::mnuEkdot_Click()
{
    cmdFindEkdot_Click();
}

void frmTervani::cmdMulti_Click()
{
    if (!mayLeaveCard())
        return;
    // Loading the exploration window unloads this one, which lets go of its card file.
    m_forms.load(FormName::frmMulti);
    m_forms.show(FormName::frmMulti);
}

void frmTervani::mnuHelp_Click()
{
    showShortcutKeys();
}

void frmTervani::mnuAbout1_Click()
{
    showAbout();
}

void frmTervani::mnuBible_Click()
{
    showBibliographyHelp();
}

void frmTervani::mnuHelp1_Click()
{
    showProgramHelp();
}

} // namespace velmora
