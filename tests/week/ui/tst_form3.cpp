// The week window: its opening from the main window's week button, its
// layout, the week changes, the opening of a day in the main window, and
// what happens when the database cannot be read.

#include "mainwindow/MainWindowTestFixture.h"

#include "mainwindow/ui/PictureButton.h"
#include "platform/Geometry.h"
#include "platform/ui/FitLabel.h"
#include "week/WeekColumn.h"
#include "week/ui/Form3.h"
#include "week/ui/WeekDayList.h"
#include "week/ui/WeekOpening.h"

#include <QPointer>
#include <QPushButton>

using MainWindowTest::Fixture;

namespace
{
constexpr qint32 Wednesday7March2007 = 39148;
constexpr qint32 Monday5March2007 = 39146;

QString label(const QWidget* window, const QString& name)
{
    const auto* found = window->findChild<QLabel*>(name);
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

QStringList serials(const QWidget* window)
{
    QStringList out;
    for (int day = 0; day < 7; ++day) {
        out << label(window, QStringLiteral("Label4_%1").arg(day));
    }
    return out;
}

QStringList consecutive(qint32 first)
{
    QStringList out;
    for (int day = 0; day < 7; ++day) {
        out << QString::number(first + day);
    }
    return out;
}

void click(QWidget* window, const char* name)
{
    QTest::mouseClick(window->findChild<QPushButton*>(QLatin1String(name)), Qt::LeftButton);
}

// A double click on line `line` of a day list, or below its last line.
void doubleClick(QWidget* window, int day, int line)
{
    WeekDayList* dayList = list(window, day);
    const QPoint at = line < dayList->count() ? dayList->visualItemRect(dayList->item(line)).center()
                                              : QPoint(10, dayList->viewport()->height() - 3);
    QTest::mouseDClick(dayList->viewport(), Qt::LeftButton, Qt::NoModifier, at);
}
} // namespace

class TestForm3 : public QObject
{
    Q_OBJECT

    // The main window on `day`, then its week button.
    static Form3* openWeek(Fixture& fx, qint32 day)
    {
        fx.pickDay(Dates::dateFromSerial(day));
        return pressWeek(fx);
    }

    static Form3* pressWeek(Fixture& fx)
    {
        QTest::mouseClick(fx.form->ui().Semaine, Qt::LeftButton);
        return fx.form->weekOpening().window();
    }

private slots:
    void cleanup() { Dialogs::Test::clear(); }

    void theWeekOfTheShownDay()
    {
        Fixture fx;
        fx.open();
        fx.storeDay(1, Monday5March2007 + 2, {{4, QStringLiteral("Durand")}});

        Form3* week = openWeek(fx, Wednesday7March2007);
        QVERIFY(week && week->isVisible());
        QCOMPARE(label(week, QStringLiteral("Label2")), QStringLiteral("39146"));
        QCOMPARE(serials(week), consecutive(Monday5March2007));
        QCOMPARE(label(week, QStringLiteral("Label1_0")), Dates::longDate(QDate(2007, 3, 5)));
        QCOMPARE(label(week, QStringLiteral("Label1_6")), Dates::longDate(QDate(2007, 3, 11)));
        // User 1 books every 15 minutes: Wednesday's record, the other days bare.
        QCOMPARE(lines(week, 2).at(4), QStringLiteral("09h00 : Durand"));
        QCOMPARE(lines(week, 2).size(), 54);
        QCOMPARE(lines(week, 3).at(4), QStringLiteral("09h00 : "));
        // The main window's day and page are untouched, and stay so at the reload.
        QCOMPARE(fx.shownSerial(), Wednesday7March2007);
        fx.reloadTick();
        QCOMPARE(fx.shownSerial(), Wednesday7March2007);
        QCOMPARE(fx.rowText(4), QStringLiteral("Durand"));
        QVERIFY(Fixture::messages().isEmpty());

        // A Monday shows the week before it; early days the first week.
        week = openWeek(fx, Monday5March2007);
        QCOMPARE(label(week, QStringLiteral("Label2")), QStringLiteral("39139"));
        week = openWeek(fx, 37621);
        QCOMPARE(serials(week), consecutive(37620));

        // One window: the button while it is open refills the same one.
        QCOMPARE(openWeek(fx, Wednesday7March2007), week);
        QCOMPARE(label(week, QStringLiteral("Label2")), QStringLiteral("39146"));
    }

    void theShownDayIsSavedFirst()
    {
        Fixture fx;
        Form1& f = fx.open();
        const qint32 today = fx.shownSerial();
        fx.type(6, QStringLiteral("Lefèvre"));
        QVERIFY(pressWeek(fx));
        QCOMPARE(fx.storedRows(1, today).at(6), QStringLiteral("Lefèvre"));
        QVERIFY(!f.state().DayModified);
        f.weekOpening().window()->close();
        flushDeletes();

        // The save fails: its message, no week window, the typing stays.
        fx.type(7, QStringLiteral("Morel"));
        fx.loseDatabase();
        QVERIFY(!pressWeek(fx));
        QCOMPARE(Fixture::messages().size(), 1);
        QVERIFY(Fixture::messages().at(0).contains(QStringLiteral("n'a pas pu être enregistré")));
        QCOMPARE(fx.rowText(7), QStringLiteral("Morel"));
        QVERIFY(f.state().DayModified);
        fx.findDatabaseAgain();
    }

    void layout()
    {
        Fixture fx;
        fx.open();
        Form3* week = openWeek(fx, Wednesday7March2007);
        QCOMPARE(week->windowTitle(), QStringLiteral("Agenda"));
        QVERIFY(!week->parent());
        QCOMPARE(week->size(), Geometry::twipRect(0, 0, 11880, 8490).size());

        const auto placed = [week](const QString& name, int left, int top, int width, int height) {
            const auto* control = week->findChild<QWidget*>(name);
            QVERIFY2(control, qPrintable(name));
            QCOMPARE(control->geometry(), Geometry::twipRect(left, top, width, height));
        };
        placed(QStringLiteral("List1_0"), 40, 600, 1920, 7080);
        placed(QStringLiteral("List1_4"), 7900, 600, 1920, 7080);
        placed(QStringLiteral("List1_5"), 9860, 600, 1920, 3765);
        placed(QStringLiteral("List1_6"), 9855, 4890, 1920, 2790);
        placed(QStringLiteral("Label1_5"), 9960, 120, 1695, 375);
        placed(QStringLiteral("Label1_6"), 9960, 4440, 1695, 375);
        placed(QStringLiteral("CmdPrec"), 2400, 7920, 1815, 495);
        placed(QStringLiteral("Command2"), 4440, 7920, 2895, 495);
        placed(QStringLiteral("CmdSuiv"), 7560, 7920, 1815, 495);
        for (const char* hidden : {"Label2", "Label3", "Label4_0", "Label4_6"}) {
            QVERIFY(week->findChild<QLabel*>(QLatin1String(hidden))->isHidden());
        }

        // Captions, access keys, the dates' look.
        const auto buttonText = [week](const char* name) {
            return week->findChild<QPushButton*>(QLatin1String(name))->text();
        };
        QCOMPARE(buttonText("CmdPrec"), QStringLiteral("<   &Précédent"));
        QCOMPARE(buttonText("Command2"), QStringLiteral("&Quitte"));
        QCOMPARE(buttonText("CmdSuiv"), QStringLiteral("&Suivant   >"));
        const auto accessKey = [week](const char* name) {
            return week->findChild<QPushButton*>(QLatin1String(name))->shortcut();
        };
        QCOMPARE(accessKey("CmdPrec"), QKeySequence(Qt::ALT | Qt::Key_P));
        QCOMPARE(accessKey("Command2"), QKeySequence(Qt::ALT | Qt::Key_Q));
        QCOMPARE(accessKey("CmdSuiv"), QKeySequence(Qt::ALT | Qt::Key_S));
        auto* wednesday = week->findChild<FitLabel*>(QStringLiteral("Label1_2"));
        QVERIFY(wednesday->font().bold());
        QCOMPARE(wednesday->palette().color(QPalette::WindowText), QColor(192, 64, 0));
        // The longest dates are drawn smaller rather than cut.
        wednesday->setText(Dates::longDate(QDate(2003, 12, 31)));
        const QFont fitted = wednesday->fittedFont();
        QVERIFY(fitted.pointSizeF() < wednesday->font().pointSizeF());
        QVERIFY(fitted.pointSizeF() >= 6.0);
        const QRect box = wednesday->contentsRect();
        const QRect drawn = QFontMetrics(fitted).boundingRect(box, Qt::TextWordWrap | Qt::AlignCenter, wednesday->text());
        QVERIFY(box.contains(drawn));

        // Keyboard order: Monday, Previous, Quit, Tuesday to Sunday, Next.
        QStringList order;
        QWidget* w = list(week, 0);
        for (int k = 0; k < 10; ++k) {
            order << w->objectName();
            do {
                w = w->nextInFocusChain();
            } while (!(w->focusPolicy() & Qt::TabFocus) || !w->isVisibleTo(week) || w->parentWidget() != week);
        }
        QCOMPARE(order, QString::fromLatin1("List1_0 CmdPrec Command2 List1_1 List1_2 List1_3 List1_4 List1_5 "
                                            "List1_6 CmdSuiv")
                            .split(QLatin1Char(' ')));
    }

    void weekChanges()
    {
        Fixture fx;
        Form1& f = fx.open();
        Form3* week = openWeek(fx, Monday5March2007 + 7);
        QCOMPARE(label(week, QStringLiteral("Label2")), QStringLiteral("39146"));

        // A week change saves nothing of the main window.
        fx.type(2, QStringLiteral("Pas encore"));
        click(week, "CmdPrec");
        QCOMPARE(serials(week), consecutive(39139));
        QCOMPARE(label(week, QStringLiteral("Label2")), QStringLiteral("39139"));
        QCOMPARE(label(week, QStringLiteral("Label1_0")), Dates::longDate(QDate(2007, 2, 26)));
        QCOMPARE(label(week, QStringLiteral("Label1_6")), Dates::longDate(QDate(2007, 3, 4)));
        click(week, "CmdSuiv");
        click(week, "CmdSuiv");
        QCOMPARE(serials(week), consecutive(39153));
        click(week, "CmdPrec");
        QCOMPARE(label(week, QStringLiteral("Label2")), QStringLiteral("39146"));
        QVERIFY(f.state().DayModified);
        QVERIFY(!fx.stored(1, fx.shownSerial()));

        // Another user shows at the next week change, with its slot length
        // (user 2: 30 minutes) and its table.
        f.shownDay().ENREG_01();
        fx.storeDay(2, Monday5March2007 + 8, {{2, QStringLiteral("Chez Lefèvre")}});
        fx.user(2);
        QCOMPARE(lines(week, 0).at(1), QStringLiteral("      15 : ")); // still user 1's 15-minute rows
        click(week, "CmdSuiv");
        QCOMPARE(lines(week, 1).at(2), QStringLiteral("      30 : Chez Lefèvre"));
        QCOMPARE(lines(week, 0).at(1), QStringLiteral("      : "));

        // A slot length the lists cannot show: the dates move, the lists stay.
        const QStringList before = lines(week, 1);
        f.ui().LblHorImp->setText(QStringLiteral("0"));
        click(week, "CmdSuiv");
        QCOMPARE(serials(week), consecutive(Monday5March2007 + 14));
        QCOMPARE(lines(week, 1), before);

        // Quitting closes the window and changes nothing in the main window.
        const QPointer<Form3> closing(week);
        const QString shown = fx.form->ui().Label2->text();
        click(week, "Command2");
        flushDeletes();
        QVERIFY(!closing && !f.weekOpening().window());
        QCOMPARE(fx.form->ui().Label2->text(), shown);
    }

    void openingADayOfTheWeek()
    {
        Fixture fx;
        Form1& f = fx.open();
        const qint32 today = fx.shownSerial(); // a Wednesday
        const qint32 monday = WeekDays::mondayFor(today);
        const qint32 tuesday = monday + 1;
        fx.storeDay(1, tuesday, {{3, QStringLiteral("Martin")}}, QStringLiteral("Rappeler"), true);

        // Any line of Tuesday's list opens Tuesday: the absence line here.
        Form3* week = pressWeek(fx);
        QCOMPARE(lines(week, 1).at(3), WeekColumn::AbsentLine);
        const QPointer<Form3> closing(week);
        doubleClick(week, 1, 3);
        flushDeletes();
        QVERIFY(!closing);
        QCOMPARE(fx.shownSerial(), tuesday);
        QCOMPARE(f.ui().LblDate->text(), Dates::longDate(Dates::dateFromSerial(tuesday)));
        QVERIFY(f.dayView().boxVisible(SideBox::Absent1));
        QCOMPARE(fx.rowText(3), QStringLiteral("Martin"));
        QCOMPARE(f.state().ShownDaySerial, today);
        QCOMPARE(f.ui().MonthView1->selectedDate(), Clock::today());
        QVERIFY(fx.allTicksShown()); // today's ticks keep their visibility
        QVERIFY(Fixture::messages().isEmpty());

        // "x" goes back to the day the main window showed.
        QTest::mouseClick(f.ui().Command1, Qt::LeftButton);
        QCOMPARE(fx.shownSerial(), today);

        // The save writes the opened day.
        doubleClick(pressWeek(fx), 1, 0);
        fx.type(5, QStringLiteral("Dubois"));
        fx.save();
        QCOMPARE(fx.storedRows(1, tuesday).at(5), QStringLiteral("Dubois"));
        QCOMPARE(fx.storedRows(1, tuesday).at(3), QStringLiteral("Martin"));
        fx.pickDay(Dates::dateFromSerial(today));

        // Below the last line of Sunday's list: Monday + 6, a day without a
        // record, opens empty and adds no row.
        const int rows = fx.rowCount(1);
        doubleClick(pressWeek(fx), 6, 1000);
        QCOMPARE(fx.shownSerial(), monday + 6);
        QCOMPARE(fx.rowText(3), QString());
        QVERIFY(!f.dayView().boxVisible(SideBox::Absent1) && !f.dayView().boxVisible(SideBox::Echo1));
        QCOMPARE(fx.rowCount(1), rows);
        QTest::mouseClick(f.ui().Command1, Qt::LeftButton);
        QCOMPARE(fx.shownSerial(), today);

        // The separator line opens its day too; typing in the main window is
        // saved to its own day first.
        week = pressWeek(fx);
        fx.type(9, QStringLiteral("Garnier"));
        doubleClick(week, 3, 24);
        QCOMPARE(fx.shownSerial(), monday + 3);
        QCOMPARE(fx.storedRows(1, today).at(9), QStringLiteral("Garnier"));
        QVERIFY(!f.state().DayModified);
    }

    void aFailedOpeningKeepsTheWeekOpen()
    {
        Fixture fx;
        Form1& f = fx.open();
        const qint32 today = fx.shownSerial();
        Form3* week = pressWeek(fx);
        fx.type(2, QStringLiteral("Roux"));
        fx.loseDatabase();
        doubleClick(week, 4, 0);
        flushDeletes();
        QCOMPARE(f.weekOpening().window(), week);
        QVERIFY(week->isVisible());
        QCOMPARE(Fixture::messages().size(), 1);
        QCOMPARE(fx.shownSerial(), today);
        QCOMPARE(fx.rowText(2), QStringLiteral("Roux"));
        QVERIFY(f.state().DayModified);
        fx.findDatabaseAgain();
    }

    void aDatabaseThatCannotBeReadShowsOneWeekOrNone()
    {
        Fixture fx;
        Form1& f = fx.open();
        Form3* week = pressWeek(fx);
        const QString monday = label(week, QStringLiteral("Label2"));
        const QStringList tuesday = lines(week, 1);

        // A week change: one message, the window stays on its week.
        fx.loseDatabase();
        click(week, "CmdSuiv");
        QCOMPARE(Fixture::messages().size(), 1);
        QVERIFY(Fixture::messages().at(0).contains(QStringLiteral("introuvable")));
        QCOMPARE(label(week, QStringLiteral("Label2")), monday);
        QCOMPARE(serials(week), consecutive(monday.toInt()));
        QCOMPARE(lines(week, 1), tuesday);

        // The opening: one message, no window.
        week->close();
        flushDeletes();
        Dialogs::Test::clear();
        QVERIFY(!pressWeek(fx));
        QCOMPARE(Fixture::messages().size(), 1);
        fx.findDatabaseAgain();

        // The user's table is missing.
        {
            const auto db = DbConnection::open(fx.dbPath);
            QSqlQuery drop((*db)->database());
            QVERIFY(drop.exec(QStringLiteral("DROP TABLE RVOUS1")));
        }
        Dialogs::Test::clear();
        QVERIFY(!pressWeek(fx));
        QCOMPARE(Fixture::messages().size(), 1);
        QVERIFY(Fixture::messages().at(0).contains(QStringLiteral("RVOUS1")));
        QVERIFY(!f.state().DayModified);
    }

    void withoutDatabaseTheButtonSaysSo()
    {
        Fixture fx; // CHEMIN absent: the start-up stops at its test
        Form1& f = fx.load();
        f.show();
        Dialogs::Test::clear();
        QVERIFY(!pressWeek(fx));
        QCOMPARE(Fixture::messages().size(), 1);
        QVERIFY(Fixture::messages().at(0).contains(QStringLiteral("Aucune base de données")));
    }

    void theWindowGoesWithTheMainWindow()
    {
        Fixture fx;
        fx.open();
        const QPointer<Form3> week(pressWeek(fx));
        QVERIFY(week);
        fx.form.reset();
        QVERIFY(!week);
    }
};

QTEST_MAIN(TestForm3)
#include "tst_form3.moc"
