#include "platform/ui/Screen.h"

#include <QGuiApplication>
#include <QScreen>
#include <QWidget>

namespace Screen
{
void centre(QWidget* window)
{
    const QScreen* screen = window->screen() ? window->screen() : QGuiApplication::primaryScreen();
    if (!screen) {
        return;
    }
    const QRect available = screen->availableGeometry();
    const QSize outer = window->frameGeometry().size();
    window->move(available.left() + (available.width() - outer.width()) / 2,
                 available.top() + (available.height() - outer.height()) / 2);
}
} // namespace Screen
