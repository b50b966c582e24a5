#pragma once

#include <QLineEdit>

// One slot row's text box: a single line. A line break typed or pasted never
// gets in (it becomes a blank), so a stored day never shifts its rows.
class SlotTextBox : public QLineEdit
{
    Q_OBJECT

public:
    explicit SlotTextBox(int row, QWidget* parent = nullptr);

    int row() const { return m_row; }
    // Selects the first occurrence of `text` (without regard to case); false
    // when there is none.
    bool find(const QString& text);

    static QString withoutLineBreaks(const QString& text);

signals:
    void doubleClicked(int row);
    void keyReleased(int row, int key, Qt::KeyboardModifiers modifiers);

protected:
    bool event(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;

private:
    void dropLineBreaks();

    int m_row;
};
