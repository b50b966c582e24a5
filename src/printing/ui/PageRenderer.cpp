#include "printing/ui/PageRenderer.h"

#include "platform/Files.h"

#include <QBuffer>
#include <QFontMetricsF>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>
#include <QTextLayout>

#include <algorithm>

namespace
{
constexpr double CmPerInch = 2.54;

// The printed lines of one line of the page: as many as its width needs,
// broken between words where it can. Blanks are kept as they are.
QStringList wrapped(const QString& text, const QFont& font, double width, QPaintDevice* device)
{
    if (text.isEmpty()) {
        return {QString()};
    }
    QTextLayout layout(text, font, device);
    QTextOption option;
    option.setWrapMode(QTextOption::WrapAtWordBoundaryOrAnywhere);
    layout.setTextOption(option);
    QStringList pieces;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(width);
        pieces << text.mid(line.textStart(), line.textLength());
    }
    layout.endLayout();
    return pieces;
}

QString unusablePrinter(const QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        return QStringLiteral("le fichier « %1 » ne peut pas être écrit.")
            .arg(Files::displayPath(printer.outputFileName()));
    }
    if (printer.printerName().isEmpty()) {
        return QStringLiteral("aucune imprimante n'est disponible.");
    }
    return QStringLiteral("l'imprimante « %1 » ne peut pas être utilisée.").arg(printer.printerName());
}

// One printed line where it stands on its sheet.
struct Placed
{
    QFont font;
    QPointF at;
    QString text;
};
using Sheet = QList<Placed>;

// The page cut into sheets, in the painter's typeface at the lines' sizes:
// long lines wrapped, lines that do not fit going on to the next sheet.
QList<Sheet> sheets(const PrintedPage& page, const QFont& deviceFont, QPagedPaintDevice& device)
{
    // The painter's coordinates start at the printable area's top left.
    const double left = PageSetup::LeftCm / CmPerInch * device.logicalDpiX();
    const double top = PageSetup::TopCm / CmPerInch * device.logicalDpiY();
    const double bottom = device.height();
    const double width = std::max(device.width() - left, 1.0);

    QList<Sheet> cut(1);
    double y = top;
    for (const PrintedLine& line : page.lines) {
        QFont font = deviceFont;
        font.setPointSizeF(line.pointSize);
        const QFontMetricsF metrics(font, &device);
        for (const QString& piece : wrapped(line.text, font, width, &device)) {
            if (y + metrics.height() > bottom && y > top) {
                cut.append(Sheet());
                y = top;
            }
            cut.last().append({font, QPointF(left, y + metrics.ascent()), piece});
            y += metrics.lineSpacing();
        }
    }
    return cut;
}

// The sheets a page range chosen in the printer dialog keeps (all of them
// without one), or a French reason when it keeps none.
Result<QList<Sheet>> chosenSheets(QList<Sheet> all, const QPrinter& printer)
{
    if (printer.printRange() != QPrinter::PageRange || printer.fromPage() <= 0) {
        return all;
    }
    const qsizetype first = printer.fromPage() - 1;
    const qsizetype last = printer.toPage() > 0 ? std::min<qsizetype>(printer.toPage(), all.size()) : all.size();
    if (first >= last) {
        const QString length = all.size() == 1 ? QStringLiteral("qu'une page")
                                               : QStringLiteral("que %1 pages").arg(all.size());
        return Result<QList<Sheet>>::failure(
            QStringLiteral("le document n'a %1 : les pages demandées n'existent pas.").arg(length));
    }
    return all.mid(first, last - first);
}

// Draws `copies` times the sheets on a device whose painter is open; false
// when the device refused a new sheet.
bool draw(const QList<Sheet>& chosen, QPainter& painter, QPagedPaintDevice& device, int copies)
{
    bool first = true;
    for (int copy = 0; copy < copies; ++copy) {
        for (const Sheet& sheet : chosen) {
            if (!first && !device.newPage()) {
                return false;
            }
            first = false;
            for (const Placed& placed : sheet) {
                painter.setFont(placed.font);
                painter.drawText(placed.at, placed.text);
            }
        }
    }
    return true;
}

// A PDF file: the document is made whole in memory, then the file is
// replaced in one step, so a full disk leaves no truncated file under the
// chosen name (and an earlier file of that name as it was). An earlier file
// the user may write in a folder he may not is written again in place, and
// gets its bytes back if that write fails.
Status renderPdf(const PrintedPage& page, QPrinter& printer)
{
    QBuffer document;
    document.open(QIODevice::WriteOnly);
    {
        QPdfWriter writer(&document);
        writer.setResolution(printer.resolution());
        writer.setPageLayout(printer.pageLayout());
        writer.setCreator(printer.creator());
        writer.setTitle(printer.docName());
        QPainter painter;
        if (!painter.begin(&writer)) {
            return Status::failure(unusablePrinter(printer));
        }
        const Result<QList<Sheet>> chosen = chosenSheets(sheets(page, painter.font(), writer), printer);
        // A file has no printer to make the copies: they are in the document.
        const bool drawn = chosen && draw(*chosen, painter, writer, std::max(printer.copyCount(), 1));
        if (!painter.end() || !drawn) {
            return Status::failure(chosen ? unusablePrinter(printer) : chosen.error());
        }
    }
    const Status written = Files::replaceFile(printer.outputFileName(), document.data());
    return written ? written : Status::failure(unusablePrinter(printer) + QLatin1Char('\n') + written.error());
}
} // namespace

namespace PageRenderer
{
Status render(const PrintedPage& page, QPrinter& printer)
{
    if (printer.outputFormat() == QPrinter::PdfFormat) {
        return renderPdf(page, printer);
    }
    QPainter painter;
    if (!painter.begin(&printer)) {
        return Status::failure(unusablePrinter(printer));
    }
    const Result<QList<Sheet>> chosen = chosenSheets(sheets(page, painter.font(), printer), printer);
    if (!chosen) {
        // Nothing goes to the printer, not even a blank sheet.
        printer.abort();
        painter.end();
        return chosen.status();
    }
    // The printer makes the copies chosen in its dialog where it can.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(printer.copyCount(), 1);
    const bool drawn = draw(*chosen, painter, printer, copies);
    if (!painter.end() || !drawn) {
        return Status::failure(unusablePrinter(printer));
    }
    return Status::success();
}
} // namespace PageRenderer
