// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "printdocument.h"

#include "numbertext.h"

namespace velmora {

PrintDocument::PrintDocument(PrintRenderer &renderer) : m_renderer(renderer) {}

void PrintDocument::setFontName(const QString &name)
{
    m_fontName = name;
    if (m_open)
        m_doc.fontName = name;
}

void PrintDocument::setFontSize(int points)
{
    m_fontSize = points;
    if (m_open)
        m_doc.fontSize = points;
}

void PrintDocument::openIfNeeded()
{
    if (m_open)
        return;
    m_doc = PrintedDocument{m_fontName, m_fontSize, {QStringList()}};
    m_open = true;
    m_lineOpen = false;
}

QString &PrintDocument::currentLine()
{
    openIfNeeded();
    QStringList &page = m_doc.pages.last();
    if (!m_lineOpen) {
        page.append(QString());
        m_lineOpen = true;
    }
    return page.last();
}

void PrintDocument::print(const QString &text, bool endLine)
{
    currentLine() += text;
    if (endLine)
        m_lineOpen = false;
}

void PrintDocument::tab(int column)
{
    const int target = qMax(column, 1) - 1; // characters before the column
    QString *line = &currentLine();
    if (line->size() > target) {
        m_lineOpen = false;
        line = &currentLine();
    }
    if (line->size() < target)
        *line += QString(target - line->size(), u' ');
}

void PrintDocument::printNumber(qint64 n, bool endLine)
{
    print(PrintedNumber(n), endLine);
}

void PrintDocument::newPage()
{
    openIfNeeded();
    m_doc.pages.append(QStringList());
    m_lineOpen = false;
}

bool PrintDocument::endDoc()
{
    if (!m_open)
        return true;
    PrintedDocument doc = std::move(m_doc);
    m_doc = PrintedDocument{};
    m_open = false;
    m_lineOpen = false;
    // A new page with nothing on it yet is not a page.
    while (!doc.pages.isEmpty() && doc.pages.last().isEmpty())
        doc.pages.removeLast();
    if (doc.pages.isEmpty())
        return true;
    return m_renderer.render(doc);
}

} // namespace velmora
