#pragma once

#include "mainwindow/ui/PictureButton.h"

// A button that acts when a mouse button, any of them, goes down on it, with
// or without shift keys (signal mousePressed). It has no click action: Enter,
// the space bar and its access letter do nothing. The access letter is shown
// underlined but bound to no key, so it never competes with the menu bar's.
class PressButton : public PictureButton
{
    Q_OBJECT

public:
    explicit PressButton(const QString& text, QWidget* parent = nullptr);

    // Sets the caption without binding its access letter to a key.
    void setText(const QString& text);

    // The background colour as a 32-bit colour value (system colours too).
    void setColourValue(qint32 value);
    qint32 colourValue() const { return m_colour; }

signals:
    void mousePressed(Qt::MouseButton button, Qt::KeyboardModifiers modifiers);

protected:
    void mousePressEvent(QMouseEvent* event) override;
    bool event(QEvent* event) override;

private:
    void unbindAccessLetter();

    qint32 m_colour;
};
