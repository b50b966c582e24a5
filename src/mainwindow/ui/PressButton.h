#pragma once

#include <QPushButton>

// A button that acts when a mouse button, any of them, goes down on it, with
// or without shift keys. It has no click action: Enter, the space bar and its
// access letter do nothing but what any button does with the focus.
class PressButton : public QPushButton
{
    Q_OBJECT

public:
    explicit PressButton(const QString& text, QWidget* parent = nullptr);

    // The background colour as a 32-bit colour value (system colours too).
    void setColourValue(qint32 value);
    qint32 colourValue() const { return m_colour; }

signals:
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    qint32 m_colour = 0;
};
