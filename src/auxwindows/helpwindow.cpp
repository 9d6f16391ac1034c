// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "helpwindow.h"

#include "fileops.h"
#include "handlerguard.h"
#include "messagebox.h"

#include <QAction>
#include <QDesktopServices>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QScrollBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

// The help folder's own files only, each read without waiting on it (a FIFO) and only up
// to a bound (/dev/zero, a huge picture), the whole page within a bound as well.
class HelpTextBrowser : public QTextBrowser
{
public:
    HelpTextBrowser(const QString &folder, QWidget *parent)
        : QTextBrowser(parent), m_folder(QFileInfo(folder).canonicalFilePath())
    {
    }

    // The file a link or a resource stands for, when it is in the help folder.
    QString inFolder(const QUrl &url) const
    {
        if (!url.isLocalFile())
            return QString();
        const QString canonical = QFileInfo(url.toLocalFile()).canonicalFilePath();
        if (m_folder.isEmpty() || !canonical.startsWith(m_folder + QLatin1Char('/')))
            return QString();
        return canonical;
    }

    // A refused resource is an empty one, not a null one: for a null one the document
    // would go and read the file itself.
    QVariant loadResource(int type, const QUrl &name) override
    {
        if (type == QTextDocument::HtmlResource)
            m_loaded = 0; // a new page
        const QVariant refused = QVariant(QByteArray());
        const QUrl url = source().isValid() ? source().resolved(name) : name;
        const QString file = inFolder(url);
        if (file.isEmpty())
            return refused;
        auto opened = openRegularFile(QFile::encodeName(file), O_RDONLY);
        if (!opened)
            return refused;
        const Result<struct stat> st = statusOf(opened->get());
        if (!st || st->st_size > HelpWindow::MaxFileBytes ||
            m_loaded + st->st_size > HelpWindow::MaxPageBytes)
            return refused;
        QByteArray bytes(qsizetype(st->st_size), '\0');
        qsizetype got = 0;
        while (got < bytes.size()) {
            const ssize_t n = ::read(opened->get(), bytes.data() + got, size_t(bytes.size() - got));
            if (n <= 0)
                break;
            got += n;
        }
        bytes.truncate(got);
        m_loaded += got;
        return bytes;
    }

private:
    QString m_folder;
    qint64 m_loaded = 0;
};

} // namespace

HelpWindow::HelpWindow(const QString &path, MessageBox &messages, QWidget *parent)
    : QMainWindow(parent), m_browser(new HelpTextBrowser(QFileInfo(path).absolutePath(), this)), m_path(path),
      m_messages(messages)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    // Every link goes through follow(): none acts on a click alone.
    m_browser->setOpenLinks(false);
    m_browser->setOpenExternalLinks(false);
    connect(m_browser, &QTextBrowser::anchorClicked, this,
            [this](const QUrl &link) { runGuarded([this, link] { follow(link); }); });
    setCentralWidget(m_browser);

    QToolBar *bar = addToolBar(QStringLiteral("Βοήθεια"));
    bar->setObjectName(QStringLiteral("tbHelp"));
    bar->setMovable(false);
    QAction *back =
        bar->addAction(QStringLiteral("Πίσω"), m_browser, guarded([this] { m_browser->backward(); }));
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QAction *contents =
        bar->addAction(QStringLiteral("Περιεχόμενα"), this, guarded([this] { showContents(); }));
    contents->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    QAction *close = bar->addAction(QStringLiteral("Κλείσιμο"), this, guarded([this] { this->close(); }));
    close->setShortcuts({QKeySequence(Qt::Key_Escape), QKeySequence::Close});

    m_browser->setSource(QUrl::fromLocalFile(path), QTextDocument::HtmlResource);
    const QString title = m_browser->documentTitle();
    setWindowTitle(title.isEmpty() ? QStringLiteral("Βελμόρα 3.0 - Βοήθεια") : title);
    resize(780, 640);
}

void HelpWindow::showContents()
{
    m_browser->setSource(QUrl::fromLocalFile(m_path), QTextDocument::HtmlResource);
    m_browser->verticalScrollBar()->setValue(0);
    m_browser->horizontalScrollBar()->setValue(0);
}

void HelpWindow::follow(const QUrl &link)
{
    // A place in this page or another page of the help folder is shown; no other file,
    // whatever the link's spelling (the browser hands links over resolved).
    const QUrl target = m_browser->source().resolved(link);
    if (target.isLocalFile() || target.scheme() == QLatin1String("qrc")) {
        if (!static_cast<HelpTextBrowser *>(m_browser)->inFolder(target).isEmpty())
            m_browser->setSource(target, QTextDocument::HtmlResource);
        return;
    }
    const QString address = link.toDisplayString();
    if (m_messages.show(
            QStringLiteral("Ο σύνδεσμος οδηγεί έξω από τη Βοήθεια:\n%1\n\nΝα ανοίξει;").arg(address),
            QStringLiteral("Βελμόρα 3.0 - Βοήθεια"), Buttons::YesNo, Icon::Question,
            Answer::No) == Answer::Yes)
        QDesktopServices::openUrl(link);
}

} // namespace velmora
