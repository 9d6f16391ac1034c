// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "helpviewer.h"

#include <QHash>
#include <QPointer>
#include <QStringList>

namespace velmora {

class HelpWindow;
class MessageBox;

// The program's help viewer: finds a help file by its bare name and shows it in a window
// of its own, one window per file, reused while it stays open.
class HelpBrowser : public HelpViewer
{
public:
    // The folders searched in order; "." is the working folder at the time of the search.
    // A help file found in none of them is reported in `messages`.
    explicit HelpBrowser(MessageBox &messages, QStringList searchFolders = defaultSearchFolders());
    ~HelpBrowser();

    void showContents(const QString &fileName) override;

    QString locate(const QString &fileName) const; // empty when it is nowhere
    HelpWindow *window(const QString &fileName) const;
    QStringList searchFolders() const { return m_folders; }

    // The installed help folder, as configured, and for a program the build made the build
    // tree's copy; searchFoldersBeside() of the program's own folder.
    static QStringList defaultSearchFolders();
    // The installed help folder, and the folder named by the mark a build writes beside the
    // programs it makes, when it is in `programFolder` and nobody but the user or root could
    // have written it. No folder is found by walking up from the program: a copy of it,
    // wherever it is, shows nobody's help but the installed.
    static QStringList searchFoldersBeside(const QString &programFolder);

private:
    void reportMissing(const QString &fileName) const;

    MessageBox &m_messages;
    QStringList m_folders;
    QHash<QString, QPointer<HelpWindow>> m_windows;
};

} // namespace velmora
