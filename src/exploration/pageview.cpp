#include "pageview.h"

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
    m_x = x;
    m_column = x / columnWidth() + 1;
}

void PageView::print(const QString &text, bool endLine)
{
    if (!text.isEmpty()) {
        m_items.append(Item{m_line, m_x, m_column, text});
        m_x += fontMetrics().horizontalAdvance(text);
        m_column = 0;
        changed();
    }
    if (endLine) {
        ++m_line;
        m_x = 0;
        m_column = 1;
    }
}

void PageView::tab(int column)
{
    const int target = (qMax(column, 1) - 1) * columnWidth();
    if (m_x > target)
        ++m_line;
    m_x = target;
    m_column = qMax(column, 1);
}

void PageView::printNumber(qint64 n, bool endLine)
{
    const QString digits = QString::number(n);
    print((n < 0 ? digits : QLatin1Char(' ') + digits) + QLatin1Char(' '), endLine);
}

void PageView::clear()
{
    m_items.clear();
    m_line = 0;
    m_x = 0;
    m_column = 1;
    changed();
}

QStringList PageView::drawnLines() const
{
    QStringList lines;
    for (const Item &item : m_items) {
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
    for (const Item &item : std::as_const(m_items))
        painter.drawText(item.x, TopMargin + item.line * fm.lineSpacing() + fm.ascent(), item.text);
}

void PageView::changeEvent(QEvent *event)
{
    if (event->type() == QEvent::FontChange)
        updateGeometry();
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
