// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmmulti.h"

#include "menubuilder.h"

namespace velmora {

void frmMulti::createMenus()
{
    MenuBuilder<frmMulti> menus(this);
    const QKeySequence none;

    mnuMulti = menus.menu("mnuMulti", QStringLiteral("&Αρχείο"));
    mnuTelos = menus.item(mnuMulti, "mnuTelos", QStringLiteral("Ανά καρτέλλα"), Qt::CTRL | Qt::Key_A,
                          &frmMulti::mnuTelos_Click);
    Sep3 = menus.separator(mnuMulti, "Sep3");
    mnuPrint = menus.item(mnuMulti, "mnuPrint", QStringLiteral("Εκτύπωση"), Qt::CTRL | Qt::Key_F2,
                          &frmMulti::mnuPrint_Click);
    mnuSep5 = menus.separator(mnuMulti, "mnuSep5");
    mnuExport = menus.item(mnuMulti, "mnuExport", QStringLiteral("Αποθήκευση"), Qt::CTRL | Qt::Key_F3,
                           &frmMulti::mnuExport_Click);
    mnuSep = menus.separator(mnuMulti, "mnuSep");
    // Only a reminder that F10 opens the menu bar.
    mnuMenu = menus.item(mnuMulti, "mnuMenu", QStringLiteral("Μενού     F10"), none, nullptr);
    mnuSep4 = menus.separator(mnuMulti, "mnuSep4");
    mnuExit =
        menus.item(mnuMulti, "mnuExit", QStringLiteral("Έ&ξοδος  Alt+X"), none, &frmMulti::mnuExit_Click);

    mnuSearch = menus.menu("mnuSearch", QStringLiteral("Α&ναζήτηση"));
    mnuEpo =
        menus.item(mnuSearch, "mnuEpo", QStringLiteral("Αριθμ. &ΙSBN"), Qt::Key_F5, &frmMulti::mnuEpo_Click);
    mnuOno =
        menus.item(mnuSearch, "mnuOno", QStringLiteral("&Συγγραφέα"), Qt::Key_F6, &frmMulti::mnuOno_Click);
    mnuTitlos =
        menus.item(mnuSearch, "mnuTitlos", QStringLiteral("&Τίτλου"), Qt::Key_F7, &frmMulti::mnuTitlos_Click);
    mnuAlloi = menus.item(mnuSearch, "mnuAlloi", QStringLiteral("Ά&λλου Ονόματος"), Qt::Key_F8,
                          &frmMulti::mnuAlloi_Click);
    mnuEkdot = menus.item(mnuSearch, "mnuEkdot", QStringLiteral("Εκδ&οτικών"), Qt::Key_F9,
                          &frmMulti::mnuEkdot_Click);
    mnuSep8 = menus.separator(mnuSearch, "mnuSep8");
    mnuAnyAuthorTitle = menus.item(mnuSearch, "mnuAnyAuthorTitle", QStringLiteral("Συγγραφέα/Τίτλου"),
                                   Qt::SHIFT | Qt::Key_F6, &frmMulti::mnuAnyAuthorTitle_Click);

    mnuSearch1 = menus.menu("mnuSearch1", QStringLiteral("&Διερεύνηση"));
    mnuAuthorTitle = menus.item(mnuSearch1, "mnuAuthorTitle", QStringLiteral("Συγγραφέας και Τίτλος"),
                                Qt::CTRL | Qt::Key_F6, &frmMulti::mnuAuthorTitle_Click);
    mnuTitleAlloi = menus.item(mnuSearch1, "mnuTitleAlloi", QStringLiteral("Τίτλος και Άλλο Όνομα"),
                               Qt::CTRL | Qt::Key_F7, &frmMulti::mnuTitleAlloi_Click);
    mnuAlloiEkdot = menus.item(mnuSearch1, "mnuAlloiEkdot", QStringLiteral("Άλλο Όνομα και Εκδοτικά"),
                               Qt::CTRL | Qt::Key_F8, &frmMulti::mnuAlloiEkdot_Click);
    mnuSep7 = menus.separator(mnuSearch1, "mnuSep7");
    mnuTitleEkdot = menus.item(mnuSearch1, "mnuTitleEkdot", QStringLiteral("Τίτλος και Εκδοτικά"),
                               Qt::CTRL | Qt::Key_F9, &frmMulti::mnuTitleEkdot_Click);
    mnuAuthorAlloi = menus.item(mnuSearch1, "mnuAuthorAlloi", QStringLiteral("Συγγραφέας και Άλλο Όνομα"),
                                Qt::CTRL | Qt::Key_F11, &frmMulti::mnuAuthorAlloi_Click);
    mnuAuthorEkdot = menus.item(mnuSearch1, "mnuAuthorEkdot", QStringLiteral("Συγγραφέας και Εκδοτικά"),
                                Qt::CTRL | Qt::Key_F12, &frmMulti::mnuAuthorEkdot_Click);

    mnublb = menus.menu("mnublb", QStringLiteral("Βιβλιο&γραφία"));
    mnuBible = menus.item(mnublb, "mnuBible", QStringLiteral("Βελμόρα ..."), none, &frmMulti::mnuBible_Click);

    mnuHelp = menus.menu("mnuHelp", QStringLiteral("&Βοήθεια"));
    mnuHelp1 = menus.item(mnuHelp, "mnuHelp1", QStringLiteral("Συντομ/ες-Πλήκτρα"), Qt::Key_F11,
                          &frmMulti::mnuHelp1_Click);
    mnuHelp2 = menus.item(mnuHelp, "mnuHelp2", QStringLiteral("Βοήθεια"), Qt::CTRL | Qt::Key_F1,
                          &frmMulti::mnuHelp2_Click);
    mnuSep2 = menus.separator(mnuHelp, "mnuSep2");
    mnuAbout = menus.item(mnuHelp, "mnuAbout", QStringLiteral("Περί ..."), none, &frmMulti::mnuAbout_Click);
}

void frmMulti::mnuExit_Click()
{
    endProgram();
}

void frmMulti::mnuAbout_Click()
{
    showAbout();
}

void frmMulti::mnuHelp1_Click()
{
    showShortcutKeys();
}

void frmMulti::mnuHelp2_Click()
{
    showProgramHelp();
}

void frmMulti::mnuBible_Click()
{
    showBibliographyHelp();
}

} // namespace velmora
