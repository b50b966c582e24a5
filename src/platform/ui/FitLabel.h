#pragma once

#include <QLabel>

// A label whose text is drawn smaller when it would not fit in its box (a long
// date in the fixed box of LblDate), never cut off. One line, or, with word
// wrap on, as many lines as the height holds.
class FitLabel : public QLabel
{
    Q_OBJECT

public:
    explicit FitLabel(const QString& text, QWidget* parent = nullptr);

    // The font the text is drawn with in the current width.
    QFont fittedFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    bool fits(const QFont& candidate) const;
};
