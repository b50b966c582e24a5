#pragma once

#include <QWidget>

class QLabel;
class QTimer;

// The splash window: title, version, the program's line and the company,
// shown for 4000 ms while the program starts.
class Form0 : public QWidget
{
    Q_OBJECT

public:
    static constexpr int DisplayMs = 4000;

    explicit Form0(QWidget* parent = nullptr);

    QTimer* timer() const { return m_timer; }

    // The tick of Timer1: the splash time is up (emits timeUp once).
    void Timer1_Timer();

signals:
    void timeUp();

protected:
    // Closed before its time (by the window manager): the main window opens all the same.
    void closeEvent(QCloseEvent* event) override;

private:
    QTimer* m_timer = nullptr;
    bool m_done = false;
};
