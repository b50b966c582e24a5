#include "platform/ui/OwnDoubleClick.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QWidget>

namespace
{
class Watch : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        switch (event->type()) {
        case QEvent::MouseButtonPress:
            m_pressed = static_cast<QMouseEvent*>(event)->button();
            break;
        // A click in another window makes that one the active window; a
        // double click here after it had its first click there.
        case QEvent::WindowDeactivate:
            m_pressed = Qt::NoButton;
            break;
        case QEvent::MouseButtonDblClick: {
            const auto* click = static_cast<QMouseEvent*>(event);
            if (click->button() == m_pressed) {
                m_pressed = Qt::NoButton;
                break;
            }
            // The first click landed elsewhere: this one is a press here.
            QMouseEvent press(QEvent::MouseButtonPress, click->position(), click->scenePosition(),
                              click->globalPosition(), click->button(), click->buttons(), click->modifiers(),
                              click->pointingDevice());
            press.setTimestamp(click->timestamp());
            QCoreApplication::sendEvent(watched, &press);
            return true;
        }
        default:
            break;
        }
        return false;
    }

private:
    Qt::MouseButton m_pressed = Qt::NoButton; // the button of the press the widget had last
};
} // namespace

namespace OwnDoubleClick
{
void install(QWidget* target)
{
    target->installEventFilter(new Watch(target));
}
} // namespace OwnDoubleClick
