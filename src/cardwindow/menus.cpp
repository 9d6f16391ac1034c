// The menu bar, whose entries carry the function keys, and the handlers that only pass a
// menu entry on to its button or open another window.

#include "frmtervani.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace velmora {

namespace {

QMenu *addMenu(QMenuBar *bar, const char *name, const QString &title)
{
    QMenu *menu = bar->addMenu(title);
    menu->setObjectName(QLatin1String(name));
    return menu;
}

QAction *addSeparator(QMenu *menu, const char *name)
{
    QAction *separator = menu->addSeparator();
    separator->setObjectName(QLatin1String(name));
    return separator;
}

} // namespace

void frmTervani::createMenus()
{
    QMenuBar *bar = menuBar();
    bar->setObjectName(QStringLiteral("menuBar"));

    // Each entry: its name, caption, shortcut and handler. Key hints inside a caption are
    // part of its text; the shortcut column is what the menu shows on the right.
    const auto add = [this](QMenu *menu, const char *name, const QString &caption,
                            const QKeySequence &shortcut, void (frmTervani::*handler)()) {
        QAction *action = menu->addAction(caption);
        action->setObjectName(QLatin1String(name));
        action->setShortcut(shortcut);
        action->setShortcutContext(Qt::WindowShortcut);
        if (handler)
            connect(action, &QAction::triggered, this, [this, handler] { (this->*handler)(); });
        return action;
    };

    mnuFile = addMenu(bar, "mnuFile", QStringLiteral("&Αρχείο"));
    mnuMulti = add(mnuFile, "mnuMulti", QStringLiteral("Πολλαπλές"), QKeySequence(Qt::CTRL | Qt::Key_A),
                   &frmTervani::mnuMulti_Click);
    mnuSep3 = addSeparator(mnuFile, "mnuSep3");
    // F10 is the platform's key for the menu bar; this entry only names it.
    mnuMenu = add(mnuFile, "mnuMenu", QStringLiteral("Μενού      F10"), {}, nullptr);
    mnuSep1 = addSeparator(mnuFile, "mnuSep1");
    mnuEnd = add(mnuFile, "mnuEnd", QStringLiteral("Έ&ξοδος    Alt+X"), {}, &frmTervani::mnuEnd_Click);

    mnuRecords = addMenu(bar, "mnuRecords", QStringLiteral("&Καρτέλλα"));
    mnuNext = add(mnuRecords, "mnuNext", QStringLiteral("Επόμεν&η             PgDwn  ή"),
                  QKeySequence(Qt::Key_F1), &frmTervani::mnuNext_Click);
    mnuPrevious = add(mnuRecords, "mnuPrevious", QStringLiteral("&Προηγούμενη     PgUp    ή"),
                      QKeySequence(Qt::Key_F2), &frmTervani::mnuPrevious_Click);
    mnuNew = add(mnuRecords, "mnuNew", QStringLiteral("&Νέα"), QKeySequence(Qt::Key_F3),
                 &frmTervani::mnuNew_Click);
    mnuSep2 = addSeparator(mnuRecords, "mnuSep2");
    mnuSave = add(mnuRecords, "mnuSave", QStringLiteral("&Καταχώριση"), QKeySequence(Qt::Key_F12),
                  &frmTervani::mnuSave_Click);
    // Like the buttons they stand for, the editing entries are there but unavailable.
    for (QAction *editing : {mnuNew, mnuSave}) {
        editing->setVisible(false);
        editing->setEnabled(false);
    }

    mnuSearch = addMenu(bar, "mnuSearch", QStringLiteral("Α&ναζήτηση"));
    mnuCodeNo = add(mnuSearch, "mnuCodeNo", QStringLiteral("Α&ρ. Καρτέλλας"), QKeySequence(Qt::Key_F4),
                    &frmTervani::mnuCodeNo_Click);
    mnuSep6 = addSeparator(mnuSearch, "mnuSep6");
    mnuISBN = add(mnuSearch, "mnuISBN", QStringLiteral("Αριθμ. &ΙSBN"), QKeySequence(Qt::Key_F5),
                  &frmTervani::mnuISBN_Click);
    mnuAuthor = add(mnuSearch, "mnuAuthor", QStringLiteral("&Συγγραφέα"), QKeySequence(Qt::Key_F6),
                    &frmTervani::mnuAuthor_Click);
    mnuTitle = add(mnuSearch, "mnuTitle", QStringLiteral("&Τίτλου"), QKeySequence(Qt::Key_F7),
                   &frmTervani::mnuTitle_Click);
    mnuAlloi = add(mnuSearch, "mnuAlloi", QStringLiteral("Ά&λλου Ονόματος"), QKeySequence(Qt::Key_F8),
                   &frmTervani::mnuAlloi_Click);
    mnuEkdot = add(mnuSearch, "mnuEkdot", QStringLiteral("Εκδ&οτικών"), QKeySequence(Qt::Key_F9),
                   &frmTervani::mnuEkdot_Click);
    mnuSep7 = addSeparator(mnuSearch, "mnuSep7");
    mnuAnyAuthorTitle = add(mnuSearch, "mnuAnyAuthorTitle", QStringLiteral("Συγγραφέας/Τίτλος"),
                            QKeySequence(Qt::SHIFT | Qt::Key_F6), &frmTervani::mnuAnyAuthorTitle_Click);

    mnuSearch1 = addMenu(bar, "mnuSearch1", QStringLiteral("&Διερεύνηση"));
    mnuAuthorTitle = add(mnuSearch1, "mnuAuthorTitle", QStringLiteral("Συγγραφέας και Τίτλος"),
                         QKeySequence(Qt::CTRL | Qt::Key_F6), &frmTervani::mnuAuthorTitle_Click);
    mnuTitleAlloi = add(mnuSearch1, "mnuTitleAlloi", QStringLiteral("Τίτλος και Άλλο Όνομα"),
                        QKeySequence(Qt::CTRL | Qt::Key_F7), &frmTervani::mnuTitleAlloi_Click);
    mnuAlloiEkdot = add(mnuSearch1, "mnuAlloiEkdot", QStringLiteral("Άλλο Όνομα και Εκδοτικά"),
                        QKeySequence(Qt::CTRL | Qt::Key_F8), &frmTervani::mnuAlloiEkdot_Click);
    mnuSep8 = addSeparator(mnuSearch1, "mnuSep8");
    mnuTitleEkdot = add(mnuSearch1, "mnuTitleEkdot", QStringLiteral("Τίτλος και Εκδοτικά"),
                        QKeySequence(Qt::CTRL | Qt::Key_F9), &frmTervani::mnuTitleEkdot_Click);
    mnuAuthorAlloi = add(mnuSearch1, "mnuAuthorAlloi", QStringLiteral("Συγγραφέας και Άλλο Όνομα"),
                         QKeySequence(Qt::CTRL | Qt::Key_F11), &frmTervani::mnuAuthorAlloi_Click);
    mnuAuthorEkdot = add(mnuSearch1, "mnuAuthorEkdot", QStringLiteral("Συγγραφέας και Εκδοτικά"),
                         QKeySequence(Qt::CTRL | Qt::Key_F12), &frmTervani::mnuAuthorEkdot_Click);

    mnublb = addMenu(bar, "mnublb", QStringLiteral("Βιβλιο&γραφία"));
    mnuBible = add(mnublb, "mnuBible", QStringLiteral("Βελμόρα ..."), {}, &frmTervani::mnuBible_Click);

    mnuAbout = addMenu(bar, "mnuAbout", QStringLiteral("&Βοήθεια"));
    mnuHelp = add(mnuAbout, "mnuHelp", QStringLiteral("Συντομ/ες-Πλήκτρα"), QKeySequence(Qt::Key_F11),
                  &frmTervani::mnuHelp_Click);
    mnuHelp1 = add(mnuAbout, "mnuHelp1", QStringLiteral("Βοήθεια"), QKeySequence(Qt::CTRL | Qt::Key_F1),
                   &frmTervani::mnuHelp1_Click);
    mnuSep5 = addSeparator(mnuAbout, "mnuSep5");
    mnuAbout1 = add(mnuAbout, "mnuAbout1", QStringLiteral("Περί ..."), {}, &frmTervani::mnuAbout1_Click);
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
    // Loading the exploration window unloads this one, which lets go of its card file.
    m_platform.forms.load(FormName::frmMulti);
    m_platform.forms.show(FormName::frmMulti);
}

void frmTervani::mnuHelp_Click()
{
    m_platform.forms.show(FormName::frmHelp);
}

void frmTervani::mnuAbout1_Click()
{
    m_platform.forms.show(FormName::frmAbout);
}

void frmTervani::mnuBible_Click()
{
    m_platform.help.showContents(QStringLiteral("BIBLIOGRAPHY.HLP"));
}

void frmTervani::mnuHelp1_Click()
{
    m_platform.help.showContents(QStringLiteral("TERVANI.HLP"));
}

} // namespace velmora
