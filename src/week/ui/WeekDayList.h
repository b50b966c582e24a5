#pragma once

#include <QListWidget>

// A day list of the week window. A double click anywhere in it, on a line or
// below the last one, chooses the list's day; both clicks must land in it.
class WeekDayList : public QListWidget
{
    Q_OBJECT

public:
    explicit WeekDayList(QWidget* parent = nullptr);

    // Empties the list and adds `lines` in order.
    void setLines(const QStringList& lines);
    QStringList lines() const;

signals:
    void dayChosen();

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override;
};
