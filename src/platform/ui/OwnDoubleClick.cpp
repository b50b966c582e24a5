#include "platform/ui/OwnDoubleClick.h"

#include <QCoreApplication>
#include <QMouseEvent>
#include <QPointer>
#include <QWidget>

namespace
{
// The widget that had the application's last mouse press, whichever window
// or popup menu it is in: a double click is the press that follows it.
class LastPress : public QObject
{
public:
    static LastPress& instance()
    {
        static auto* tracker = [] {
            auto* made = new LastPress(QCoreApplication::instance());
            QCoreApplication::instance()->installEventFilter(made);
            return made;
        }();
        return *tracker;
    }

    bool was(QObject* target, Qt::MouseButton button) const { return m_target == target && m_button == button; }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::MouseButtonPress && watched->isWidgetType()) {
            m_target = watched;
            m_button = static_cast<QMouseEvent*>(event)->button();
        }
        return false;
    }

private:
    using QObject::QObject;

    QPointer<QObject> m_target;
    Qt::MouseButton m_button = Qt::NoButton;
};

class Watch : public QObject
{
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::MouseButtonDblClick) {
            return false;
        }
        const auto* click = static_cast<QMouseEvent*>(event);
        if (LastPress::instance().was(watched, click->button())) {
            return false;
        }
        // The first click landed elsewhere: this one is a press here.
        QMouseEvent press(QEvent::MouseButtonPress, click->position(), click->scenePosition(), click->globalPosition(),
                          click->button(), click->buttons(), click->modifiers(), click->pointingDevice());
        press.setTimestamp(click->timestamp());
        QCoreApplication::sendEvent(watched, &press);
        return true;
    }
};
} // namespace

namespace OwnDoubleClick
{
void install(QWidget* target)
{
    LastPress::instance();
    target->installEventFilter(new Watch(target));
}
} // namespace OwnDoubleClick
