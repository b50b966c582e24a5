// The week window: its opening from the main window's week button, its
// layout, the week changes, the opening of a day in the main window, and
// what happens when the database cannot be read.

#include "mainwindow/MainWindowTestFixture.h"

#include "mainwindow/ui/PictureButton.h"
#include "platform/Geometry.h"
#include "platform/ui/FitLabel.h"
#include "week/ui/Form3.h"
#include "week/ui/WeekDayList.h"
#include "week/ui/WeekOpening.h"
#include "week/ui/WeekReading.h"

#include <QPointer>
#include <QPushButton>

using MainWindowTest::Fixture;

namespace
{
constexpr qint32 Wednesday7March2007 = 39148;
constexpr qint32 Monday5March2007 = 39146;

QString label(const QWidget* window, const char* name)
{
    const auto* found = window->findChild<QLabel*>(QLatin1String(name));
    return found ? found->text() : QStringLiteral("<absent>");
}

WeekDayList* list(const QWidget* window, int day)
{
    return window->findChild<WeekDayList*>(QStringLiteral("List1_%1").arg(day));
}

QStringList lines(const QWidget* window, int day)
{
    return list(window, day)->lines();
}

// The Monday shown when Label2 and Label4(0..6) hold one week, else -1.
qint32 weekShown(const QWidget* window)
{
    const qint32 monday = label(window, "Label2").toInt();
    for (int day = 0; day < 7; ++day) {
        if (label(window, qPrintable(QStringLiteral("Label4_%1").arg(day))) != QString::number(monday + day)) {
            return -1;
        }
    }
    return monday;
}

void click(QWidget* window, const char* name)
{
    QTest::mouseClick(window->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
}

// A double click on line `line` of a day list, or below its last line, as
// the list gets it: a click, then the second click as a double click.
void doubleClick(QWidget* window, int day, int line)
{
    WeekDayList* dayList = list(window, day);
    const QPoint at = line < dayList->count() ? dayList->visualItemRect(dayList->item(line)).center()
                                              : QPoint(10, dayList->viewport()->height() - 3);
    QTest::mouseClick(dayList->viewport(), Qt::LeftButton, Qt::NoModifier, at);
    QTest::mouseDClick(dayList->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}

// The main window's week button; the week window it leaves open, if any.
Form3* pressWeek(Fixture& fx)
{
    QTest::mouseClick(fx.form->ui().Semaine, Qt::LeftButton);
    return fx.form->findChild<WeekOpening*>()->window();
}

} // namespace

class TestForm3 : public QObject
{
    Q_OBJECT

private slots:
    void cleanup() { Dialogs::Test::clear(); }

    void theWeekOfTheShownDay()
    {
        Fixture fx;
        fx.open();
        fx.storeDay(1, Monday5March2007, {}, QString(), true);
        fx.storeDay(1, Wednesday7March2007, {{4, QStringLiteral("Durand")}});
        // Tuesday written by something else: NULL texts and flags.
        QVERIFY(QSqlQuery((*DbConnection::open(fx.dbPath))->database())
                    .exec(QStringLiteral("INSERT INTO RVOUS1 (AGENDATE) VALUES (39147)")));

        fx.pickDay(QDate(2007, 3, 7));
        Form3* week = pressWeek(fx);
        QVERIFY(week && week->isVisible() && !week->parent());
        QCOMPARE(weekShown(week), Monday5March2007);
        QCOMPARE(label(week, "Label1_0"), QStringLiteral("lundi 5 mars 2007"));
        // User 1 books every 15 minutes. Monday's morning is absent; Tuesday
        // is a whole column of bare labels, not Monday's absence.
        QCOMPARE(lines(week, 0).size(), 36);
        QCOMPARE(lines(week, 0).at(3), QStringLiteral("XXXXX  ABSENT  XXXXX"));
        QCOMPARE(lines(week, 1).size(), 54);
        QCOMPARE(lines(week, 1).at(1), QStringLiteral("      15 : "));
        QCOMPARE(lines(week, 2).at(4), QStringLiteral("09h00 : Durand"));
        // The main window's day and page are untouched, and stay so at the reload.
        fx.reloadTick();
        QCOMPARE(fx.shownSerial(), Wednesday7March2007);
        QCOMPARE(fx.rowText(4), QStringLiteral("Durand"));
        QVERIFY(Fixture::messages().isEmpty());

        // One window: the button refills it, the shown Monday opening the week
        // before it; the lines are replaced.
        fx.pickDay(QDate(2007, 3, 5));
        QCOMPARE(pressWeek(fx), week);
        QCOMPARE(weekShown(week), 39139);
        QCOMPARE(lines(week, 2).at(4), QStringLiteral("09h00 : "));

        // It goes with the main window.
        const QPointer<Form3> kept(week);
        fx.form.reset();
        QVERIFY(!kept);
    }

    void layout()
    {
        Fixture fx;
        fx.open();
        Form3* week = pressWeek(fx);
        QCOMPARE(week->windowTitle(), QStringLiteral("Agenda"));
        QCOMPARE(week->size(), Geometry::twipRect(0, 0, 11880, 8490).size());
        // Monday to Friday side by side, Saturday above Sunday in the last column.
        const struct { const char* name; int left, top, width, height; } boxes[] = {
            {"List1_0", 40, 600, 1920, 7080},     {"List1_4", 7900, 600, 1920, 7080},
            {"List1_5", 9860, 600, 1920, 3765},   {"List1_6", 9855, 4890, 1920, 2790},
            {"Label1_5", 9960, 120, 1695, 375},   {"Label1_6", 9960, 4440, 1695, 375},
            {"CmdPrec", 2400, 7920, 1815, 495},   {"Command2", 4440, 7920, 2895, 495},
            {"CmdSuiv", 7560, 7920, 1815, 495}};
        for (const auto& box : boxes) {
            const auto* control = week->findChild<QWidget*>(QLatin1String(box.name));
            QVERIFY2(control, box.name);
            QCOMPARE(control->geometry(), Geometry::twipRect(box.left, box.top, box.width, box.height));
        }
        for (const char* hidden : {"Label2", "Label3", "Label4_0", "Label4_6"}) {
            QVERIFY(week->findChild<QLabel*>(QLatin1String(hidden))->isHidden());
        }
        const struct { const char* name; const char* caption; Qt::Key key; } buttons[] = {
            {"CmdPrec", "<   &Précédent", Qt::Key_P},
            {"Command2", "&Quitte", Qt::Key_Q},
            {"CmdSuiv", "&Suivant   >", Qt::Key_S}};
        for (const auto& button : buttons) {
            const auto* control = week->findChild<QPushButton*>(QLatin1String(button.name));
            QCOMPARE(control->text(), QString::fromUtf8(button.caption));
            QCOMPARE(control->shortcut(), QKeySequence(Qt::ALT | button.key));
        }

        // The longest dates are drawn smaller rather than cut.
        auto* date = week->findChild<FitLabel*>(QStringLiteral("Label1_2"));
        date->setText(Dates::longDate(QDate(2003, 12, 31)));
        const QFont fitted = date->fittedFont();
        QVERIFY(fitted.pointSizeF() < date->font().pointSizeF() && fitted.pointSizeF() >= 6.0);
        const QRect box = date->contentsRect();
        QVERIFY(box.contains(QFontMetrics(fitted).boundingRect(box, Qt::TextWordWrap | Qt::AlignCenter, date->text())));

        // Keyboard order: Monday, Previous, Quit, Tuesday to Sunday, Next.
        QStringList order = {QStringLiteral("List1_0")};
        for (QWidget* w = list(week, 0)->nextInFocusChain(); w != list(week, 0); w = w->nextInFocusChain()) {
            if (w->parentWidget() == week && (w->focusPolicy() & Qt::TabFocus)) {
                order << w->objectName();
            }
        }
        QCOMPARE(order.join(QLatin1Char(' ')),
                 QStringLiteral("List1_0 CmdPrec Command2 List1_1 List1_2 List1_3 List1_4 List1_5 List1_6 CmdSuiv"));
    }

    void theWeekButtonAndTheWeekChanges()
    {
        Fixture fx;
        Form1& f = fx.open();
        const qint32 today = fx.shownSerial();
        const qint32 monday = WeekDays::mondayFor(today);

        // The button saves the shown day's typing first.
        fx.type(6, QStringLiteral("Lefèvre"));
        Form3* week = pressWeek(fx);
        QVERIFY(week);
        QCOMPARE(fx.storedRows(1, today).at(6), QStringLiteral("Lefèvre"));
        QVERIFY(!f.state().DayModified);

        // Previous then Next gives the week back, and saves nothing of the main window.
        fx.type(2, QStringLiteral("Pas encore"));
        click(week, "CmdPrec");
        QCOMPARE(weekShown(week), monday - 7);
        QCOMPARE(label(week, "Label1_0"), QStringLiteral("lundi 30 novembre 2026"));
        click(week, "CmdSuiv");
        QCOMPARE(weekShown(week), monday);
        QVERIFY(f.state().DayModified);
        QCOMPARE(fx.storedRows(1, today).at(2), QString());

        // Another user shows at the next week change, with its table and its
        // slot length (user 2: 30 minutes).
        fx.storeDay(2, monday + 8, {{2, QStringLiteral("Chez Lefèvre")}});
        fx.user(2);
        QCOMPARE(lines(week, 0).at(1), QStringLiteral("      15 : "));
        click(week, "CmdSuiv");
        QCOMPARE(lines(week, 1).at(2), QStringLiteral("      30 : Chez Lefèvre"));
        QCOMPARE(lines(week, 0).at(1), QStringLiteral("      : "));

        // A slot length the lists cannot show: the dates move, the lists stay.
        const QStringList before = lines(week, 1);
        f.ui().LblHorImp->setText(QStringLiteral("0"));
        click(week, "CmdSuiv");
        QCOMPARE(weekShown(week), monday + 14);
        QCOMPARE(lines(week, 1), before);

        // Closed, the window is gone at once: the button right after it opens
        // one that the deletion of the closed one leaves on screen.
        click(week, "Command2");
        QVERIFY(!f.findChild<WeekOpening*>()->window());
        const QPointer<Form3> again(pressWeek(fx));
        flushDeletes();
        QVERIFY(again && f.findChild<WeekOpening*>()->window() == again && again->isVisible());
        click(again, "Command2");

        // The save fails: its message, no week window, the typing stays.
        fx.type(7, QStringLiteral("Morel"));
        fx.loseDatabase();
        QVERIFY(!pressWeek(fx));
        QCOMPARE(Fixture::messages().size(), 1);
        QVERIFY(Fixture::messages().at(0).contains(QStringLiteral("n'a pas pu être enregistré")));
        QCOMPARE(fx.rowText(7), QStringLiteral("Morel"));
        QVERIFY(f.state().DayModified);
    }

    void openingADayOfTheWeek()
    {
        Fixture fx;
        Form1& f = fx.open();
        const qint32 today = fx.shownSerial(); // a Wednesday
        const qint32 monday = WeekDays::mondayFor(today);
        fx.storeDay(1, monday + 1, {{3, QStringLiteral("Martin")}}, QStringLiteral("Rappeler"), true);

        // Any line of Tuesday's list opens Tuesday: the absence line here. A
        // main window minimised meanwhile comes back, in front.
        const QPointer<Form3> week(pressWeek(fx));
        f.showMinimized();
        doubleClick(week, 1, 3);
        flushDeletes();
        QVERIFY(!week);
        QVERIFY(!f.isMinimized());
        QVERIFY(QTest::qWaitForWindowActive(&f));
        QCOMPARE(fx.shownSerial(), monday + 1);
        QCOMPARE(f.ui().LblDate->text(), QStringLiteral("mardi 8 décembre 2026"));
        QVERIFY(f.dayView().boxVisible(SideBox::Absent1));
        QCOMPARE(fx.rowText(3), QStringLiteral("Martin"));
        QCOMPARE(f.state().ShownDaySerial, today);
        QCOMPARE(f.ui().MonthView1->selectedDate(), Clock::today());
        QVERIFY(fx.allTicksShown()); // today's ticks keep their visibility
        QVERIFY(Fixture::messages().isEmpty());

        // "x" goes back to the day shown before.
        QTest::mouseClick(f.ui().Command1, Qt::LeftButton);
        QCOMPARE(fx.shownSerial(), today);

        // After a week opening, "x" goes back to the day shown when the week
        // opened, here a day opened from the week before.
        doubleClick(pressWeek(fx), 1, 0);
        click(pressWeek(fx), "Command2");
        QTest::mouseClick(f.ui().Command1, Qt::LeftButton);
        QCOMPARE(fx.shownSerial(), monday + 1);
        QCOMPARE(fx.rowText(3), QStringLiteral("Martin"));

        // Below the last line of Sunday's list: Monday + 6, a day without a
        // record, opens empty and adds no row, its banners and ultrasound
        // boxes hidden; "&Enregistrer" writes it.
        Fixture::press(f.ui().CmdEcho1);
        Fixture::press(f.ui().CmdAbsent2);
        QVERIFY(f.dayView().boxVisible(SideBox::Echo1) && f.dayView().boxVisible(SideBox::Absent2));
        Form3* open = pressWeek(fx);
        const int rows = fx.rowCount(1);
        doubleClick(open, 6, 1000);
        QCOMPARE(fx.shownSerial(), monday + 6);
        QCOMPARE(fx.rowText(3), QString());
        for (const SideBox box : {SideBox::Absent1, SideBox::Absent2, SideBox::Echo1, SideBox::Echo2}) {
            QVERIFY(!f.dayView().boxVisible(box));
        }
        QCOMPARE(fx.rowCount(1), rows);
        fx.type(5, QStringLiteral("Dubois"));
        fx.save();
        QCOMPARE(fx.storedRows(1, monday + 6).at(5), QStringLiteral("Dubois"));

        // The separator line opens its day; typing is saved to its own day first.
        open = pressWeek(fx);
        fx.type(9, QStringLiteral("Garnier"));
        doubleClick(open, 3, 24);
        flushDeletes();
        QCOMPARE(fx.shownSerial(), monday + 3);
        QCOMPARE(fx.storedRows(1, monday + 6).at(9), QStringLiteral("Garnier"));
        QVERIFY(!f.state().DayModified);

        // That save fails: its message, the week stays open, nothing opens, the typing stays.
        open = pressWeek(fx);
        fx.type(2, QStringLiteral("Roux"));
        fx.loseDatabase();
        doubleClick(open, 4, 0);
        flushDeletes();
        QVERIFY(f.findChild<WeekOpening*>()->window() == open && open->isVisible());
        QCOMPARE(Fixture::messages().size(), 1);
        QCOMPARE(fx.shownSerial(), monday + 3);
        QCOMPARE(fx.rowText(2), QStringLiteral("Roux"));
        QVERIFY(f.state().DayModified);
    }

    void aDoubleClickOnTheWeekButtonOpensTheWeekOnly()
    {
        Fixture fx;
        fx.open();
        const qint32 today = fx.shownSerial();
        QWidget* button = fx.form->ui().Semaine;
        const QPoint spot = button->mapToGlobal(button->rect().center());
        const auto secondClick = [spot] {
            QWidget* under = QApplication::widgetAt(spot);
            QTest::mouseDClick(under, Qt::LeftButton, Qt::NoModifier, under->mapFromGlobal(spot));
            QTest::mouseRelease(under, Qt::LeftButton, Qt::NoModifier, under->mapFromGlobal(spot));
            flushDeletes();
        };

        // The first click opens the week, Saturday's list under the mouse.
        const QPointer<Form3> week(pressWeek(fx));
        QCOMPARE(QApplication::widgetAt(spot), list(week, 5)->viewport());
        secondClick();
        QVERIFY(week && week->isVisible());
        QCOMPARE(fx.shownSerial(), today);

        // The week left behind the main window after a click in that list:
        // the first click brings it forward.
        QVERIFY(QTest::qWaitForWindowActive(week));
        QTest::mouseClick(list(week, 5)->viewport(), Qt::LeftButton, Qt::NoModifier,
                          list(week, 5)->viewport()->mapFromGlobal(spot));
        fx.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fx.form.get()));
        QCOMPARE(pressWeek(fx), week);
        secondClick();
        QVERIFY(week && week->isVisible());
        QCOMPARE(fx.shownSerial(), today);

        // A double click of the list's own opens its day.
        doubleClick(week, 5, 0);
        QCOMPARE(fx.shownSerial(), WeekDays::mondayFor(today) + 5);
    }

    void aDatabaseThatCannotBeReadShowsOneWeekOrNone()
    {
        Fixture fx;
        Form1& f = fx.open();
        Form3* week = pressWeek(fx);
        const qint32 monday = weekShown(week);
        const QStringList tuesday = lines(week, 1);

        // A week change: one message, the window stays on its week.
        fx.loseDatabase();
        click(week, "CmdSuiv");
        QCOMPARE(Fixture::messages().size(), 1);
        QVERIFY(Fixture::messages().at(0).contains(QStringLiteral("introuvable")));
        QCOMPARE(weekShown(week), monday);
        QCOMPARE(lines(week, 1), tuesday);

        // The opening without the user's table: one message, no window.
        fx.findDatabaseAgain();
        QVERIFY(QSqlQuery((*DbConnection::open(fx.dbPath))->database()).exec(QStringLiteral("DROP TABLE RVOUS1")));
        week->close();
        Dialogs::Test::clear();
        QVERIFY(!pressWeek(fx));
        QCOMPARE(Fixture::messages().size(), 1);
        QVERIFY(Fixture::messages().at(0).contains(QStringLiteral("RVOUS1")));
        QVERIFY(!f.state().DayModified);
    }

    void hiddenTicksStayHiddenOnTodayOpened()
    {
        Fixture fx;
        fx.open();
        const qint32 today = fx.shownSerial(); // Wednesday 9 December 2026
        fx.previous();
        QVERIFY(fx.allTicksHidden());
        doubleClick(pressWeek(fx), 2, 0);
        QCOMPARE(fx.shownSerial(), today);
        QVERIFY(fx.allTicksHidden());
    }

    // A start without the file, then the file back: a week read shows the
    // main window's day from the file, booked rows included; typing on screen
    // keeps the caption's warning until the main window's own save. (The
    // week button saves typing first: only the week window's own week
    // changes read with typing on screen.)
    void aWeekReadConnectsTheWindow()
    {
        for (const bool typed : {false, true}) {
            Fixture fx;
            const qint32 today = Dates::daySerial(Clock::today());
            fx.storeDay(1, today, {{3, QStringLiteral("MME RESERVEE")}});
            fx.configure();
            fx.loseDatabase(); // the start-up finds no file
            Form1& f = fx.load();
            f.show();
            QCOMPARE(f.windowTitle(), QStringLiteral("Dr Martin (non connecté)"));
            fx.findDatabaseAgain();
            Dialogs::Test::clear();
            if (typed) {
                fx.type(5, QStringLiteral("Robert"));
                QVERIFY(WeekReading::read(f, WeekDays::mondayFor(today), &f));
                QCOMPARE(f.windowTitle(), QStringLiteral("Dr Martin (non connecté)"));
                QCOMPARE(fx.rowText(3), QString());
                QCOMPARE(fx.rowText(5), QStringLiteral("Robert"));
                QVERIFY(f.state().DayModified);
                fx.save();
                QCOMPARE(fx.storedRows(1, today).at(5), QStringLiteral("Robert"));
            } else {
                QVERIFY(pressWeek(fx));
                QVERIFY(!f.state().DayModified);
            }
            QCOMPARE(f.windowTitle(), QStringLiteral("Dr Martin"));
            QCOMPARE(fx.rowText(3), QStringLiteral("MME RESERVEE"));
            QVERIFY(Fixture::messages().isEmpty());
        }
    }

    void withoutDatabaseTheButtonSaysSo()
    {
        Fixture fx; // CHEMIN absent: the start-up stops at its test
        fx.load().show();
        Dialogs::Test::clear();
        QVERIFY(!pressWeek(fx));
        QCOMPARE(Fixture::messages().size(), 1);
        QVERIFY(Fixture::messages().at(0).contains(QStringLiteral("Aucune base de données")));
    }
};

QTEST_MAIN(TestForm3)
#include "tst_form3.moc"
