#include "frmmulti.h"

#include "platform.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace velmora {

void frmMulti::createMenus()
{
    QMenuBar *bar = menuBar();
    const auto menu = [bar](const char *name, const QString &caption) {
        QMenu *m = bar->addMenu(caption);
        m->setObjectName(QLatin1String(name));
        m->menuAction()->setObjectName(QLatin1String(name));
        return m;
    };
    const auto item = [this](QMenu *m, const char *name, const QString &caption, QKeySequence key,
                             void (frmMulti::*handler)()) {
        QAction *a = m->addAction(caption);
        a->setObjectName(QLatin1String(name));
        a->setShortcut(key);
        if (handler)
            connect(a, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return a;
    };
    const auto separator = [](QMenu *m, const char *name) {
        QAction *a = m->addSeparator();
        a->setObjectName(QLatin1String(name));
        return a;
    };
    const QKeySequence none;

    mnuMulti = menu("mnuMulti", QStringLiteral("&Αρχείο"));
    mnuTelos = item(mnuMulti, "mnuTelos", QStringLiteral("Ανά καρτέλλα"), Qt::CTRL | Qt::Key_A,
                    &frmMulti::mnuTelos_Click);
    Sep3 = separator(mnuMulti, "Sep3");
    mnuPrint = item(mnuMulti, "mnuPrint", QStringLiteral("Εκτύπωση"), Qt::CTRL | Qt::Key_F2,
                    &frmMulti::mnuPrint_Click);
    mnuSep5 = separator(mnuMulti, "mnuSep5");
    mnuExport = item(mnuMulti, "mnuExport", QStringLiteral("Αποθήκευση"), Qt::CTRL | Qt::Key_F3,
                     &frmMulti::mnuExport_Click);
    mnuSep = separator(mnuMulti, "mnuSep");
    // Only a reminder that F10 opens the menu bar.
    mnuMenu = item(mnuMulti, "mnuMenu", QStringLiteral("Μενού     F10"), none, nullptr);
    mnuSep4 = separator(mnuMulti, "mnuSep4");
    mnuExit = item(mnuMulti, "mnuExit", QStringLiteral("Έ&ξοδος  Alt+X"), none, &frmMulti::mnuExit_Click);

    mnuSearch = menu("mnuSearch", QStringLiteral("Α&ναζήτηση"));
    mnuEpo = item(mnuSearch, "mnuEpo", QStringLiteral("Αριθμ. &ΙSBN"), Qt::Key_F5, &frmMulti::mnuEpo_Click);
    mnuOno = item(mnuSearch, "mnuOno", QStringLiteral("&Συγγραφέα"), Qt::Key_F6, &frmMulti::mnuOno_Click);
    mnuTitlos =
        item(mnuSearch, "mnuTitlos", QStringLiteral("&Τίτλου"), Qt::Key_F7, &frmMulti::mnuTitlos_Click);
    mnuAlloi =
        item(mnuSearch, "mnuAlloi", QStringLiteral("Ά&λλου Ονόματος"), Qt::Key_F8, &frmMulti::mnuAlloi_Click);
    mnuEkdot =
        item(mnuSearch, "mnuEkdot", QStringLiteral("Εκδ&οτικών"), Qt::Key_F9, &frmMulti::mnuEkdot_Click);
    mnuSep8 = separator(mnuSearch, "mnuSep8");
    mnuAnyAuthorTitle = item(mnuSearch, "mnuAnyAuthorTitle", QStringLiteral("Συγγραφέα/Τίτλου"),
                             Qt::SHIFT | Qt::Key_F6, &frmMulti::mnuAnyAuthorTitle_Click);

    mnuSearch1 = menu("mnuSearch1", QStringLiteral("&Διερεύνηση"));
    mnuAuthorTitle = item(mnuSearch1, "mnuAuthorTitle", QStringLiteral("Συγγραφέας και Τίτλος"),
                          Qt::CTRL | Qt::Key_F6, &frmMulti::mnuAuthorTitle_Click);
    mnuTitleAlloi = item(mnuSearch1, "mnuTitleAlloi", QStringLiteral("Τίτλος και Άλλο Όνομα"),
                         Qt::CTRL | Qt::Key_F7, &frmMulti::mnuTitleAlloi_Click);
    mnuAlloiEkdot = item(mnuSearch1, "mnuAlloiEkdot", QStringLiteral("Άλλο Όνομα και Εκδοτικά"),
                         Qt::CTRL | Qt::Key_F8, &frmMulti::mnuAlloiEkdot_Click);
    mnuSep7 = separator(mnuSearch1, "mnuSep7");
    mnuTitleEkdot = item(mnuSearch1, "mnuTitleEkdot", QStringLiteral("Τίτλος και Εκδοτικά"),
                         Qt::CTRL | Qt::Key_F9, &frmMulti::mnuTitleEkdot_Click);
    mnuAuthorAlloi = item(mnuSearch1, "mnuAuthorAlloi", QStringLiteral("Συγγραφέας και Άλλο Όνομα"),
                          Qt::CTRL | Qt::Key_F11, &frmMulti::mnuAuthorAlloi_Click);
    mnuAuthorEkdot = item(mnuSearch1, "mnuAuthorEkdot", QStringLiteral("Συγγραφέας και Εκδοτικά"),
                          Qt::CTRL | Qt::Key_F12, &frmMulti::mnuAuthorEkdot_Click);

    mnublb = menu("mnublb", QStringLiteral("Βιβλιο&γραφία"));
    mnuBible = item(mnublb, "mnuBible", QStringLiteral("Βελμόρα ..."), none, &frmMulti::mnuBible_Click);

    mnuHelp = menu("mnuHelp", QStringLiteral("&Βοήθεια"));
    mnuHelp1 = item(mnuHelp, "mnuHelp1", QStringLiteral("Συντομ/ες-Πλήκτρα"), Qt::Key_F11,
                    &frmMulti::mnuHelp1_Click);
    mnuHelp2 = item(mnuHelp, "mnuHelp2", QStringLiteral("Βοήθεια"), Qt::CTRL | Qt::Key_F1,
                    &frmMulti::mnuHelp2_Click);
    mnuSep2 = separator(mnuHelp, "mnuSep2");
    mnuAbout = item(mnuHelp, "mnuAbout", QStringLiteral("Περί ..."), none, &frmMulti::mnuAbout_Click);
}

void frmMulti::mnuExit_Click()
{
    File.close();
    m_platform.forms.endProgram();
}

void frmMulti::mnuAbout_Click()
{
    m_platform.forms.show(FormName::frmAbout);
}

void frmMulti::mnuHelp1_Click()
{
    m_platform.forms.show(FormName::frmHelp);
}

void frmMulti::mnuHelp2_Click()
{
    m_platform.help.showContents(QStringLiteral("TERVANI.HLP"));
}

void frmMulti::mnuBible_Click()
{
    m_platform.help.showContents(QStringLiteral("BIBLIOGRAPHY.HLP"));
}

} // namespace velmora
