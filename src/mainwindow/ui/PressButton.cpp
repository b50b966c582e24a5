#include "mainwindow/ui/PressButton.h"

#include "settings/ui/ColourValueGui.h"

#include <QMouseEvent>

PressButton::PressButton(const QString& text, QWidget* parent) : QPushButton(text, parent)
{
    setAutoDefault(false);
}

void PressButton::setColourValue(qint32 value)
{
    m_colour = value;
    QPalette pal = palette();
    const QColor colour = ColourValue::toQColor(value, QPalette());
    pal.setColor(QPalette::Button, colour);
    setPalette(pal);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("QPushButton#%1 { background-color: %2; }")
                      .arg(objectName(), colour.name()));
}

void PressButton::mousePressEvent(QMouseEvent* event)
{
    QPushButton::mousePressEvent(event);
    emit mousePressed(event->button(), event->modifiers());
}

bool PressButton::event(QEvent* event)
{
    // The access letter is shown, but it does not press the button.
    if (event->type() == QEvent::Shortcut) {
        return true;
    }
    return QPushButton::event(event);
}
