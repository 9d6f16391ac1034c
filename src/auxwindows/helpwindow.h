#pragma once

#include <QMainWindow>

class QTextBrowser;

namespace velmora {

// One help file on screen, modeless, with Back, Contents and Close.
class HelpWindow : public QMainWindow
{
    Q_OBJECT

public:
    explicit HelpWindow(const QString &path, QWidget *parent = nullptr);

    QTextBrowser *browser() const { return m_browser; }
    QString path() const { return m_path; }
    // Back to the file's contents page, the top of the file.
    void showContents();

private:
    QTextBrowser *m_browser;
    QString m_path;
};

} // namespace velmora
