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
    void movesSaveOnlyAModifiedDayTheSaveCommandAlways()
    {
        Fixture fx;
        Form1& f = fx.open();
        QSignalSpy saves(&f.shownDay(), &ShownDay::saved);
        const qint32 today = fx.shownSerial();
        const QString name = QStringLiteral("Mme Hélène Dupré-Œuvray");

        // Unmodified, a move saves nothing.
        fx.next();
        fx.previous();
        QCOMPARE(saves.count(), 0);
        // The save command saves an unchanged day without a record: 53 empty texts, 53 zeros.
        fx.save();
        QCOMPARE(fx.rowCount(1), 1);
        QCOMPARE(fx.stored(1, today)->rvous, QStringLiteral("\r\n").repeated(52));
        QCOMPARE(fx.stored(1, today)->coche.size(), 157);

        // Typing then CmdSuiv: the day is saved before the move, into the same row.
        fx.type(12, name);
        QVERIFY(f.state().DayModified);
        fx.next();
        QCOMPARE(saves.count(), 2);
        QCOMPARE(fx.rowCount(1), 1);
        QCOMPARE(fx.storedRows(1, today).at(12), name);
        QCOMPARE(fx.shownSerial(), today + 1);
        QCOMPARE(f.state().ShownDaySerial, today + 1);
        QCOMPARE(fx.rowText(12), QString());
        QVERIFY(!f.state().DayModified);
        fx.previous();
        QCOMPARE(fx.rowText(12), name);
        QCOMPARE(saves.count(), 2);
    }

    void previousFromMondayAndNextFromNewYearsEve()
    {
        for (const bool back : {true, false}) {
            Fixture fx(back ? QDate(2026, 12, 7) : QDate(2026, 12, 31));
            Form1& f = fx.open();
            back ? fx.previous() : fx.next();
            const QDate shown = back ? QDate(2026, 12, 6) : QDate(2027, 1, 1);
            QCOMPARE(fx.shownSerial(), Dates::daySerial(shown));
            QCOMPARE(f.ui().LblDate->text(),
                     back ? QStringLiteral("dimanche 6 décembre 2026") : QStringLiteral("vendredi 1 janvier 2027"));
        }
    }

    void calendarClickSavesFirstAndTickBoxesFollowToday()
    {
        Fixture fx;
        Form1& f = fx.open();
        const QDate today = Clock::today();
        const QDate pick = today.addDays(20);
        QVERIFY(fx.allTicksShown());
        fx.type(2, QStringLiteral("Petit"));
        fx.pickDay(pick);
        QCOMPARE(fx.storedRows(1, Dates::daySerial(today)).at(2), QStringLiteral("Petit"));
        QCOMPARE(fx.shownSerial(), Dates::daySerial(pick));
        QCOMPARE(f.ui().LblDate->text(), Dates::longDate(pick));
        QCOMPARE(fx.rowText(2), QString());
        QVERIFY(!f.state().DayModified);
        QVERIFY(fx.allTicksHidden());
        // Another user on another day: the boxes stay hidden.
        fx.user(2);
        QVERIFY(fx.allTicksHidden());
        fx.pickDay(today);
        QVERIFY(fx.allTicksShown());
        fx.user(1);
        QVERIFY(fx.allTicksShown());
        QCOMPARE(fx.rowText(2), QStringLiteral("Petit"));
        fx.previous();
        QVERIFY(fx.allTicksHidden());
        // The day moves leave the calendar on the day last picked in it.
        QCOMPARE(f.ui().MonthView1->selectedDate(), today);
        QCOMPARE(f.state().ShownDay, today);
    }

    void anyMouseButtonMovesAndTheKeyboardDoesNot()
    {
        Fixture fx;
        Form1& f = fx.open();
        const qint32 today = fx.shownSerial();
        Fixture::press(f.ui().CmdPrec, Qt::RightButton);
        QCOMPARE(fx.shownSerial(), today - 1);
        Fixture::press(f.ui().CmdSuiv, Qt::MiddleButton, Qt::ShiftModifier);
        QCOMPARE(fx.shownSerial(), today);
        // On the press, before any release.
        QTest::mousePress(f.ui().CmdSuiv, Qt::LeftButton);
        QCOMPARE(fx.shownSerial(), today + 1);
        QTest::mouseRelease(f.ui().CmdSuiv, Qt::LeftButton);
        QCOMPARE(fx.shownSerial(), today + 1);

        // The keyboard never acts: space, Enter, the access letter.
        QApplication::setActiveWindow(&f);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        f.ui().CmdPrec->setFocus();
        for (const Qt::Key key : {Qt::Key_Space, Qt::Key_Return, Qt::Key_Enter}) {
            QTest::keyClick(f.ui().CmdPrec, key);
        }
        QTest::keyClick(&f, Qt::Key_Less, Qt::AltModifier);
        QTest::keyClick(&f, Qt::Key_Greater, Qt::AltModifier);
        QCOMPARE(fx.shownSerial(), today + 1);
        QVERIFY(!f.ui().CmdPrec->isDown());
    }

    void reloadShowsTheStoredDayOnlyWithoutEditsAndXDropsThem()
    {
        Fixture fx;
        Form1& f = fx.open();
        QSignalSpy saves(&f.shownDay(), &ShownDay::saved);
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

        // "x" drops the typing without a save and shows the day as stored.
        QTest::mouseClick(f.ui().Command1, Qt::LeftButton);
        QCOMPARE(saves.count(), 0);
        QCOMPARE(fx.rowText(9), QString());
        QCOMPARE(fx.rowText(7), QStringLiteral("Autre"));
        // The reload changed a text: the day counts as modified, and the next
        // move saves it as it was reloaded.
        QVERIFY(f.state().DayModified);
        fx.next();
        QCOMPARE(saves.count(), 1);
        QCOMPARE(fx.storedRows(1, today).at(7), QStringLiteral("Autre"));
        QCOMPARE(fx.storedRows(1, today).at(9), QString());
    }

    void reloadReadsTheShownDayWhateverTheRecordset()
    {
        Fixture fx;
        fx.open();
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
        fx.save();
        fx.reloadTick();
        QCOMPARE(fx.rowText(3), QStringLiteral("Nouveau"));
        // No day in Label2, or no database file: the tick does nothing, silently.
        fx.storeDay(1, today + 1, {{3, QStringLiteral("Stocké")}});
        fx.form->ui().Label2->setText(QStringLiteral("Label2"));
        fx.reloadTick();
        fx.loseDatabase();
        fx.form->ui().Label2->setText(QString::number(today + 1));
        fx.reloadTick();
        QCOMPARE(fx.rowText(3), QStringLiteral("Nouveau"));
        QVERIFY(Dialogs::Test::shown().isEmpty());
    }

    void quittingOrClosingSavesOnceAndEnds()
    {
        for (const bool menu : {true, false}) {
            Fixture fx;
            Form1& f = fx.open();
            QSignalSpy saves(&f.shownDay(), &ShownDay::saved);
            QSignalSpy ending(&f.shownDay(), &ShownDay::ending);
            if (menu) {
                f.ui().Quitte->trigger(); // an unchanged day without a record gets its row
                QCOMPARE(fx.rowCount(1), 1);
            } else {
                fx.type(20, QStringLiteral("Garnier"));
                QVERIFY(f.close());
                QCOMPARE(fx.storedRows(1, fx.shownSerial()).at(20), QStringLiteral("Garnier"));
            }
            QCOMPARE(saves.count(), 1);
            QCOMPARE(ending.count(), 1);
            QVERIFY(!f.isVisible() && !f.ui().Timer1->isActive());
        }
    }

    void failedSaveKeepsTheEditsStopsTheMoveAndAsksOnQuit()
    {
        Fixture fx;
        Form1& f = fx.open();
        const qint32 today = fx.shownSerial();
        fx.type(5, QStringLiteral("Robert"));
        fx.loseDatabase();
        const auto keptAfter = [&](int messages) {
            QCOMPARE(Dialogs::Test::shown().size(), messages);
            QCOMPARE(fx.shownSerial(), today);
            QCOMPARE(fx.rowText(5), QStringLiteral("Robert"));
            QVERIFY(f.state().DayModified);
        };

        fx.save();
        keptAfter(1);
        QVERIFY(Dialogs::Test::shown().at(0).text.contains(QStringLiteral("n'a pas pu être enregistré")));
        QCOMPARE(QApplication::overrideCursor(), nullptr);
        fx.next();
        keptAfter(2);
        // A tick cannot save either; the reload does not drop the unsaved tick.
        fx.clickTick(5);
        keptAfter(3);
        fx.reloadTick();
        QCOMPARE(f.ui().grid->tickValue(5), 1);

        // Quitting asks; No, the default, keeps the window and the edits; Yes ends.
        f.ui().Quitte->trigger();
        QCOMPARE(Dialogs::Test::shown().last().kind, QStringLiteral("question"));
        QVERIFY(Dialogs::Test::shown().last().text.contains(QStringLiteral("Quitter sans enregistrer ?")));
        Dialogs::Test::setNextAnswer(Dialogs::Answer::No);
        QVERIFY(!f.close() && f.isVisible());
        keptAfter(5);

        fx.findDatabaseAgain();
        fx.next();
        QCOMPARE(fx.shownSerial(), today + 1);
        QCOMPARE(fx.storedRows(1, today).at(5), QStringLiteral("Robert"));
        QCOMPARE(SlotTickList::decode(fx.stored(1, today)->coche)[5], 1);

        fx.loseDatabase();
        fx.type(6, QStringLiteral("Petit"));
        Dialogs::Test::setNextAnswer(Dialogs::Answer::Yes);
        f.ui().Quitte->trigger();
        QVERIFY(!f.isVisible());
    }

    void failedLookupStaysOnTheShownDay()
    {
        Fixture fx;
        const qint32 today = Dates::daySerial(Clock::today());
        fx.storeDay(1, today, {{3, QStringLiteral("Martin")}});
        Form1& f = fx.open();
        fx.loseDatabase();

        fx.next();
        QCOMPARE(Dialogs::Test::shown().size(), 1);
        QVERIFY(Dialogs::Test::shown().at(0).text.contains(QStringLiteral("n'a pas pu être lu")));
        QCOMPARE(fx.shownSerial(), today);
        QCOMPARE(f.state().ShownDaySerial, today);
        QCOMPARE(f.ui().LblDate->text(), Dates::longDate(Clock::today()));
        QCOMPARE(fx.rowText(3), QStringLiteral("Martin"));
        QVERIFY(!f.state().DayModified);
        fx.pickDay(Clock::today().addDays(3));
        QCOMPARE(fx.shownSerial(), today);

        // Once the database is back, the same move goes through.
        fx.findDatabaseAgain();
        fx.next();
        QCOMPARE(fx.shownSerial(), today + 1);
    }

    void openingFromAnotherWindowSavesFirstAndKeepsTheMainWindowsDay()
    {
        Fixture fx;
        const qint32 today = Dates::daySerial(Clock::today());
        const qint32 other = today + 5;
        fx.storeDay(1, other, {{3, QStringLiteral("Martin")}}, QStringLiteral("Rappeler"), true);
        Form1& f = fx.open();
        QVERIFY(fx.allTicksShown());

        // The shown day's typing goes to its own day before the other day shows.
        fx.type(7, QStringLiteral("Bernard"));
        QVERIFY(f.shownDay().openDayFromWindow(other));
        QCOMPARE(fx.storedRows(1, today).at(7), QStringLiteral("Bernard"));
        QCOMPARE(fx.shownSerial(), other);
        QCOMPARE(f.ui().LblDate->text(), Dates::longDate(Dates::dateFromSerial(other)));
        QCOMPARE(fx.rowText(3), QStringLiteral("Martin"));
        QVERIFY(f.dayView().boxVisible(SideBox::Absent1));
        QVERIFY(!f.state().DayModified);
        QCOMPARE(f.state().ShownDaySerial, today);
        QCOMPARE(f.ui().MonthView1->selectedDate(), Clock::today());
        QVERIFY(fx.allTicksShown());

        // "x" goes back to the day the main window showed itself.
        QTest::mouseClick(f.ui().Command1, Qt::LeftButton);
        QCOMPARE(fx.shownSerial(), today);
        QCOMPARE(fx.rowText(7), QStringLiteral("Bernard"));
        QVERIFY(f.shownDay().openDayFromWindow(other));

        // The opened day is the base of the next save: another workstation's
        // booking of that day stays.
        fx.storeDay(1, other, {{3, QStringLiteral("Martin")}, {10, QStringLiteral("Autre poste")}},
                    QStringLiteral("Rappeler"), true);
        fx.type(4, QStringLiteral("Moi"));
        fx.save();
        QCOMPARE(fx.storedRows(1, other).at(4), QStringLiteral("Moi"));
        QCOMPARE(fx.storedRows(1, other).at(10), QStringLiteral("Autre poste"));

        // A day without a record opens empty, its boxes hidden, and adds no row.
        const int rows = fx.rowCount(1);
        QVERIFY(f.shownDay().openDayFromWindow(other + 1));
        QCOMPARE(fx.rowText(3), QString());
        QVERIFY(!f.dayView().boxVisible(SideBox::Absent1));
        QCOMPARE(fx.rowCount(1), rows);
    }

    void openingFromAnotherWindowChangesNothingWhenItFails()
    {
        Fixture fx;
        const qint32 today = Dates::daySerial(Clock::today());
        Form1& f = fx.open();

        // The read fails: one message, the screen as it was.
        fx.loseDatabase();
        QVERIFY(!f.shownDay().openDayFromWindow(today + 2));
        QCOMPARE(Dialogs::Test::shown().size(), 1);
        QCOMPARE(fx.shownSerial(), today);

        // The save of the typing fails: its message, nothing opens, the typing stays.
        Dialogs::Test::clear();
        fx.type(2, QStringLiteral("Durand"));
        QVERIFY(!f.shownDay().openDayFromWindow(today + 2));
        QCOMPARE(Dialogs::Test::shown().size(), 1);
        QVERIFY(Dialogs::Test::shown().at(0).text.contains(QStringLiteral("n'a pas pu être enregistré")));
        QCOMPARE(fx.shownSerial(), today);
        QCOMPARE(fx.rowText(2), QStringLiteral("Durand"));
        QVERIFY(f.state().DayModified);
        fx.findDatabaseAgain();
    }

    void withoutDatabaseNothingBreaksNorIsWritten()
    {
        Fixture fx; // CHEMIN is absent: the program's folder is no AGENDAS.MDB
        Form1& f = fx.load();
        f.show();
        Dialogs::Test::clear();
        const QString shown = f.ui().Label2->text();

        fx.type(1, QStringLiteral("Rien"));
        fx.next();
        fx.user(1);
        fx.reloadTick();
        fx.save();
        QMetaObject::invokeMethod(f.ui().grid, "tickClicked", Qt::DirectConnection, Q_ARG(int, 0));
        QCOMPARE(f.ui().Label2->text(), shown);
        QCOMPARE(fx.rowText(1), QStringLiteral("Rien"));
        QCOMPARE(Dialogs::Test::shown().size(), 4);
        for (const QString& message : Fixture::messages()) {
            QVERIFY(message.contains(QStringLiteral("Aucune base de données")));
        }

        // Quitting ends without asking.
        Dialogs::Test::clear();
        f.ui().Quitte->trigger();
        QVERIFY(Dialogs::Test::shown().isEmpty() && !f.isVisible());
        QCOMPARE(fx.rowCount(1), 0);
    }
};

QTEST_MAIN(TestShownDay)
#include "tst_shownday.moc"
