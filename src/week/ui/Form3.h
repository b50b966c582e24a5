#pragma once

#include "week/WeekDays.h"

#include <QWidget>

#include <array>

class FitLabel;
class Form1;
class QLabel;
class QPushButton;
class WeekDayList;

// The week window "Agenda": the current user's seven days, Monday to Friday
// side by side, Saturday above Sunday in the last column. It moves by weeks
// and opens a day in the main window. Modeless, without owner; closing it
// deletes it.
class Form3 : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Days = WeekDays::Days;

    explicit Form3(Form1& main);

    // Shows the week of `monday`: the long dates, the hidden day serials
    // (Label2, Label4) and each day's list. A slot length the lists cannot
    // show leaves each list as it was.
    void showWeek(qint32 monday, const WeekDays::Week& days, int slotMinutes);

    // The window's commands, as its controls run them.
    void CmdPrec_Click();           // the week before
    void CmdSuiv_Click();           // the week after
    void Command2_Click();          // "&Quitte"
    void List1_DblClick(int index); // opens that list's day in the main window

private:
    // Fills List1(column) with the lines of `day` (its record, or nothing for
    // a day without one); a slot length the list cannot show leaves it as it
    // was.
    void FillWeekColumn(int column, const std::optional<DayRecord>& day, int slotMinutes);
    void buildLayout();
    void setTabOrder();
    // Reads and shows the week `step` days from the one shown, for the main
    // window's current user and slot length; a failure shows its message and
    // leaves the week shown.
    void changeWeek(int step);

    Form1& m_main;
    std::array<FitLabel*, Days> m_dates{};    // Label1(0..6)
    std::array<QLabel*, Days> m_serials{};    // Label4(0..6), hidden
    std::array<WeekDayList*, Days> m_lists{}; // List1(0..6)
    QLabel* m_monday = nullptr;               // Label2, hidden
    QLabel* m_opened = nullptr;               // Label3, hidden
    QPushButton* m_previous = nullptr;        // CmdPrec
    QPushButton* m_quit = nullptr;            // Command2
    QPushButton* m_next = nullptr;            // CmdSuiv
};
