#include "statuspanels.h"

#include <QLabel>
#include <QMainWindow>
#include <QStatusBar>

namespace velmora {

StatusPanels::StatusPanels(QMainWindow *window, int count)
{
    QStatusBar *bar = window->statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setToolTip(QStringLiteral("Χώρος Μηνυμάτων Προγράμματος"));
    for (int i = 1; i <= count; ++i) {
        auto *panel = new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_panels << panel;
    }
}

QString StatusPanels::message() const
{
    return panel(MessagePanel)->text();
}

void StatusPanels::setMessage(const QString &text)
{
    panel(MessagePanel)->setText(text);
}

} // namespace velmora
