// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "titleedit.h"

#include <QKeyEvent>
#include <QMimeData>

namespace velmora {

TitleEdit::TitleEdit(int maxLength, QWidget *parent) : QPlainTextEdit(parent), m_maxLength(maxLength)
{
    setLineWrapMode(QPlainTextEdit::WidgetWidth);
    setWordWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    setTabChangesFocus(true);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    connect(this, &QPlainTextEdit::textChanged, this, [this] { cutToMaxLength(); });
}

QString TitleEdit::text() const
{
    QString raw = document()->toRawText();
    raw.replace(QChar::ParagraphSeparator, QLatin1Char('\n'));
    return raw;
}

void TitleEdit::setText(const QString &text)
{
    setPlainText(text.left(m_maxLength));
}

void TitleEdit::keyPressEvent(QKeyEvent *event)
{
    if (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) {
        event->ignore();
        return;
    }
    QPlainTextEdit::keyPressEvent(event);
}

void TitleEdit::insertFromMimeData(const QMimeData *source)
{
    // Pasted lines join into one line of text, as the field holds.
    QString text = source->text();
    text.replace(QLatin1String("\r\n"), QLatin1String(" "));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    insertPlainText(text);
}

void TitleEdit::cutToMaxLength()
{
    if (m_cutting || document()->characterCount() - 1 <= m_maxLength)
        return;
    m_cutting = true;
    // What went past the limit is dropped where it was typed, as a line edit does.
    QTextCursor cursor = textCursor();
    const int position = cursor.position();
    const int excess = document()->characterCount() - 1 - m_maxLength;
    const int from = qMax(0, position - excess);
    cursor.setPosition(from);
    cursor.setPosition(from + excess, QTextCursor::KeepAnchor);
    cursor.removeSelectedText();
    setTextCursor(cursor);
    m_cutting = false;
}

} // namespace velmora
