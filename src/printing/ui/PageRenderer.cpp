#include "printing/ui/PageRenderer.h"

#include "platform/Files.h"

#include <QFontMetricsF>
#include <QPainter>
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
} // namespace

namespace PageRenderer
{
Status render(const PrintedPage& page, QPrinter& printer)
{
    QPainter painter;
    if (!painter.begin(&printer)) {
        return Status::failure(unusablePrinter(printer));
    }
    // The painter's coordinates start at the printable area's top left.
    const double left = PageSetup::LeftCm / CmPerInch * printer.logicalDpiX();
    const double top = PageSetup::TopCm / CmPerInch * printer.logicalDpiY();
    const double bottom = printer.height();
    const double width = std::max(printer.width() - left, 1.0);
    const QFont printerFont = painter.font();

    double y = top;
    for (const PrintedLine& line : page.lines) {
        QFont font = printerFont;
        font.setPointSizeF(line.pointSize);
        painter.setFont(font);
        const QFontMetricsF metrics(font, &printer);
        for (const QString& piece : wrapped(line.text, font, width, &printer)) {
            if (y + metrics.height() > bottom && y > top) {
                if (!printer.newPage()) {
                    painter.end();
                    return Status::failure(unusablePrinter(printer));
                }
                y = top;
            }
            painter.drawText(QPointF(left, y + metrics.ascent()), piece);
            y += metrics.lineSpacing();
        }
    }
    if (!painter.end()) {
        return Status::failure(unusablePrinter(printer));
    }
    return Status::success();
}
} // namespace PageRenderer
