// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include <QMainWindow>

class QTextBrowser;
class QUrl;

namespace velmora {

class MessageBox;

// One help file on screen, modeless, with Back, Contents and Close. A help file may come
// from someone else, so it is read as a stranger's page: it shows nothing from outside
// its own folder and only a bounded amount from inside it, and a link out of it opens
// only once the user has seen the address and agreed.
class HelpWindow : public QMainWindow
{
    Q_OBJECT

public:
    // The most a help page may load: each of its files, and all of them together.
    static constexpr qint64 MaxFileBytes = 4 << 20;
    static constexpr qint64 MaxPageBytes = 16 << 20;

    HelpWindow(const QString &path, MessageBox &messages, QWidget *parent = nullptr);

    QTextBrowser *browser() const { return m_browser; }
    QString path() const { return m_path; }
    // Back to the file's contents page, the top of the file.
    void showContents();
    // What a click on a link does.
    void follow(const QUrl &link);

private:
    QTextBrowser *m_browser;
    QString m_path;
    MessageBox &m_messages;
};

} // namespace velmora
