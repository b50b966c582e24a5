#include "mainwindow/ui/PictureButton.h"

#include <QShortcutEvent>
#include <QStyleOptionButton>
#include <QStylePainter>

PictureButton::PictureButton(const QString& text, QWidget* parent) : QPushButton(text, parent)
{
    setAutoDefault(false);
}

void PictureButton::setPicture(const QPixmap& picture, int side)
{
    m_picture = picture;
    m_side = side;
    update();
}

bool PictureButton::event(QEvent* event)
{
    if (event->type() == QEvent::Shortcut) {
        const auto* shortcut = static_cast<QShortcutEvent*>(event);
        if (!shortcut->isAmbiguous() && shortcut->key() == this->shortcut() && isEnabled()) {
            click();
            return true;
        }
    }
    return QPushButton::event(event);
}

void PictureButton::paintEvent(QPaintEvent* event)
{
    if (m_picture.isNull()) {
        QPushButton::paintEvent(event);
        return;
    }
    QStylePainter painter(this);
    QStyleOptionButton option;
    initStyleOption(&option);
    option.text.clear();
    option.icon = QIcon();
    painter.drawControl(QStyle::CE_PushButtonBevel, option);

    // Pressed buttons draw their contents one pixel down and right.
    const bool down = isDown() || isChecked();
    const int shift = down ? 1 : 0;
    const int top = 3 + shift;
    const QRect pictureRect((width() - m_side) / 2 + shift, top, m_side, m_side);
    painter.drawPixmap(pictureRect, m_picture);

    int flags = Qt::AlignHCenter | Qt::AlignTop | Qt::TextWordWrap | Qt::TextShowMnemonic;
    if (!style()->styleHint(QStyle::SH_UnderlineShortcut, &option, this)) {
        flags |= Qt::TextHideMnemonic;
    }
    const QRect textRect(1 + shift, pictureRect.bottom() + 1, width() - 2, height() - pictureRect.bottom() - 2);
    painter.setFont(font());
    painter.drawItemText(textRect, flags, palette(), isEnabled(), text(), QPalette::ButtonText);
    if (hasFocus()) {
        QStyleOptionFocusRect focus;
        focus.initFrom(this);
        focus.rect = rect().adjusted(3, 3, -3, -3);
        painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
    }
}
