#include "platform/ui/Layout.h"

#include <QColor>
#include <QLabel>
#include <QPalette>
#include <QPushButton>
#include <QWidget>

namespace Layout
{
QFont classicFont(double points, bool bold)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

QLabel* caption(QWidget* parent, const char* name, const QString& text, int left, int top, int width, int height,
                double points, bool bold, Qt::Alignment alignment)
{
    auto* label = place(new QLabel(text, parent), name, left, top, width, height);
    label->setFont(classicFont(points, bold));
    label->setAlignment(alignment);
    return label;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, int left, int top, int width,
                    int height, double points, bool bold)
{
    auto* pushButton = place(new QPushButton(text, parent), name, left, top, width, height);
    pushButton->setFont(classicFont(points, bold));
    pushButton->setAutoDefault(false);
    return pushButton;
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, colour);
    pal.setColor(QPalette::Text, colour);
    widget->setPalette(pal);
}

void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, colour);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

void setBoxBackground(QWidget* box, const QColor& colour)
{
    QPalette pal = box->palette();
    pal.setColor(QPalette::Base, colour);
    box->setPalette(pal);
}
} // namespace Layout
