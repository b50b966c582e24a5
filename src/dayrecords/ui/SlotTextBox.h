#pragma once

#include <QLineEdit>
#include <QSet>

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
    // A key typed in the box was let go: its press reached the box. A key
    // pressed for a shortcut or a menu and let go over the box is no typing.
    void keyReleased(int row, int key, Qt::KeyboardModifiers modifiers);

protected:
    bool event(QEvent* event) override;
    void mouseDoubleClickEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void inputMethodEvent(QInputMethodEvent* event) override;
    void focusOutEvent(QFocusEvent* event) override;

private:
    void dropLineBreaks();

    int m_row;
    // The keys pressed in the box and not let go yet.
    QSet<int> m_keysDown;
    // A character composed by the input method (a dead key and a letter):
    // the letter's press went to the input method, its release is typing.
    bool m_composed = false;
};
