#pragma once

#include "helpviewer.h"

#include <QHash>
#include <QPointer>
#include <QStringList>

#include <functional>

namespace velmora {

class HelpWindow;

// The program's help viewer: finds a help file by its bare name and shows it in a window
// of its own, one window per file, reused while it stays open.
class HelpBrowser : public HelpViewer
{
public:
    // The folders searched in order; "." is the working folder at the time of the search.
    explicit HelpBrowser(QStringList searchFolders = defaultSearchFolders());
    ~HelpBrowser() override;

    void showContents(const QString &fileName) override;

    QString locate(const QString &fileName) const; // empty when it is nowhere
    HelpWindow *window(const QString &fileName) const;
    QStringList searchFolders() const { return m_folders; }

    // The working folder, the installed data folder, then beside the program (and the
    // help folder of the build tree, two levels above a built program).
    static QStringList defaultSearchFolders();

    // Tells the user a help file cannot be found. By default a message box of the
    // viewer's own, which does not wait.
    std::function<void(const QString &fileName, const QStringList &folders)> reportMissing;

private:
    QStringList m_folders;
    QHash<QString, QPointer<HelpWindow>> m_windows;
};

} // namespace velmora
