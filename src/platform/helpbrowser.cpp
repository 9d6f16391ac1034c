#include "helpbrowser.h"

#include "helpwindow.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QMessageBox>

namespace velmora {

namespace {

void showMissing(const QString &fileName, const QStringList &folders)
{
    QStringList searched;
    for (const QString &folder : folders)
        searched << QDir::toNativeSeparators(QDir::cleanPath(QDir(folder).absolutePath()));
    auto *box =
        new QMessageBox(QMessageBox::Warning, QStringLiteral("Βελμόρα 3.0 - Βοήθεια"),
                        QStringLiteral("Δεν βρέθηκε το αρχείο βοήθειας %1.").arg(fileName), QMessageBox::Ok);
    box->setObjectName(QStringLiteral("msgHelpMissing"));
    box->setInformativeText(QStringLiteral("Αναζητήθηκε στους φακέλους:\n") +
                            searched.join(QLatin1Char('\n')));
    box->setAttribute(Qt::WA_DeleteOnClose);
    box->setWindowModality(Qt::NonModal);
    box->show();
}

} // namespace

HelpBrowser::HelpBrowser(QStringList searchFolders)
    : reportMissing(showMissing), m_folders(std::move(searchFolders))
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
    // finds its own, then the data folder as configured, then a build tree's layout.
    return {QStringLiteral("."),
            programDir + QStringLiteral("/" VELMORA_DATADIR_FROM_BINDIR "/help"),
            QStringLiteral(VELMORA_DATADIR "/help"),
            programDir,
            programDir + QStringLiteral("/../help"),
            programDir + QStringLiteral("/../../help")};
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

void HelpBrowser::showContents(const QString &fileName)
{
    const QString path = locate(fileName);
    if (path.isEmpty()) {
        if (reportMissing)
            reportMissing(fileName, m_folders);
        return;
    }
    HelpWindow *w = window(fileName);
    if (w && w->path() == path) {
        w->showContents();
    } else {
        delete w;
        w = new HelpWindow(path);
        m_windows.insert(fileName, w);
    }
    w->show();
    w->raise();
    w->activateWindow();
}

} // namespace velmora
