// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "helpbrowser.h"

#include "fileops.h"
#include "helpwindow.h"
#include "messagebox.h"
#include "trust.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScreen>

#include <fcntl.h>
#include <unistd.h>

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

// The help folder a build named in the mark it writes beside its programs. A mark is taken
// only when it is a regular file of the user's or root's that nobody else can write: anyone
// may put a file beside a copy of the program in a shared folder.
QString buildHelpFolder(const QString &programFolder)
{
    const Result<FileDescriptor> mark =
        openRegularFile(QFile::encodeName(programFolder + QStringLiteral("/" VELMORA_BUILD_HELP_MARK)),
                        O_RDONLY | O_NOFOLLOW);
    if (!mark)
        return {};
    const Result<struct stat> st = statusOf(mark->get());
    if (!st || !isSteadyFile(*st))
        return {};
    const Result<QByteArray> text = readWhole(mark->get(), 4096);
    if (!text)
        return {};
    const QString folder = QFile::decodeName(text->endsWith('\n') ? text->chopped(1) : *text);
    return QDir::isAbsolutePath(folder) ? QDir::cleanPath(folder) : QString();
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
    return searchFoldersBeside(QCoreApplication::applicationDirPath());
}

QStringList HelpBrowser::searchFoldersBeside(const QString &programFolder)
{
    // Never the working folder, the program's own or one above it: a help file someone
    // left in the folder the program was started in, or near a copy of the program, must
    // not stand in for the installed one.
    QStringList folders{QStringLiteral(VELMORA_DATADIR "/help")};
    if (const QString built = buildHelpFolder(programFolder); !built.isEmpty())
        folders << built;
    return folders;
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
