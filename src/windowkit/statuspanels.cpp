// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "statuspanels.h"

#include <QLabel>
#include <QMainWindow>
#include <QPainter>
#include <QStatusBar>
#include <QStyle>

namespace velmora {

namespace {

// The windows keep their size, so a message longer than its panel is cut: it ends in "…"
// where it is cut, rather than in the middle of a word as if that were all, and the whole
// of it is the panel's tooltip (StatusPanels::setMessage). Its text stays whole for a
// screen reader.
class MessageLabel final : public QLabel
{
public:
    using QLabel::QLabel;

protected:
    void paintEvent(QPaintEvent *) override
    {
        QPainter painter(this);
        drawFrame(&painter);
        // As QLabel places a line: a framed label without an indent of its own keeps half
        // an "x" from its frame.
        const int room = indent() >= 0      ? indent()
                         : frameWidth() > 0 ? fontMetrics().horizontalAdvance(u'x') / 2
                                            : 0;
        const QRect area = contentsRect().adjusted(margin() + room, margin(), -margin() - room, -margin());
        const QString shown = fontMetrics().elidedText(text(), Qt::ElideRight, area.width());
        style()->drawItemText(&painter, area, int(QStyle::visualAlignment(layoutDirection(), alignment())),
                              palette(), isEnabled(), shown, foregroundRole());
    }
};

} // namespace

StatusPanels::StatusPanels(QMainWindow *window, int count)
{
    QStatusBar *bar = window->statusBar();
    bar->setObjectName(QStringLiteral("StatusBar1"));
    bar->setToolTip(QStringLiteral("Χώρος Μηνυμάτων Προγράμματος"));
    for (int i = 1; i <= count; ++i) {
        auto *panel = i == MessagePanel ? new MessageLabel(bar) : new QLabel(bar);
        panel->setObjectName(QStringLiteral("StatusBar1Panel%1").arg(i));
        panel->setFrameStyle(QFrame::Panel | QFrame::Sunken);
        m_panels << panel;
    }
}

QString StatusPanels::message() const
{
    return panel(MessagePanel)->text();
}

void StatusPanels::showLight(int number, const QString &name, KeyboardState &keyboard,
                             KeyboardState::Light light)
{
    const bool reported = keyboard.reports();
    panel(number)->setText(reported ? name : QString());
    panel(number)->setEnabled(reported && keyboard.isOn(light));
}

void StatusPanels::setMessage(const QString &text)
{
    panel(MessagePanel)->setText(text);
    // Empty, the bar's own tooltip says what the panel is for.
    panel(MessagePanel)->setToolTip(text);
}

} // namespace velmora
