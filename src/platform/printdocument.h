// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "printrenderer.h"

#include <QString>

namespace velmora {

// The application's one print document, shared by both main windows. It opens with the
// first output after an end and is kept as text until it ends; only then is it rendered.
class PrintDocument
{
public:
    explicit PrintDocument(PrintRenderer &renderer);

    void setFontName(const QString &name);
    void setFontSize(int points);
    // Text at the current position; `endLine` moves to column 1 of the next line.
    void print(const QString &text, bool endLine = true);
    // Advance to `column` (counted from 1) of the current line; a position already past
    // it moves to that column of the next line.
    void tab(int column);
    // A number that is not negative prints as a blank, its digits and a blank.
    void printNumber(qint64 n, bool endLine = false);
    void newPage();
    // Releases the document to the renderer. Returns false when rendering failed; the
    // renderer reports the failure itself. A document with no output prints nothing.
    bool endDoc();

    // The document being built, as the tests read it.
    const PrintedDocument &pending() const { return m_doc; }
    bool isOpen() const { return m_open; }

private:
    void openIfNeeded();
    QString &currentLine();

    PrintRenderer &m_renderer;
    PrintedDocument m_doc;
    QString m_fontName = QStringLiteral("courier");
    int m_fontSize = 12;
    bool m_open = false;
    bool m_lineOpen = false; // the last line has not been ended yet
};

} // namespace velmora
