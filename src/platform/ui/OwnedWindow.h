#pragma once

#include <QPointer>
#include <QWidget>

// Puts a shown window in front of the others, with the keyboard; a window the
// user minimised comes back as it was before.
inline void bringShownWindowToFront(QWidget* window)
{
    window->setWindowState(window->windowState() & ~Qt::WindowMinimized);
    window->raise();
    window->activateWindow();
}

// The one window of a command (the week, the search, the backup): modeless
// and without a Qt parent, made when the command first needs it, brought to
// the front when asked for again, and deleted with the command. A window the
// user closed counts as gone at once, though Qt deletes it one event-loop
// turn later: the next request makes a new one.
template <class Window>
class OwnedWindow
{
public:
    OwnedWindow() = default;
    ~OwnedWindow() { delete m_window.data(); }
    OwnedWindow(const OwnedWindow&) = delete;
    OwnedWindow& operator=(const OwnedWindow&) = delete;

    // The open window, or null.
    Window* open() const { return m_window && m_window->isVisible() ? m_window.data() : nullptr; }

    // The open window, or the one `make` returns, which becomes the open one
    // once shown.
    template <class Make>
    Window* openOrMake(Make&& make)
    {
        if (Window* window = open()) {
            return window;
        }
        m_window = make();
        return m_window.data();
    }

    // Shows the window in front of the others, with the keyboard; a window
    // the user minimised comes back as it was before.
    static void bringToFront(Window* window)
    {
        window->show();
        bringShownWindowToFront(window);
    }

    // Closes the open window, if any.
    void close()
    {
        if (Window* window = open()) {
            window->close();
        }
        m_window.clear();
    }

private:
    QPointer<Window> m_window;
};
