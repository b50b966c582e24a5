#include "platform/ui/FitLabel.h"

#include <QPainter>

FitLabel::FitLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
}

QFont FitLabel::fittedFont() const
{
    QFont fitted = font();
    const int room = contentsRect().width() - 2 * margin() - 4;
    if (room <= 0 || fitted.pointSizeF() <= 0) {
        return fitted;
    }
    // Step down by half points until the text fits (never below 6 pt).
    while (fitted.pointSizeF() > 6.0 && QFontMetrics(fitted).horizontalAdvance(text()) > room) {
        fitted.setPointSizeF(fitted.pointSizeF() - 0.5);
    }
    return fitted;
}

void FitLabel::paintEvent(QPaintEvent* event)
{
    const QFont fitted = fittedFont();
    if (fitted == font()) {
        QLabel::paintEvent(event);
        return;
    }
    QPainter painter(this);
    drawFrame(&painter);
    painter.setFont(fitted);
    painter.setPen(palette().color(foregroundRole()));
    painter.drawText(contentsRect(), static_cast<int>(alignment()), text());
}
