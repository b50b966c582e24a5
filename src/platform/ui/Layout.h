#pragma once

#include "platform/Geometry.h"

#include <QFont>
#include <QString>

class QColor;
class QLabel;
class QPushButton;
class QWidget;

// The windows are designed in twips with the classic Windows look: each
// control named as in the design, at its place, in "MS Sans Serif".
namespace Layout
{
// Names `widget` and puts it at its place in twips; gives it back.
template <typename W>
W* place(W* widget, const QString& name, int left, int top, int width, int height)
{
    widget->setObjectName(name);
    widget->setGeometry(Geometry::twipRect(left, top, width, height));
    return widget;
}

template <typename W>
W* place(W* widget, const char* name, int left, int top, int width, int height)
{
    return place(widget, QString::fromLatin1(name), left, top, width, height);
}

// "MS Sans Serif" at `points`, a sans-serif face where it is missing.
QFont classicFont(double points, bool bold = false);

// A caption in the classic font at its place.
QLabel* caption(QWidget* parent, const char* name, const QString& text, int left, int top, int width, int height,
                double points, bool bold, Qt::Alignment alignment = Qt::AlignCenter);

// A command button in the classic font at its place; Enter in the window
// does not press it unless it has the focus.
QPushButton* button(QWidget* parent, const char* name, const QString& text, int left, int top, int width,
                    int height, double points, bool bold);

// The colour of a label's caption or of a box's text.
void setTextColour(QWidget* widget, const QColor& colour);
// A window's or a label's own background, filled.
void setBackground(QWidget* widget, const QColor& colour);
// The background of a text box.
void setBoxBackground(QWidget* box, const QColor& colour);
} // namespace Layout
