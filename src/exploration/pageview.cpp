// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "pageview.h"

#include "numbertext.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QEvent>
#include <QFontMetrics>
#include <QPainter>

namespace velmora {

namespace {

// Screen readers cannot see text drawn with a painter: the page offers its drawn text
// as the text of a static text, line by line.
class PageViewAccessible : public QAccessibleWidget, public QAccessibleTextInterface
{
public:
    explicit PageViewAccessible(PageView *view) : QAccessibleWidget(view, QAccessible::StaticText) {}

    PageView *view() const { return static_cast<PageView *>(widget()); }

    void *interface_cast(QAccessible::InterfaceType t) override
    {
        if (t == QAccessible::TextInterface)
            return static_cast<QAccessibleTextInterface *>(this);
        return QAccessibleWidget::interface_cast(t);
    }

    QString text(QAccessible::Text t) const override
    {
        if (t == QAccessible::Value)
            return view()->drawnText();
        return QAccessibleWidget::text(t);
    }

    // Read-only text without a caret or selection.
    void selection(int, int *startOffset, int *endOffset) const override { *startOffset = *endOffset = 0; }
    int selectionCount() const override { return 0; }
    void addSelection(int, int) override {}
    void removeSelection(int) override {}
    void setSelection(int, int, int) override {}
    int cursorPosition() const override { return 0; }
    void setCursorPosition(int) override {}
    QString text(int startOffset, int endOffset) const override
    {
        return view()->drawnText().mid(startOffset, endOffset - startOffset);
    }
    int characterCount() const override { return int(view()->drawnText().size()); }
    QRect characterRect(int) const override { return {}; }
    int offsetAtPoint(const QPoint &) const override { return -1; }
    void scrollToSubstring(int, int) override {}
    QString attributes(int offset, int *startOffset, int *endOffset) const override
    {
        *startOffset = *endOffset = offset;
        return {};
    }
};

QAccessibleInterface *pageViewAccessible(const QString &className, QObject *object)
{
    if (className == QLatin1String("velmora::PageView") && object && object->isWidgetType())
        return new PageViewAccessible(static_cast<PageView *>(object));
    return nullptr;
}

constexpr int TopMargin = 2;

} // namespace

PageView::PageView(QWidget *parent) : QWidget(parent)
{
    static const bool factoryInstalled = [] {
        QAccessible::installFactory(pageViewAccessible);
        return true;
    }();
    Q_UNUSED(factoryInstalled);
    setAutoFillBackground(true);
    setFocusPolicy(Qt::NoFocus);
}

int PageView::columnWidth() const
{
    return qMax(1, fontMetrics().averageCharWidth());
}

void PageView::setCurrentX(int x)
{
    add({.kind = Step::MoveTo, .value = x});
}

void PageView::print(const QString &text, bool endLine)
{
    if (text.isEmpty() && !endLine)
        return;
    add({.kind = Step::Text, .text = text, .endLine = endLine});
    if (!text.isEmpty())
        changed();
}

void PageView::tab(int column)
{
    add({.kind = Step::Tab, .value = qMax(column, 1)});
}

void PageView::add(Step step)
{
    m_steps.append(std::move(step));
    m_laidOut = false;
}

const QList<PageView::Item> &PageView::items() const
{
    layOut();
    return m_items;
}

void PageView::layOut() const
{
    if (m_laidOut)
        return;
    m_items.clear();
    const QFontMetrics fm = fontMetrics();
    int line = 0;   // the line the next text goes on
    int x = 0;      // pixels from the left edge
    int column = 1; // the print column x was set to, 0 once text has moved it on
    for (const Step &step : m_steps) {
        switch (step.kind) {
        case Step::MoveTo:
            x = step.value;
            column = x / columnWidth() + 1;
            break;
        case Step::Tab: {
            const int target = (step.value - 1) * columnWidth();
            if (x > target)
                ++line;
            x = target;
            column = step.value;
            break;
        }
        case Step::Text:
            if (!step.text.isEmpty()) {
                m_items.append(Item{line, x, column, step.text});
                column = 0;
                if (!step.endLine)
                    x += fm.horizontalAdvance(step.text);
            }
            if (step.endLine) {
                ++line;
                x = 0;
                column = 1;
            }
            break;
        }
    }
    m_laidOut = true;
}

void PageView::printNumber(qint64 n, bool endLine)
{
    print(PrintedNumber(n), endLine);
}

void PageView::clear()
{
    m_steps.clear();
    m_items.clear();
    m_laidOut = true;
    changed();
}

QStringList PageView::drawnLines() const
{
    QStringList lines;
    for (const Item &item : items()) {
        while (lines.size() <= item.line)
            lines.append(QString());
        QString &line = lines[item.line];
        if (item.column > 0 && line.size() < item.column - 1)
            line += QString(item.column - 1 - line.size(), u' ');
        line += item.text;
    }
    return lines;
}

QSize PageView::sizeHint() const
{
    // A full page: eight four-line blocks, wide enough for the rule under each block and
    // for a card number of seven digits at the end of the first line.
    const QFontMetrics fm = fontMetrics();
    const int rule = fm.horizontalAdvance(QString(110, u'_'));
    const int number = 97 * columnWidth() + fm.horizontalAdvance(QStringLiteral("Καρτέλλα =  9999999 "));
    return {qMax(rule, number) + 2 * TopMargin, (8 * 4 + 1) * fm.lineSpacing() + 2 * TopMargin};
}

void PageView::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    const QFontMetrics fm = fontMetrics();
    painter.setPen(palette().color(QPalette::WindowText));
    for (const Item &item : items())
        painter.drawText(item.x, TopMargin + item.line * fm.lineSpacing() + fm.ascent(), item.text);
}

void PageView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange) {
        m_laidOut = false; // the texts measure differently now
        updateGeometry();
    }
    QWidget::changeEvent(event);
}

void PageView::changed()
{
    update();
    if (QAccessible::isActive()) {
        const QString text = drawnText();
        QAccessibleTextUpdateEvent event(this, 0, m_spokenText, text);
        QAccessible::updateAccessibility(&event);
        m_spokenText = text;
    }
    emit contentsChanged();
}

} // namespace velmora
