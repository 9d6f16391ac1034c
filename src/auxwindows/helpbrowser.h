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

    // The installed data folder, beside the program (and the help folder of the build
    // tree, two levels above a built program), and last the working folder.
    static QStringList defaultSearchFolders();

private:
    void reportMissing(const QString &fileName) const;

    MessageBox &m_messages;
    QStringList m_folders;
    QHash<QString, QPointer<HelpWindow>> m_windows;
};

} // namespace velmora
