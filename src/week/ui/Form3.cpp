#include "week/ui/Form3.h"

#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/ShownDay.h"
#include "platform/Dates.h"
#include "platform/Geometry.h"
#include "platform/ui/FitLabel.h"
#include "platform/ui/Layout.h"
#include "week/WeekColumn.h"
#include "week/ui/WeekDayList.h"
#include "week/ui/WeekReading.h"

#include <QLabel>
#include <QPushButton>

namespace
{
using Layout::place;

constexpr int ClientWidth = 11880;
constexpr int ClientHeight = 8490;
const QColor DateColour(192, 64, 0);

struct Box
{
    int left;
    int top;
    int width;
    int height;
};

// Monday to Friday side by side; Saturday above Sunday in the last column.
constexpr std::array<Box, Form3::Days> DateBoxes = {{{240, 120, 1695, 375},
                                                     {2160, 120, 1695, 375},
                                                     {4080, 120, 1695, 375},
                                                     {6000, 120, 1695, 375},
                                                     {8040, 120, 1695, 375},
                                                     {9960, 120, 1695, 375},
                                                     {9960, 4440, 1695, 375}}};
constexpr std::array<Box, Form3::Days> ListBoxes = {{{40, 600, 1920, 7080},
                                                     {2010, 600, 1920, 7080},
                                                     {3970, 600, 1920, 7080},
                                                     {5940, 600, 1920, 7080},
                                                     {7900, 600, 1920, 7080},
                                                     {9860, 600, 1920, 3765},
                                                     {9855, 4890, 1920, 2790}}};
constexpr std::array<Box, Form3::Days> SerialBoxes = {{{360, 0, 1095, 255},
                                                       {2400, 0, 1095, 255},
                                                       {4440, 0, 1095, 255},
                                                       {6600, 0, 1095, 255},
                                                       {8520, 0, 1095, 255},
                                                       {10440, 0, 1095, 255},
                                                       {10560, 4440, 1095, 255}}};

QString indexed(const char* stem, int index)
{
    return QStringLiteral("%1_%2").arg(QLatin1String(stem)).arg(index);
}

QLabel* hiddenValue(QWidget* parent, const QString& name, const Box& box)
{
    auto* label = place(new QLabel(parent), name, box.left, box.top, box.width, box.height);
    label->hide();
    return label;
}

QPushButton* button(QWidget* parent, const char* name, const QString& caption, int left, int width)
{
    return Layout::button(parent, name, caption, left, 7920, width, 495, 8.25, true);
}
} // namespace

Form3::Form3(Form1& main) : QWidget(nullptr, Qt::Window), m_main(main)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Form3"));
    setWindowTitle(QStringLiteral("Agenda"));
    setFont(Layout::classicFont(8.25));
    setFixedSize(Geometry::twipRect(0, 0, ClientWidth, ClientHeight).size());
    buildLayout();
    setTabOrder();
}

void Form3::buildLayout()
{
    for (int day = 0; day < Days; ++day) {
        const auto i = static_cast<std::size_t>(day);
        const Box& date = DateBoxes[i];
        m_dates[i] = place(new FitLabel(QStringLiteral("Dimanche 31 Décembre"), this), indexed("Label1", day),
                           date.left, date.top, date.width, date.height);
        m_dates[i]->setFont(Layout::classicFont(8.25, true));
        m_dates[i]->setAlignment(Qt::AlignCenter);
        // A long date goes on two lines, drawn smaller, rather than being cut.
        m_dates[i]->setWordWrap(true);
        Layout::setTextColour(m_dates[i], DateColour);

        const Box& list = ListBoxes[i];
        m_lists[i] = place(new WeekDayList(this), indexed("List1", day), list.left, list.top, list.width, list.height);
        connect(m_lists[i], &WeekDayList::dayChosen, this, [this, day] { List1_DblClick(day); });

        m_serials[i] = hiddenValue(this, indexed("Label4", day), SerialBoxes[i]);
    }
    m_previous = button(this, "CmdPrec", QStringLiteral("<   &Précédent"), 2400, 1815);
    m_quit = button(this, "Command2", QStringLiteral("&Quitte"), 4440, 2895);
    m_next = button(this, "CmdSuiv", QStringLiteral("&Suivant   >"), 7560, 1815);
    connect(m_previous, &QPushButton::clicked, this, &Form3::CmdPrec_Click);
    connect(m_quit, &QPushButton::clicked, this, &Form3::Command2_Click);
    connect(m_next, &QPushButton::clicked, this, &Form3::CmdSuiv_Click);

    m_monday = hiddenValue(this, QStringLiteral("Label2"), {120, 7920, 615, 255});
    m_opened = hiddenValue(this, QStringLiteral("Label3"), {11160, 7920, 615, 255});
}

void Form3::setTabOrder()
{
    // Monday's list, the two buttons at its right, the other days, Next last.
    const QList<QWidget*> order = {m_lists[0], m_previous, m_quit,      m_lists[1], m_lists[2],
                                   m_lists[3], m_lists[4], m_lists[5], m_lists[6], m_next};
    for (qsizetype k = 1; k < order.size(); ++k) {
        QWidget::setTabOrder(order.at(k - 1), order.at(k));
    }
}

void Form3::showWeek(qint32 monday, const WeekDays::Week& days, int slotMinutes)
{
    for (int day = 0; day < Days; ++day) {
        const auto i = static_cast<std::size_t>(day);
        const qint32 serial = monday + day;
        m_dates[i]->setText(Dates::longDate(Dates::dateFromSerial(serial)));
        m_serials[i]->setText(QString::number(serial));
        FillWeekColumn(day, days[i], slotMinutes);
    }
    m_monday->setText(QString::number(monday));
}

void Form3::FillWeekColumn(int column, const std::optional<DayRecord>& day, int slotMinutes)
{
    if (const auto lines = WeekColumn::lines(day, slotMinutes)) {
        m_lists[static_cast<std::size_t>(column)]->setLines(*lines);
    }
}

void Form3::changeWeek(int step)
{
    bool known = false;
    const qint32 monday = m_monday->text().toInt(&known) + step;
    if (!known) {
        return;
    }
    const std::optional<WeekDays::Week> week = WeekReading::read(m_main, monday, this);
    if (!week) {
        return;
    }
    // The slot length as the main window shows it now: a user switched since
    // the week opened shows with its own.
    showWeek(monday, *week, m_main.ui().LblHorImp->text().trimmed().toInt());
}

void Form3::CmdPrec_Click()
{
    changeWeek(-WeekDays::Days);
}

void Form3::CmdSuiv_Click()
{
    changeWeek(WeekDays::Days);
}

void Form3::Command2_Click()
{
    close();
}

void Form3::List1_DblClick(int index)
{
    if (index < 0 || index >= Days) {
        return;
    }
    const QString day = m_serials[static_cast<std::size_t>(index)]->text();
    bool known = false;
    const qint32 serial = day.toInt(&known);
    if (!known) {
        return;
    }
    m_opened->setText(day);
    // A failed save or read has shown its message: the week stays open.
    if (m_main.shownDay().openDayFromWindow(serial, this)) {
        close();
    }
}
