#include "mainwindow/ui/PressButton.h"

#include "settings/ColourValue.h"
#include "settings/ui/ColourValueGui.h"

#include <QApplication>
#include <QKeySequence>
#include <QMouseEvent>

PressButton::PressButton(const QString& text, QWidget* parent)
    : PictureButton(text, parent), m_colour(ColourValue::ButtonFace)
{
    unbindAccessLetter();
}

void PressButton::setText(const QString& text)
{
    QPushButton::setText(text);
    unbindAccessLetter();
}

void PressButton::unbindAccessLetter()
{
    // The button grabbed Alt+letter with its caption: let it go.
    if (!shortcut().isEmpty()) {
        setShortcut(QKeySequence());
    }
}

void PressButton::setColourValue(qint32 value)
{
    m_colour = value;
    QPalette pal = palette();
    pal.setColor(QPalette::Button, ColourValue::toQColor(value, QApplication::palette()));
    setPalette(pal);
    update();
}

void PressButton::mousePressEvent(QMouseEvent* event)
{
    PictureButton::mousePressEvent(event);
    event->accept();
    emit mousePressed(event->button(), event->modifiers());
}

bool PressButton::event(QEvent* event)
{
    // Should a caption have been set past setText (through a base class), its
    // access letter still does not press the button.
    if (event->type() == QEvent::Shortcut) {
        return true;
    }
    return PictureButton::event(event);
}
