#include "mainwindow/ui/Artwork.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>

#include <cmath>

namespace
{
// Every picture is drawn on a 100 x 100 (or w x h) design grid and scaled.
QPixmap canvas(const QSize& size)
{
    QPixmap pixmap(size);
    pixmap.fill(Qt::transparent);
    return pixmap;
}

void begin(QPainter& p, const QSize& size, double designWidth, double designHeight)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.scale(size.width() / designWidth, size.height() / designHeight);
}

// The note pad on the 100 x 100 grid, shifted by `dx`, `dy`.
void drawNotePad(QPainter& p, double dx, double dy, double scale)
{
    p.save();
    p.translate(dx, dy);
    p.scale(scale, scale);
    // Shadow, then the sheet.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 50));
    p.drawRoundedRect(QRectF(20, 16, 68, 80), 5, 5);
    QLinearGradient paper(0, 10, 0, 92);
    paper.setColorAt(0, QColor(255, 250, 205));
    paper.setColorAt(1, QColor(246, 228, 150));
    p.setBrush(paper);
    p.setPen(QPen(QColor(150, 120, 40), 2));
    p.drawRoundedRect(QRectF(14, 12, 68, 80), 5, 5);
    // Ruled lines.
    p.setPen(QPen(QColor(120, 150, 200), 2.5));
    for (int line = 0; line < 5; ++line) {
        const double y = 36 + 11 * line;
        p.drawLine(QPointF(24, y), QPointF(72, y));
    }
    p.setPen(QPen(QColor(210, 60, 60), 2));
    p.drawLine(QPointF(30, 26), QPointF(30, 86));
    // The spiral along the top edge.
    p.setPen(QPen(QColor(90, 90, 100), 4, Qt::SolidLine, Qt::RoundCap));
    p.setBrush(Qt::NoBrush);
    for (int ring = 0; ring < 6; ++ring) {
        const double x = 22 + 10.5 * ring;
        p.drawArc(QRectF(x - 4, 4, 8, 16), 0, 180 * 16);
        p.drawLine(QPointF(x + 4, 12), QPointF(x + 4, 17));
    }
    p.restore();
}
} // namespace

namespace Artwork
{
QPixmap notePad(int side)
{
    QPixmap pixmap = canvas(QSize(side, side));
    QPainter p(&pixmap);
    begin(p, pixmap.size(), 100, 100);
    drawNotePad(p, 0, 0, 1.0);
    return pixmap;
}

QPixmap redCross(int side)
{
    QPixmap pixmap = canvas(QSize(side, side));
    QPainter p(&pixmap);
    begin(p, pixmap.size(), 100, 100);
    QPen shadow(QColor(90, 0, 0, 90), 22, Qt::SolidLine, Qt::RoundCap);
    p.setPen(shadow);
    p.drawLine(QPointF(24, 26), QPointF(80, 82));
    p.drawLine(QPointF(80, 26), QPointF(24, 82));
    QPen cross(QColor(215, 25, 25), 18, Qt::SolidLine, Qt::RoundCap);
    p.setPen(cross);
    p.drawLine(QPointF(20, 20), QPointF(78, 78));
    p.drawLine(QPointF(78, 20), QPointF(20, 78));
    return pixmap;
}

QPixmap blueTick(int side)
{
    QPixmap pixmap = canvas(QSize(side, side));
    QPainter p(&pixmap);
    begin(p, pixmap.size(), 100, 100);
    QPainterPath tick;
    tick.moveTo(14, 54);
    tick.lineTo(40, 80);
    tick.lineTo(88, 20);
    p.setBrush(Qt::NoBrush);
    p.setPen(QPen(QColor(0, 30, 90, 90), 20, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.translate(3, 4);
    p.drawPath(tick);
    p.translate(-3, -4);
    p.setPen(QPen(QColor(30, 90, 210), 16, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawPath(tick);
    return pixmap;
}

QPixmap weekTable(int side)
{
    QPixmap pixmap = canvas(QSize(side, side));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing, false);
    // Drawn on the pixel grid so that the lines stay crisp at 16 x 16.
    const double unit = side / 16.0;
    p.scale(unit, unit);
    p.setPen(Qt::NoPen);
    p.setBrush(Qt::white);
    p.drawRect(QRectF(1, 2, 14, 12));
    p.setBrush(QColor(40, 90, 180));
    p.drawRect(QRectF(1, 2, 14, 3));
    p.setPen(QPen(QColor(60, 60, 60), 0));
    p.setBrush(Qt::NoBrush);
    p.drawRect(QRectF(1, 2, 14, 12));
    p.setPen(QPen(QColor(150, 150, 150), 0));
    for (int row = 0; row < 3; ++row) {
        const double y = 7.5 + 2.5 * row;
        p.drawLine(QPointF(2, y), QPointF(14, y));
    }
    for (int col = 1; col < 4; ++col) {
        const double x = 1 + 3.5 * col;
        p.drawLine(QPointF(x, 5), QPointF(x, 13));
    }
    return pixmap;
}

QPixmap notebookWithPen(const QSize& size)
{
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    begin(p, size, 150, 100);
    // Cover and the two open pages.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(120, 40, 30));
    p.drawRoundedRect(QRectF(6, 14, 138, 80), 6, 6);
    p.setPen(QPen(QColor(150, 150, 150), 1.5));
    p.setBrush(QColor(252, 252, 246));
    QPainterPath left;
    left.moveTo(74, 22);
    left.cubicTo(52, 14, 30, 16, 12, 20);
    left.lineTo(12, 86);
    left.cubicTo(30, 82, 52, 80, 74, 88);
    left.closeSubpath();
    QPainterPath right;
    right.moveTo(76, 22);
    right.cubicTo(98, 14, 120, 16, 138, 20);
    right.lineTo(138, 86);
    right.cubicTo(120, 82, 98, 80, 76, 88);
    right.closeSubpath();
    p.drawPath(left);
    p.drawPath(right);
    p.setPen(QPen(QColor(140, 165, 210), 2));
    for (int line = 0; line < 5; ++line) {
        const double y = 34 + 11 * line;
        p.drawLine(QPointF(20, y), QPointF(66, y + 1));
        p.drawLine(QPointF(84, y + 1), QPointF(130, y));
    }
    // The pen lying across the right page.
    p.save();
    p.translate(112, 56);
    p.rotate(-38);
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(25, 45, 110));
    p.drawRoundedRect(QRectF(-40, -5, 62, 10), 4, 4);
    p.setBrush(QColor(200, 170, 60));
    p.drawRect(QRectF(-14, -5, 5, 10));
    QPainterPath nib;
    nib.moveTo(22, -5);
    nib.lineTo(36, 0);
    nib.lineTo(22, 5);
    nib.closeSubpath();
    p.setBrush(QColor(190, 190, 200));
    p.drawPath(nib);
    p.restore();
    return pixmap;
}

QPixmap logo(const QSize& size)
{
    QPixmap pixmap = canvas(size);
    QPainter p(&pixmap);
    begin(p, size, 152, 101);
    // A calendar leaf with the day's rows, and the note pad in front of it.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(0, 0, 0, 45));
    p.drawRoundedRect(QRectF(12, 12, 92, 84), 8, 8);
    p.setBrush(Qt::white);
    p.setPen(QPen(QColor(90, 90, 90), 1.5));
    p.drawRoundedRect(QRectF(6, 6, 92, 84), 8, 8);
    // The red header: rounded at the top, square where it meets the leaf.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(192, 0, 0));
    p.drawRoundedRect(QRectF(6.75, 6.75, 90.5, 24), 7.5, 7.5);
    p.drawRect(QRectF(6.75, 18, 90.5, 12));
    p.setPen(Qt::white);
    QFont font(QStringLiteral("Arial"));
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(15);
    font.setBold(true);
    p.setFont(font);
    p.drawText(QRectF(6, 6, 92, 24), Qt::AlignCenter, QStringLiteral("AGENDA"));
    p.setPen(QPen(QColor(150, 170, 210), 2));
    for (int line = 0; line < 5; ++line) {
        const double y = 42 + 10 * line;
        p.drawLine(QPointF(16, y), QPointF(88, y));
    }
    p.setPen(QPen(QColor(40, 40, 40), 1));
    font.setPixelSize(8);
    font.setBold(false);
    p.setFont(font);
    const char* const hours[] = {"08h", "09h", "10h", "11h", "12h"};
    for (int line = 0; line < 5; ++line) {
        p.drawText(QPointF(17, 39.5 + 10 * line), QString::fromLatin1(hours[line]));
    }
    drawNotePad(p, 86, 22, 0.72);
    return pixmap;
}

QPixmap flower(int side)
{
    QPixmap pixmap = canvas(QSize(side, side));
    QPainter p(&pixmap);
    begin(p, pixmap.size(), 100, 100);
    p.setPen(QPen(QColor(40, 130, 50), 6, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(50, 52), QPointF(50, 96));
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(60, 160, 70));
    p.drawEllipse(QRectF(50, 70, 24, 12));
    p.setBrush(QColor(235, 90, 140));
    for (int petal = 0; petal < 6; ++petal) {
        const double angle = petal * 3.14159265358979 / 3.0;
        const QPointF centre(50 + 18 * std::cos(angle), 36 + 18 * std::sin(angle));
        p.drawEllipse(centre, 14, 14);
    }
    p.setBrush(QColor(250, 205, 40));
    p.drawEllipse(QPointF(50, 36), 12, 12);
    return pixmap;
}

// The three pictures below are drawn on a 32 x 32 grid.
QPixmap magnifier(int side)
{
    QPixmap pixmap = canvas(QSize(side, side));
    QPainter p(&pixmap);
    begin(p, pixmap.size(), 32, 32);
    p.setPen(QPen(QColor(90, 60, 20), 5, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(QPointF(20, 20), QPointF(29, 29));
    p.setPen(QPen(QColor(40, 40, 40), 2.5));
    p.setBrush(QColor(190, 225, 255));
    p.drawEllipse(QPointF(13, 13), 9.5, 9.5);
    p.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    p.drawArc(QRectF(7, 7, 12, 12), 100 * 16, 70 * 16);
    return pixmap;
}

QPixmap openDoor(int side)
{
    QPixmap pixmap = canvas(QSize(side, side));
    QPainter p(&pixmap);
    begin(p, pixmap.size(), 32, 32);
    p.setPen(QPen(QColor(60, 40, 20), 2));
    p.setBrush(QColor(240, 240, 240));
    p.drawRect(QRectF(4, 3, 16, 26));
    QPainterPath door;
    door.moveTo(4, 3);
    door.lineTo(13, 7);
    door.lineTo(13, 31);
    door.lineTo(4, 29);
    door.closeSubpath();
    p.setBrush(QColor(170, 110, 50));
    p.drawPath(door);
    p.setPen(QPen(QColor(0, 128, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.drawLine(QPointF(17, 16), QPointF(29, 16));
    p.drawLine(QPointF(24, 11), QPointF(29, 16));
    p.drawLine(QPointF(24, 21), QPointF(29, 16));
    return pixmap;
}

QPixmap diskette(int side)
{
    QPixmap pixmap = canvas(QSize(side, side));
    QPainter p(&pixmap);
    begin(p, pixmap.size(), 32, 32);
    p.setPen(QPen(QColor(20, 20, 60), 1));
    p.setBrush(QColor(40, 70, 160));
    p.drawRoundedRect(QRectF(2, 2, 28, 28), 2, 2);
    p.setBrush(QColor(200, 200, 210)); // the shutter
    p.drawRect(QRectF(9, 2, 14, 9));
    p.setBrush(QColor(40, 70, 160));
    p.drawRect(QRectF(17, 4, 3, 5));
    p.setBrush(Qt::white); // the label
    p.drawRect(QRectF(6, 15, 20, 13));
    p.setPen(QPen(QColor(150, 150, 170), 1));
    for (int line = 0; line < 3; ++line) {
        const qreal y = 18 + 3.5 * line;
        p.drawLine(QPointF(8, y), QPointF(24, y));
    }
    return pixmap;
}

QIcon applicationIcon()
{
    QIcon icon;
    for (const int side : {16, 24, 32, 48, 64, 128}) {
        icon.addPixmap(notePad(side));
    }
    return icon;
}
} // namespace Artwork
