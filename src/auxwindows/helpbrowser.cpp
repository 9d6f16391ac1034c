// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "helpbrowser.h"

#include "helpwindow.h"
#include "messagebox.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QScreen>

namespace velmora {

namespace {

// A window of its own, which no window manager may place (or none at all), opens in the
// screen's corner: it is centred over the window it was asked from instead, its title
// bar kept on that window's screen.
void centreOver(QWidget &w, const QWidget *over)
{
    if (!over || over == &w)
        return;
    QPoint at = over->frameGeometry().center() - w.rect().center();
    if (const QScreen *screen = over->screen()) {
        const QRect room = screen->availableGeometry();
        at = QPoint(qMax(at.x(), room.left()), qMax(at.y(), room.top()));
    }
    w.move(at);
}

} // namespace

HelpBrowser::HelpBrowser(MessageBox &messages, QStringList searchFolders)
    : m_messages(messages), m_folders(std::move(searchFolders))
{
}

HelpBrowser::~HelpBrowser()
{
    for (const QPointer<HelpWindow> &w : std::as_const(m_windows))
        delete w.data();
}

QStringList HelpBrowser::defaultSearchFolders()
{
    const QString programDir = QCoreApplication::applicationDirPath();
    // The installation's data folder, found from the program's own place so that an
    // installation moved elsewhere (a staging folder, a package for another prefix)
    // finds its own, then the data folder as configured, then the copy a build tree makes.
    // Never the working folder nor the program's own: a help file someone left in the
    // folder the program was started in, or beside a copy of the program, must not stand
    // in for the installed one.
    return {programDir + QStringLiteral("/" VELMORA_DATADIR_FROM_BINDIR "/help"),
            QStringLiteral(VELMORA_DATADIR "/help"), programDir + QStringLiteral("/../../help")};
}

QString HelpBrowser::locate(const QString &fileName) const
{
    for (const QString &folder : m_folders) {
        const QFileInfo candidate(QDir(folder), fileName);
        if (candidate.isFile())
            return QDir::cleanPath(candidate.absoluteFilePath());
    }
    return QString();
}

HelpWindow *HelpBrowser::window(const QString &fileName) const
{
    return m_windows.value(fileName).data();
}

void HelpBrowser::reportMissing(const QString &fileName) const
{
    QStringList searched;
    for (const QString &folder : m_folders)
        searched << QDir::toNativeSeparators(QDir::cleanPath(QDir(folder).absolutePath()));
    m_messages.show(QStringLiteral("Η βοήθεια δεν είναι εγκατεστημένη: δεν βρέθηκε το αρχείο βοήθειας %1.\n"
                                   "Αναζητήθηκε στους φακέλους:\n%2")
                        .arg(fileName, searched.join(QLatin1Char('\n'))),
                    QStringLiteral("Βελμόρα 3.0 - Βοήθεια"), Buttons::Ok, Icon::Exclamation);
}

void HelpBrowser::showContents(const QString &fileName)
{
    const QString path = locate(fileName);
    if (path.isEmpty()) {
        reportMissing(fileName);
        return;
    }
    HelpWindow *w = window(fileName);
    if (w && w->path() == path) {
        w->showContents();
    } else {
        delete w;
        w = new HelpWindow(path, m_messages);
        centreOver(*w, QApplication::activeWindow());
        m_windows.insert(fileName, w);
    }
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace velmora
