// The shown day of the main window: when it is saved, the day moves, the
// calendar, the "x" button, the reload, quitting and the failures on the way.

#include "mainwindow/MainWindowTestFixture.h"

#include "dayrecords/Module1.h"

#include <QAction>
#include <QSignalSpy>

using MainWindowTest::Fixture;

class TestShownDay : public QObject
{
    Q_OBJECT

private slots:
    void dayMovesSaveOnlyAModifiedDay();
    void saveCommandAlwaysSavesAndAddsOneRow();
    void showAgainAndReloadNeverSave();
    void calendarClickSavesFirstAndTakesThePick();
    void previousFromMondayAndNextFromNewYearsEve();
    void tickBoxesFollowToday();
    void typingThenNextSavesAccentedText();
    void anyMouseButtonMovesAndTheKeyboardDoesNot();
    void autoSaveMenuSwitchesTheTimer();
    void reloadShowsTheStoredDayOnlyWithoutEdits();
    void reloadReadsTheShownDayWhateverTheRecordset();
    void reloadWithoutDatabaseOrDayDoesNothing();
    void quittingSavesOnceAndEnds();
    void closingSavesOnceAndEnds();
    void failedSaveKeepsTheEditsAndStopsTheMove();
    void failedSaveWhenQuittingAsks();
    void failedLookupStaysOnTheShownDay();
    void withoutDatabaseNothingIsWritten();
    void afterARefusedDatabasePathNothingBreaks();
};

void TestShownDay::dayMovesSaveOnlyAModifiedDay()
{
    Fixture fx;
    Form1& f = fx.open();
    QSignalSpy saves(&f.shownDay(), &ShownDay::saved);
    const qint32 today = fx.shownSerial();

    fx.next();
    QCOMPARE(saves.count(), 0);
    QCOMPARE(fx.rowCount(1), 0);
    QCOMPARE(fx.shownSerial(), today + 1);
    QCOMPARE(f.state().ShownDaySerial, today + 1);
    QVERIFY(!f.state().DayModified);

    fx.type(4, QStringLiteral("Durand"));
    QVERIFY(f.state().DayModified);
    fx.previous();
    QCOMPARE(saves.count(), 1);
    QCOMPARE(fx.storedRows(1, today + 1).at(4), QStringLiteral("Durand"));
    QCOMPARE(fx.shownSerial(), today);
    QCOMPARE(fx.rowText(4), QString());
    QVERIFY(!f.state().DayModified);
}

void TestShownDay::saveCommandAlwaysSavesAndAddsOneRow()
{
    Fixture fx;
    Form1& f = fx.open();
    QSignalSpy saves(&f.shownDay(), &ShownDay::saved);
    const qint32 today = fx.shownSerial();

    f.ui().Enregistrer->trigger();
    QCOMPARE(saves.count(), 1);
    QCOMPARE(fx.rowCount(1), 1);
    const DayRecord empty = *fx.stored(1, today);
    QCOMPARE(empty.rvous, QStringLiteral("\r\n").repeated(52));
    QCOMPARE(empty.coche.size(), 157);
    QVERIFY(!empty.flag(SideBox::Absent1).isSet());
    QVERIFY(!empty.flag(SideBox::Echo2).isSet());

    fx.type(0, QStringLiteral("Leroy"));
    f.ui().Enregistrer->trigger();
    QCOMPARE(saves.count(), 2);
    QCOMPARE(fx.rowCount(1), 1);
    QCOMPARE(fx.storedRows(1, today).at(0), QStringLiteral("Leroy"));
    QVERIFY(!f.state().DayModified);
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestShownDay::showAgainAndReloadNeverSave()
{
    Fixture fx;
    const qint32 today = Dates::daySerial(Clock::today());
    fx.storeDay(1, today, {{3, QStringLiteral("Martin")}});
    Form1& f = fx.open();
    QSignalSpy saves(&f.shownDay(), &ShownDay::saved);
    QCOMPARE(fx.rowText(3), QStringLiteral("Martin"));

    // The reload tick leaves typing alone and saves nothing.
    fx.type(5, QStringLiteral("Durand"));
    fx.reloadTick();
    QCOMPARE(fx.rowText(5), QStringLiteral("Durand"));
    QCOMPARE(saves.count(), 0);

    // "x" drops the typing without a save.
    QTest::mouseClick(f.ui().Command1, Qt::LeftButton);
    QCOMPARE(fx.rowText(5), QString());
    QCOMPARE(fx.rowText(3), QStringLiteral("Martin"));
    QCOMPARE(saves.count(), 0);
    QCOMPARE(fx.storedRows(1, today).at(5), QString());
    // The reload changed a text: the day counts as modified, and the next move
    // saves it as it was reloaded.
    QVERIFY(f.state().DayModified);
    fx.next();
    QCOMPARE(saves.count(), 1);
    QCOMPARE(fx.storedRows(1, today).at(3), QStringLiteral("Martin"));
    QCOMPARE(fx.storedRows(1, today).at(5), QString());
}

void TestShownDay::calendarClickSavesFirstAndTakesThePick()
{
    Fixture fx;
    Form1& f = fx.open();
    QSignalSpy saves(&f.shownDay(), &ShownDay::saved);
    const QDate today = Clock::today();
    QCalendarWidget* calendar = f.ui().MonthView1;

    fx.type(2, QStringLiteral("Petit"));
    const QDate pick = today.addDays(20);
    calendar->setSelectedDate(pick);
    emit calendar->clicked(pick);
    QCOMPARE(saves.count(), 1);
    QCOMPARE(fx.storedRows(1, Dates::daySerial(today)).at(2), QStringLiteral("Petit"));
    QCOMPARE(fx.shownSerial(), Dates::daySerial(pick));
    QCOMPARE(f.ui().LblDate->text(), Dates::longDate(pick));
    QCOMPARE(f.state().ShownDay, pick);
    QCOMPARE(fx.rowText(2), QString());
    QVERIFY(fx.allTicksHidden());
    QVERIFY(!f.state().DayModified);

    calendar->setSelectedDate(today);
    emit calendar->clicked(today);
    QCOMPARE(saves.count(), 1);
    QCOMPARE(fx.rowText(2), QStringLiteral("Petit"));
    QVERIFY(fx.allTicksShown());

    // The day moves leave the calendar on the day last picked in it.
    fx.next();
    QCOMPARE(calendar->selectedDate(), today);
    QCOMPARE(f.state().ShownDay, today);
}

void TestShownDay::previousFromMondayAndNextFromNewYearsEve()
{
    {
        Fixture fx(QDate(2026, 12, 7));
        Form1& f = fx.open();
        fx.previous();
        QCOMPARE(fx.shownSerial(), Dates::daySerial(QDate(2026, 12, 6)));
        QCOMPARE(f.ui().LblDate->text(), QStringLiteral("dimanche 6 décembre 2026"));
    }
    {
        Fixture fx(QDate(2026, 12, 31));
        Form1& f = fx.open();
        fx.next();
        QCOMPARE(fx.shownSerial(), Dates::daySerial(QDate(2027, 1, 1)));
        QCOMPARE(f.ui().LblDate->text(), QStringLiteral("vendredi 1 janvier 2027"));
    }
}

void TestShownDay::tickBoxesFollowToday()
{
    Fixture fx;
    fx.open();
    QVERIFY(fx.allTicksShown());
    fx.previous();
    QVERIFY(fx.allTicksHidden());
    fx.next();
    QVERIFY(fx.allTicksShown());

    // Another user on a past day: the boxes stay hidden.
    fx.previous();
    fx.user(2);
    QCOMPARE(fx.state().CurrentUser, 2);
    QVERIFY(fx.allTicksHidden());
    fx.next();
    QVERIFY(fx.allTicksShown());
    fx.user(1);
    QVERIFY(fx.allTicksShown());
}

void TestShownDay::typingThenNextSavesAccentedText()
{
    Fixture fx;
    Form1& f = fx.open();
    const qint32 today = fx.shownSerial();
    const QString name = QStringLiteral("Mme Hélène Dupré-Œuvray");
    fx.type(12, name);
    QCOMPARE(fx.rowText(12), name);
    QVERIFY(f.state().DayModified);

    fx.next();
    QCOMPARE(fx.storedRows(1, today).at(12), name);
    QCOMPARE(fx.rowText(12), QString());
    fx.previous();
    QCOMPARE(fx.rowText(12), name);
    QVERIFY(!f.state().DayModified);
}

void TestShownDay::anyMouseButtonMovesAndTheKeyboardDoesNot()
{
    Fixture fx;
    Form1& f = fx.open();
    const qint32 today = fx.shownSerial();
    Fixture::press(f.ui().CmdPrec, Qt::RightButton);
    QCOMPARE(fx.shownSerial(), today - 1);
    Fixture::press(f.ui().CmdSuiv, Qt::MiddleButton, Qt::ShiftModifier);
    QCOMPARE(fx.shownSerial(), today);

    f.ui().CmdSuiv->setFocus();
    QTest::keyClick(f.ui().CmdSuiv, Qt::Key_Space);
    QTest::keyClick(f.ui().CmdSuiv, Qt::Key_Return);
    QTest::keyClick(&f, Qt::Key_Greater, Qt::AltModifier);
    QCOMPARE(fx.shownSerial(), today);
}

void TestShownDay::autoSaveMenuSwitchesTheTimer()
{
    Fixture fx;
    Form1& f = fx.open();
    QAction* item = f.ui().Enreg_auto;
    QVERIFY(item->isChecked());
    QVERIFY(f.ui().Timer1->isActive());
    QCOMPARE(f.ui().Timer1->interval(), 60000);

    item->trigger();
    QVERIFY(!item->isChecked());
    QVERIFY(!f.ui().Timer1->isActive());
    item->trigger();
    QVERIFY(item->isChecked());
    QVERIFY(f.ui().Timer1->isActive());
}

void TestShownDay::reloadShowsTheStoredDayOnlyWithoutEdits()
{
    Fixture fx;
    Form1& f = fx.open();
    const qint32 today = fx.shownSerial();

    // Another workstation writes the day: the tick shows it.
    fx.storeDay(1, today, {{7, QStringLiteral("Bernard")}}, QStringLiteral("Rappeler le labo"));
    fx.reloadTick();
    QCOMPARE(fx.rowText(7), QStringLiteral("Bernard"));
    QCOMPARE(f.ui().grid->postitBox()->toPlainText(), QStringLiteral("Rappeler le labo"));
    QVERIFY(!f.state().DayModified);

    // With typing on screen the tick leaves the screen alone.
    fx.type(9, QStringLiteral("Noël"));
    fx.storeDay(1, today, {{7, QStringLiteral("Autre")}});
    fx.reloadTick();
    QCOMPARE(fx.rowText(9), QStringLiteral("Noël"));
    QCOMPARE(fx.rowText(7), QStringLiteral("Bernard"));
    QVERIFY(f.state().DayModified);
}

void TestShownDay::reloadReadsTheShownDayWhateverTheRecordset()
{
    Fixture fx;
    Form1& f = fx.open();
    const qint32 today = fx.shownSerial();
    fx.storeDay(1, today + 5, {{0, QStringLiteral("Autre jour")}});
    fx.storeDay(2, today, {{0, QStringLiteral("Autre utilisateur")}});
    fx.storeDay(1, today, {{1, QStringLiteral("Jour affiché")}});

    // Another operation left the shared recordset on another day, then on
    // another user's table.
    QVERIFY(Module1::dayLookup(1, today + 5, fx.dbPath).ok());
    fx.reloadTick();
    QCOMPARE(fx.rowText(1), QStringLiteral("Jour affiché"));
    QCOMPARE(fx.rowText(0), QString());
    QVERIFY(Module1::dayLookup(2, today, fx.dbPath).ok());
    fx.reloadTick();
    QCOMPARE(fx.rowText(0), QString());
    QCOMPARE(fx.shownSerial(), today);

    // After a save that added the record, the tick shows that same day.
    fx.next();
    fx.type(3, QStringLiteral("Nouveau"));
    f.ui().Enregistrer->trigger();
    fx.reloadTick();
    QCOMPARE(fx.rowText(3), QStringLiteral("Nouveau"));
    QCOMPARE(fx.shownSerial(), today + 1);
}

void TestShownDay::reloadWithoutDatabaseOrDayDoesNothing()
{
    Fixture fx;
    Form1& f = fx.open();
    const qint32 today = fx.shownSerial();
    fx.storeDay(1, today, {{1, QStringLiteral("Stocké")}});

    f.state().DatabaseReady = false;
    fx.reloadTick();
    QCOMPARE(fx.rowText(1), QString());

    f.state().DatabaseReady = true;
    f.ui().Label2->setText(QStringLiteral("Label2"));
    fx.reloadTick();
    QCOMPARE(fx.rowText(1), QString());

    f.ui().Label2->setText(QString::number(today));
    fx.loseDatabase();
    fx.reloadTick();
    QCOMPARE(fx.rowText(1), QString());
    QVERIFY(Dialogs::Test::shown().isEmpty());
}

void TestShownDay::quittingSavesOnceAndEnds()
{
    Fixture fx;
    Form1& f = fx.open();
    QSignalSpy saves(&f.shownDay(), &ShownDay::saved);
    QSignalSpy ending(&f.shownDay(), &ShownDay::ending);
    f.ui().Quitte->trigger();
    QCOMPARE(saves.count(), 1);
    QCOMPARE(ending.count(), 1);
    QVERIFY(!f.isVisible());
    QVERIFY(!f.ui().Timer1->isActive());
    // An unchanged day without a record gets its row.
    QCOMPARE(fx.rowCount(1), 1);
}

void TestShownDay::closingSavesOnceAndEnds()
{
    Fixture fx;
    Form1& f = fx.open();
    QSignalSpy saves(&f.shownDay(), &ShownDay::saved);
    fx.type(20, QStringLiteral("Garnier"));
    QVERIFY(f.close());
    QCOMPARE(saves.count(), 1);
    QVERIFY(!f.isVisible());
    QCOMPARE(fx.storedRows(1, fx.shownSerial()).at(20), QStringLiteral("Garnier"));
}

void TestShownDay::failedSaveKeepsTheEditsAndStopsTheMove()
{
    Fixture fx;
    Form1& f = fx.open();
    const qint32 today = fx.shownSerial();
    const QString dateText = f.ui().LblDate->text();
    fx.type(5, QStringLiteral("Robert"));
    fx.loseDatabase();

    f.ui().Enregistrer->trigger();
    QCOMPARE(Dialogs::Test::shown().size(), 1);
    QVERIFY(Dialogs::Test::shown().at(0).text.contains(QStringLiteral("n'a pas pu être enregistré")));
    QCOMPARE(fx.rowText(5), QStringLiteral("Robert"));
    QVERIFY(f.state().DayModified);
    QCOMPARE(QApplication::overrideCursor(), nullptr);

    fx.next();
    QCOMPARE(Dialogs::Test::shown().size(), 2);
    QCOMPARE(fx.shownSerial(), today);
    QCOMPARE(f.ui().LblDate->text(), dateText);
    QCOMPARE(fx.rowText(5), QStringLiteral("Robert"));
    QVERIFY(f.state().DayModified);

    // A tick cannot save either: the day stays modified.
    QTest::mouseClick(fx.tick(5), Qt::LeftButton, Qt::NoModifier, fx.tick(5)->rect().center());
    QCOMPARE(Dialogs::Test::shown().size(), 3);
    QVERIFY(f.state().DayModified);

    fx.findDatabaseAgain();
    fx.next();
    QCOMPARE(fx.shownSerial(), today + 1);
    QCOMPARE(fx.storedRows(1, today).at(5), QStringLiteral("Robert"));
    QCOMPARE(SlotTickList::decode(fx.stored(1, today)->coche)[5], 1);
}

void TestShownDay::failedSaveWhenQuittingAsks()
{
    Fixture fx;
    Form1& f = fx.open();
    fx.type(5, QStringLiteral("Robert"));
    fx.loseDatabase();

    Dialogs::Test::setNextAnswer(Dialogs::Answer::No);
    f.ui().Quitte->trigger();
    QCOMPARE(Dialogs::Test::shown().size(), 1);
    QCOMPARE(Dialogs::Test::shown().at(0).kind, QStringLiteral("question"));
    QVERIFY(Dialogs::Test::shown().at(0).text.contains(QStringLiteral("Quitter sans enregistrer ?")));
    QVERIFY(f.isVisible());
    QCOMPARE(fx.rowText(5), QStringLiteral("Robert"));
    QVERIFY(f.state().DayModified);

    Dialogs::Test::setNextAnswer(Dialogs::Answer::No);
    QVERIFY(!f.close());
    QVERIFY(f.isVisible());
    QCOMPARE(fx.rowText(5), QStringLiteral("Robert"));

    Dialogs::Test::setNextAnswer(Dialogs::Answer::Yes);
    f.ui().Quitte->trigger();
    QVERIFY(!f.isVisible());
    QCOMPARE(QApplication::overrideCursor(), nullptr);
}

void TestShownDay::failedLookupStaysOnTheShownDay()
{
    Fixture fx;
    const qint32 today = Dates::daySerial(Clock::today());
    fx.storeDay(1, today, {{3, QStringLiteral("Martin")}});
    Form1& f = fx.open();
    const QString dateText = f.ui().LblDate->text();
    fx.loseDatabase();

    fx.next();
    QCOMPARE(Dialogs::Test::shown().size(), 1);
    QVERIFY(Dialogs::Test::shown().at(0).text.contains(QStringLiteral("n'a pas pu être lu")));
    QCOMPARE(fx.shownSerial(), today);
    QCOMPARE(f.state().ShownDaySerial, today);
    QCOMPARE(f.ui().LblDate->text(), dateText);
    QCOMPARE(fx.rowText(3), QStringLiteral("Martin"));
    QVERIFY(fx.allTicksShown());
    QVERIFY(!f.state().DayModified);

    QCalendarWidget* calendar = f.ui().MonthView1;
    calendar->setSelectedDate(Clock::today().addDays(3));
    emit calendar->clicked(calendar->selectedDate());
    QCOMPARE(fx.shownSerial(), today);
    QCOMPARE(calendar->selectedDate(), Clock::today());
    QCOMPARE(fx.rowText(3), QStringLiteral("Martin"));

    // Once the database is back, the same move goes through.
    fx.findDatabaseAgain();
    fx.next();
    QCOMPARE(fx.shownSerial(), today + 1);
}

void TestShownDay::withoutDatabaseNothingIsWritten()
{
    Fixture fx;
    Form1& f = fx.open();
    f.state().DatabaseReady = false;

    fx.type(1, QStringLiteral("Rien"));
    f.ui().Enregistrer->trigger();
    QCOMPARE(Dialogs::Test::shown().size(), 1);
    QVERIFY(Dialogs::Test::shown().at(0).text.contains(QStringLiteral("Aucune base de données")));
    QMetaObject::invokeMethod(f.ui().grid, "tickClicked", Qt::DirectConnection, Q_ARG(int, 0));
    fx.next();
    fx.user(2);
    QCOMPARE(fx.rowCount(1), 0);
    QCOMPARE(fx.rowCount(2), 0);
    QCOMPARE(fx.rowText(1), QStringLiteral("Rien"));

    // Quitting ends without asking.
    Dialogs::Test::clear();
    f.ui().Quitte->trigger();
    QVERIFY(Dialogs::Test::shown().isEmpty());
    QVERIFY(!f.isVisible());
    QCOMPARE(fx.rowCount(1), 0);
}

void TestShownDay::afterARefusedDatabasePathNothingBreaks()
{
    Fixture fx; // CHEMIN is absent: the program's folder is no AGENDAS.MDB
    fx.form = std::make_unique<Form1>();
    Form1& f = *fx.form;
    f.startUp().Form_Load();
    f.show();
    QVERIFY(QTest::qWaitForWindowExposed(&f));
    QVERIFY(!f.state().DatabaseReady);
    Dialogs::Test::clear();
    const QString shown = f.ui().Label2->text();

    fx.next();
    fx.user(1);
    fx.reloadTick();
    f.ui().Enregistrer->trigger();
    QCOMPARE(f.ui().Label2->text(), shown);
    QCOMPARE(Dialogs::Test::shown().size(), 3);
    for (const Dialogs::Shown& message : Dialogs::Test::shown()) {
        QVERIFY(message.text.contains(QStringLiteral("Aucune base de données")));
    }

    Dialogs::Test::clear();
    f.ui().Quitte->trigger();
    QVERIFY(Dialogs::Test::shown().isEmpty());
    QVERIFY(!f.isVisible());
    QCOMPARE(fx.rowCount(1), 0);
}

QTEST_MAIN(TestShownDay)
#include "tst_shownday.moc"
