// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "frmmulti.h"

#include "cp1253.h"
#include "greekfailure.h"
#include "numbertext.h"
#include "pageview.h"
#include "printheader.h"

#include <QAction>

namespace velmora {

namespace {

void tellPageNotSaved(Platform &platform, const Failure &why)
{
    platform.messages.show(QStringLiteral("Η σελίδα δεν αποθηκεύτηκε στο αρχείο ") + exportFileShownName() +
                               QStringLiteral(": ") + greekClause(why) + QStringLiteral("."),
                           AppTitle, Buttons::Ok, Icon::Exclamation);
}

} // namespace

void frmMulti::PrintRecords()
{
    mnuExport->setEnabled(false);
    PrintDocument &printer = m_platform.printer;
    printer.setFontName(QStringLiteral("courier"));
    printer.setFontSize(12);
    ++PageNumber;

    printer.print(QString());
    printer.print(printHeaderLine(m_platform.clock));
    printer.print(QString());
    // Every slot prints, filled or not, so that a page is always 56 lines long.
    const QString rule(250, u'_');
    for (const Slot &slot : PageLines) {
        printer.print(rule, false);
        printer.print(QString());
        printer.print(QString());
        for (const QString &line : slot)
            printer.print(line);
        printer.print(rule, false);
        printer.print(QString());
    }
    for (int i = 0; i < 4; ++i)
        printer.print(QString());
    printer.print(SearchHeading + QStringLiteral(" Σελίδα ") + NumberText(PageNumber));

    ClearArrays();
}

QList<QByteArray> frmMulti::exportLines() const
{
    QList<QByteArray> lines;
    lines.reserve(qsizetype(SlotsPerPage) * 3);
    for (const Slot &slot : PageLines)
        for (const QString &line : slot)
            lines.append(cp1253::encode(line));
    return lines;
}

bool frmMulti::Export()
{
    const Result<void> appended = m_platform.files.appendLines(m_platform.paths.exportFile(), exportLines());
    // A page that is cleared from the screen must be in the file; when it is not, the
    // user hears of it and the page stays.
    if (!appended)
        tellPageNotSaved(m_platform, appended.error());
    return appended.has_value();
}

QString frmMulti::exportNotice(qint32 card)
{
    return QStringLiteral("Η Διερεύνηση μέχρι την Καρτέλλα <") + NumberText(card) +
           QStringLiteral(" > καταγράφηκε στο αρχείο ") + exportFileShownName();
}

void frmMulti::writeExportNotice()
{
    StatusBar1.setMessage(exportNotice(CurrentCard));
}

void frmMulti::mnuPrint_Click()
{
    PrintRecords();
    ClearArrays();
    // A document that could not be printed is reported by the renderer itself.
    m_platform.printer.endDoc();
    page->clear();
    mnuExport->setEnabled(false);
    mnuPrint->setEnabled(false);
}

void frmMulti::mnuExport_Click()
{
    const QString file = m_platform.paths.exportFile();
    if (!m_platform.files.exists(file)) {
        // Deleted behind the program's back: only recreated; the next choice appends.
        // A file that cannot even be made again means the page was not saved.
        if (const Result<void> made = m_platform.files.createEmpty(file); !made)
            tellPageNotSaved(m_platform, made.error());
        return;
    }
    // Nothing was written: the page stays, and nothing claims it was recorded.
    if (!Export())
        return;
    writeExportNotice();
    ClearArrays();
    page->clear();
    mnuPrint->setEnabled(false);
    mnuExport->setEnabled(false);
}

void frmMulti::mnuTelos_Click()
{
    File.close();
    // Unloading only hides this window and deletes it later, once this handler is over.
    m_forms.unload(FormName::frmMulti);
    m_forms.show(FormName::frmTervani);
}

} // namespace velmora
