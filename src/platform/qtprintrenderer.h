// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#pragma once

#include "filedescriptor.h"
#include "printrenderer.h"

#include <QFont>
#include <QString>

class QPrinter;

namespace velmora {

class Clock;
class MessageBox;
class PrintedFileNotice;

// Puts an ended print document on paper: on the system's default printer when there is
// one, otherwise into a PDF file of its own, named after the date and time it was made.
// A failure is told to the user in a message box and never passes in silence.
class QtPrintRenderer final : public PrintRenderer
{
public:
    // The page: A4 portrait, 81 columns of 12 pt Courier across and 56 lines down.
    static constexpr qreal SideMarginPt = 5;
    static constexpr qreal TopMarginPt = 24;
    static constexpr qreal BottomMarginPt = 24;
    static constexpr qreal LineHeightPt = 14;

    // With no folder given, a document goes to the default printer, or when there is none
    // to a PDF file in the user's documents folder under "Velmora". With a folder given,
    // every document becomes a PDF file in that folder. Each PDF file written is told to
    // `notice`, when there is one.
    QtPrintRenderer(MessageBox &messages, Clock &clock, const QString &pdfFolder = QString(),
                    PrintedFileNotice *notice = nullptr);

    bool render(const PrintedDocument &document) override;

    // The PDF file the last successful render wrote; empty when it went to a printer.
    QString lastOutput() const { return m_lastOutput; }

    // The font a document's font name and size stand for: a fixed-pitch Courier.
    static QFont printingFont(const QString &name, int pointSize);
    static QString defaultPdfFolder();

private:
    bool renderToPdf(const PrintedDocument &document);
    bool renderToPrinter(const PrintedDocument &document);
    enum class Outcome { Done, NotStarted, Broken };
    Outcome paint(QPrinter &printer, const PrintedDocument &document);
    // Creates a new file under a free name and gives its descriptor; the name is empty when
    // none could be claimed.
    QString reserveFileName(const QString &folder, FileDescriptor *claimed);
    void report(const QString &reason);

    MessageBox &m_messages;
    Clock &m_clock;
    QString m_pdfFolder;
    PrintedFileNotice *m_notice;
    QString m_lastOutput;
};

} // namespace velmora
