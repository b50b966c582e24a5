#pragma once

#include <QPixmap>
#include <QPushButton>

// A button that can show a picture above its caption, the caption wrapped
// under it when it does not fit on one line ("Par" / "Semaine"). Without a
// picture it is an ordinary push button. It acts on a click.
class PictureButton : public QPushButton
{
    Q_OBJECT

public:
    explicit PictureButton(const QString& text, QWidget* parent = nullptr);

    // The picture, drawn at `side` x `side` pixels centred above the caption.
    void setPicture(const QPixmap& picture, int side);
    QPixmap picture() const { return m_picture; }
    int pictureSide() const { return m_side; }

protected:
    // Its access key (Alt+S for "Par &Semaine") clicks it at once, as a
    // mouse click does, instead of showing it down for a while first.
    bool event(QEvent* event) override;
    void paintEvent(QPaintEvent* event) override;

private:
    QPixmap m_picture;
    int m_side = 0;
};
