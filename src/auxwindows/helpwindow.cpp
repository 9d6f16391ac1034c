#include "helpwindow.h"

#include <QAction>
#include <QScrollBar>
#include <QTextBrowser>
#include <QToolBar>
#include <QUrl>

namespace velmora {

HelpWindow::HelpWindow(const QString &path, QWidget *parent)
    : QMainWindow(parent), m_browser(new QTextBrowser(this)), m_path(path)
{
    setObjectName(QStringLiteral("HelpWindow"));
    setAttribute(Qt::WA_DeleteOnClose);
    m_browser->setObjectName(QStringLiteral("txtHelp"));
    m_browser->setOpenExternalLinks(true);
    setCentralWidget(m_browser);

    QToolBar *bar = addToolBar(QStringLiteral("Βοήθεια"));
    bar->setObjectName(QStringLiteral("tbHelp"));
    bar->setMovable(false);
    QAction *back = bar->addAction(QStringLiteral("Πίσω"), m_browser, &QTextBrowser::backward);
    back->setShortcut(QKeySequence::Back);
    back->setEnabled(false);
    connect(m_browser, &QTextBrowser::backwardAvailable, back, &QAction::setEnabled);
    QAction *contents = bar->addAction(QStringLiteral("Περιεχόμενα"), this, &HelpWindow::showContents);
    contents->setShortcut(QKeySequence(Qt::ALT | Qt::Key_Home));
    QAction *close = bar->addAction(QStringLiteral("Κλείσιμο"), this, &QWidget::close);
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

} // namespace velmora
