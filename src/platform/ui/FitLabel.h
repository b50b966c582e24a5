#pragma once

#include <QLabel>

// A one-line label whose text is drawn smaller when it would not fit in its
// width (a long date in the fixed box of LblDate), never cut off.
class FitLabel : public QLabel
{
    Q_OBJECT

public:
    explicit FitLabel(const QString& text, QWidget* parent = nullptr);

    // The font the text is drawn with in the current width.
    QFont fittedFont() const;

protected:
    void paintEvent(QPaintEvent* event) override;
};
