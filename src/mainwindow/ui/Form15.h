#pragma once

#include <QPointer>
#include <QWidget>

class QLabel;
class QPushButton;

// The greeting window of 16 April: whose birthday it is and where to send the
// wishes. Modeless, with no owner; OK closes it and brings the main window
// forward. Deleted when closed.
class Form15 : public QWidget
{
    Q_OBJECT

public:
    // `mainWindow` is shown again by OK; the greeting is not its child.
    explicit Form15(QWidget* mainWindow);

    // Label2 (the day), Label5 (the name) and Label4 (the address).
    void setTexts(const QString& day, const QString& name, const QString& address);

    QPushButton* okButton() const { return m_ok; }

private:
    void Command1_Click();

    QPointer<QWidget> m_mainWindow;
    QLabel* m_day = nullptr;
    QLabel* m_name = nullptr;
    QLabel* m_address = nullptr;
    QPushButton* m_ok = nullptr;
};
