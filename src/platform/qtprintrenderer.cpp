// SPDX-FileCopyrightText: 2026 Velmora maintainers <maintainers@velmora.org>
// SPDX-License-Identifier: GPL-3.0-or-later

#include "qtprintrenderer.h"

#include "fileops.h"
#include "platform.h"
#include "printedfilenotice.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QFontMetricsF>
#include <QPageLayout>
#include <QPainter>
#include <QPrinter>
#include <QPrinterInfo>
#include <QStandardPaths>
#include <QTemporaryDir>

#include <cerrno>
#include <cmath>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace velmora {

namespace {

// Every character of the layout up to this column must stand on the paper.
constexpr int ColumnsOnPaper = 81;
// The longest page the program prints: an exploration page.
constexpr int LinesOnPaper = 56;

// The characters of `line` that stand wholly inside `width`: the 250-character rules
// are cut at the paper's edge instead of being wrapped.
QString visiblePart(const QFontMetricsF &metrics, const QString &line, qreal width)
{
    if (metrics.horizontalAdvance(line) <= width)
        return line;
    int fits = 0;
    int tooLong = int(line.size());
    while (tooLong - fits > 1) {
        const int mid = (fits + tooLong) / 2;
        if (metrics.horizontalAdvance(line.left(mid)) <= width)
            fits = mid;
        else
            tooLong = mid;
    }
    return line.left(fits);
}

QPageLayout a4Layout()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                       QMarginsF(QtPrintRenderer::SideMarginPt, QtPrintRenderer::TopMarginPt,
                                 QtPrintRenderer::SideMarginPt, QtPrintRenderer::BottomMarginPt),
                       QPageLayout::Point);
}

// Writes the whole of the file at `from` into `to` and syncs it.
bool copyInto(const QString &from, const FileDescriptor &to)
{
    QFile source(from);
    if (!source.open(QIODevice::ReadOnly) || source.size() == 0)
        return false;
    while (!source.atEnd()) {
        const QByteArray chunk = source.read(1 << 20);
        if (chunk.isEmpty() || !writeAll(to.get(), chunk.constData(), chunk.size()))
            return false;
    }
    return syncAll(to.get()).has_value();
}

} // namespace

QtPrintRenderer::QtPrintRenderer(MessageBox &messages, Clock &clock, const QString &pdfFolder,
                                 PrintedFileNotice *notice)
    : m_messages(messages), m_clock(clock), m_pdfFolder(pdfFolder), m_notice(notice)
{
}

QFont QtPrintRenderer::printingFont(const QString &name, int pointSize)
{
    const bool courier = name.isEmpty() || name.compare(QLatin1String("courier"), Qt::CaseInsensitive) == 0;
    QFont font(courier ? QStringLiteral("Courier") : name);
    // The layout counts columns, so whatever font stands in must keep one width.
    font.setStyleHint(QFont::TypeWriter);
    font.setFixedPitch(true);
    font.setPointSize(pointSize > 0 ? pointSize : 12);
    return font;
}

QString QtPrintRenderer::defaultPdfFolder()
{
    return QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation) + QStringLiteral("/Velmora");
}

bool QtPrintRenderer::render(const PrintedDocument &document)
{
    m_lastOutput.clear();
    if (m_pdfFolder.isEmpty() && !QPrinterInfo::defaultPrinter().isNull())
        return renderToPrinter(document);
    return renderToPdf(document);
}

bool QtPrintRenderer::renderToPrinter(const PrintedDocument &document)
{
    const QPrinterInfo info = QPrinterInfo::defaultPrinter();
    QPrinter printer(info, QPrinter::HighResolution);
    printer.setDocName(AppTitle);
    printer.setPageSize(QPageSize(QPageSize::A4));
    printer.setPageOrientation(QPageLayout::Portrait);
    const QMarginsF wanted = a4Layout().margins();
    if (!printer.setPageMargins(wanted, QPageLayout::Point)) {
        // The printer cannot print that close to the edge: use the least it allows, and
        // let the drawing shrink to keep every column on the paper.
        const QMarginsF least = printer.pageLayout().minimumMargins();
        printer.setPageMargins(QMarginsF(qMax(wanted.left(), least.left()), qMax(wanted.top(), least.top()),
                                         qMax(wanted.right(), least.right()),
                                         qMax(wanted.bottom(), least.bottom())),
                               QPageLayout::Point);
    }
    switch (paint(printer, document)) {
    case Outcome::Done:
        return true;
    case Outcome::NotStarted:
        report(QStringLiteral("ο εκτυπωτής %1 δεν δέχτηκε την εργασία.").arg(info.printerName()));
        return false;
    case Outcome::Broken:
        break;
    }
    report(QStringLiteral("ο εκτυπωτής %1 ανέφερε σφάλμα και η εκτύπωση δεν ολοκληρώθηκε.")
               .arg(info.printerName()));
    return false;
}

bool QtPrintRenderer::renderToPdf(const PrintedDocument &document)
{
    const QString folder = m_pdfFolder.isEmpty() ? defaultPdfFolder() : m_pdfFolder;
    if (!makeFolders(folder, 0777)) {
        report(QStringLiteral("δεν ήταν δυνατό να δημιουργηθεί ο φάκελος %1.")
                   .arg(QDir::toNativeSeparators(folder)));
        return false;
    }
    FileDescriptor claimed;
    const QString fileName = reserveFileName(folder, &claimed);
    if (fileName.isEmpty()) {
        report(QStringLiteral("δεν ήταν δυνατό να δημιουργηθεί αρχείο στον φάκελο %1.")
                   .arg(QDir::toNativeSeparators(folder)));
        return false;
    }

    // The printer opens its output by name, following whatever stands there by the time
    // it does; in a folder others can write that may be a link planted meanwhile. So it
    // draws in a folder of the user's own, and the PDF reaches the claimed file through
    // the descriptor that created it.
    QTemporaryDir drawing;
    bool done = drawing.isValid();
    if (done) {
        const QString drawn = drawing.filePath(QStringLiteral("print.pdf"));
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(drawn);
        printer.setDocName(AppTitle);
        printer.setCreator(AppTitle);
        printer.setPageLayout(a4Layout());
        done = paint(printer, document) == Outcome::Done && copyInto(drawn, claimed);
    }
    // A file no longer at its name is not a print the user can find.
    const bool stillThere = claimed && stillAt(claimed.get(), fileName);
    if (!done || !stillThere) {
        if (const Result<FileIdentity> claimedFile = identityOf(claimed.get()); stillThere && claimedFile)
            (void)removeFile(fileName, *claimedFile);
        report(QStringLiteral("δεν ήταν δυνατό να γραφτεί το αρχείο %1.")
                   .arg(QDir::toNativeSeparators(fileName)));
        return false;
    }
    m_lastOutput = fileName;
    if (m_notice)
        m_notice->printedTo(fileName);
    return true;
}

QString QtPrintRenderer::reserveFileName(const QString &folder, FileDescriptor *claimed)
{
    const QString stem = QStringLiteral("%1/velmora-%2_%3")
                             .arg(folder, m_clock.today().toString(QStringLiteral("yyyy-MM-dd")),
                                  m_clock.now().toString(QStringLiteral("HH-mm-ss")));
    for (int n = 1; n < 10000; ++n) {
        QString name = n == 1 ? stem + QStringLiteral(".pdf") : QStringLiteral("%1-%2.pdf").arg(stem).arg(n);
        // Creating the file claims its name, so a second document made in the same
        // second cannot take it too; a link at the name is never followed.
        Result<FileDescriptor> fd =
            openRegularFile(QFile::encodeName(name), O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW, 0666);
        if (fd) {
            *claimed = std::move(*fd);
            return name;
        }
        if (fd.error().error != EEXIST)
            break;
    }
    return QString();
}

QtPrintRenderer::Outcome QtPrintRenderer::paint(QPrinter &printer, const PrintedDocument &document)
{
    QPainter painter;
    if (!painter.begin(&printer))
        return Outcome::NotStarted;
    const QFont font = printingFont(document.fontName, document.fontSize);
    painter.setFont(font);
    const QFontMetricsF metrics(painter.font(), &printer);
    const qreal dotsPerPoint = printer.resolution() / 72.0;
    const qreal lineHeight = LineHeightPt * dotsPerPoint;
    const QRectF paper = printer.pageRect(QPrinter::DevicePixel);

    // A printer whose margins are wider than ours gets the page drawn smaller rather
    // than losing columns or lines.
    const qreal needWidth = ColumnsOnPaper * metrics.horizontalAdvance(QLatin1Char('M'));
    const qreal needHeight = LinesOnPaper * lineHeight;
    const qreal scale = qMin(1.0, qMin(paper.width() / needWidth, paper.height() / needHeight));
    painter.scale(scale, scale);
    const QRectF area(0, 0, paper.width() / scale, paper.height() / scale);
    painter.setClipRect(area);
    const int linesPerSheet = qMax(1, int(std::floor(area.height() / lineHeight + 1e-6)));

    bool firstSheet = true;
    auto startSheet = [&]() {
        if (!firstSheet && !printer.newPage())
            return false;
        firstSheet = false;
        return true;
    };
    bool failed = false;
    for (const QStringList &page : document.pages) {
        // A page longer than a sheet goes on over the next sheet.
        for (qsizetype first = 0; !failed && (first == 0 || first < page.size()); first += linesPerSheet) {
            if (!startSheet()) {
                failed = true;
                break;
            }
            const qsizetype last = qMin(page.size(), first + linesPerSheet);
            for (qsizetype i = first; i < last; ++i) {
                const qreal baseline = qreal(i - first) * lineHeight + metrics.ascent();
                painter.drawText(QPointF(0, baseline), visiblePart(metrics, page.at(i), area.width()));
            }
        }
        if (failed)
            break;
    }
    const bool ended = painter.end();
    if (failed || !ended || printer.printerState() == QPrinter::Error)
        return Outcome::Broken;
    return Outcome::Done;
}

void QtPrintRenderer::report(const QString &reason)
{
    m_messages.show(QStringLiteral("Η εκτύπωση δεν έγινε: ") + reason, AppTitle, Buttons::Ok,
                    Icon::Exclamation);
}

} // namespace velmora
