#include "auxlook.h"

#include <QApplication>
#include <QFont>
#include <QPalette>
#include <QWidget>

namespace velmora {

void setBackground(QWidget *widget, const QColor &colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QFont boldSansFont(qreal pointSize)
{
    QFont font = QApplication::font();
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}

QFont boldSerifFont(qreal pointSize)
{
    QFont font(QStringLiteral("Times New Roman"));
    font.setStyleHint(QFont::Serif);
    font.setPointSizeF(pointSize);
    font.setBold(true);
    return font;
}

} // namespace velmora
