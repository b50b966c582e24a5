#include "platform/ui/FitLabel.h"

#include <QPainter>

FitLabel::FitLabel(const QString& text, QWidget* parent) : QLabel(text, parent)
{
}

bool FitLabel::fits(const QFont& candidate) const
{
    const QRect room = contentsRect().adjusted(margin() + 2, margin(), -margin() - 2, -margin());
    const QFontMetrics metrics(candidate);
    if (!wordWrap()) {
        return metrics.horizontalAdvance(text()) <= room.width();
    }
    // Wrapped at blanks; a word longer than the width sticks out of it.
    const QRect needed = metrics.boundingRect(room, Qt::TextWordWrap | static_cast<int>(alignment()), text());
    return needed.width() <= room.width() && needed.height() <= room.height();
}

QFont FitLabel::fittedFont() const
{
    QFont fitted = font();
    if (contentsRect().width() - 2 * margin() - 4 <= 0 || fitted.pointSizeF() <= 0) {
        return fitted;
    }
    // Step down by half points until the text fits (never below 6 pt).
    while (fitted.pointSizeF() > 6.0 && !fits(fitted)) {
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
    const int wrap = wordWrap() ? static_cast<int>(Qt::TextWordWrap) : 0;
    painter.drawText(contentsRect(), static_cast<int>(alignment()) | wrap, text());
}
