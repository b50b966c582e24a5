// The shown day of the main window: when it is saved, the day moves, the
// calendar, the "x" button, the reload, quitting and the failures on the way.

#include "mainwindow/MainWindowTestFixture.h"

#include "dayrecords/DayMerge.h"
#include "dayrecords/Module1.h"
#include "mainwindow/ui/DayEditing.h"

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
        QCOMPARE(f.ui().LblDate->text(), QStringLiteral("mardi 29 décembre 2026"));
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

        // "x" on a day changed elsewhere leaves it modified, with nothing typed:
        // the tick goes on showing what other workstations store.
        fx.previous();
        fx.storeDay(1, today, {{7, QStringLiteral("Autre")}, {8, QStringLiteral("Durand")}});
        QTest::mouseClick(f.ui().Command1, Qt::LeftButton);
        QVERIFY(f.state().DayModified);
        fx.storeDay(1, today, {{7, QStringLiteral("Autre")}, {8, QStringLiteral("Durand")}, {10, QStringLiteral("Petit")}});
        fx.reloadTick();
        QCOMPARE(fx.rowText(10), QStringLiteral("Petit"));
        QCOMPARE(saves.count(), 1);
    }

    // What the user changed since the day was shown holds the tick back,
    // also on a day that "x" left modified.
    void anyTypingHoldsTheReloadBack_data()
    {
        QTest::addColumn<int>("edit");
        QTest::newRow("row") << 0;
        QTest::newRow("post-it") << 1;
        QTest::newRow("operating theatre") << 2;
        QTest::newRow("absence banner text") << 3;
        QTest::newRow("ultrasound text") << 4;
        QTest::newRow("absence toggle") << 5;
        QTest::newRow("ultrasound toggle") << 6;
    }

    void anyTypingHoldsTheReloadBack()
    {
        QFETCH(int, edit);
        Fixture fx;
        const qint32 today = Dates::daySerial(Clock::today());
        Form1& f = fx.open();
        Form1Ui& ui = f.ui();
        fx.type(7, QStringLiteral("Bernard"));
        Fixture::press(ui.CmdAbsent1);
        Fixture::press(ui.CmdEcho1);
        fx.save();
        // Another workstation changes one row of the day and keeps the rest.
        const auto storeRow = [&](int r, const QString& text) {
            DayRecord record = *fx.stored(1, today);
            QStringList rows = SlotTextList::decode(record.rvous);
            rows[r] = text;
            record.rvous = SlotTextList::encode(rows);
            const auto db = DbConnection::open(fx.dbPath);
            QVERIFY(db && DayStore::save(**db, 1, record).ok());
        };
        storeRow(8, QStringLiteral("Durand"));
        QTest::mouseClick(ui.Command1, Qt::LeftButton);
        QVERIFY(f.state().DayModified);

        const auto typeInto = [](QWidget* box, const QString& text) {
            box->setFocus();
            QTest::keyClick(box, Qt::Key_End);
            TestInput::typeText(box, text);
        };
        DayView& view = f.dayView();
        const DayRecord before = DayLoader::FillDayRecord(view);
        switch (edit) {
        case 0: fx.type(12, QStringLiteral("Noël")); break;
        case 1: typeInto(ui.grid->postitBox(), QStringLiteral("Rappeler")); break;
        case 2: typeInto(ui.Text3, QStringLiteral("Cholécystectomie")); break;
        case 3: typeInto(ui.grid->banner(0), QStringLiteral(" congrès")); break;
        case 4: typeInto(ui.TxtEcho1, QStringLiteral(" : 3")); break;
        case 5: Fixture::press(ui.CmdAbsent2); break;
        case 6: Fixture::press(ui.CmdEcho2); break;
        }
        const DayRecord typed = DayLoader::FillDayRecord(view);
        QVERIFY(!(DayUnits::of(typed) == DayUnits::of(before)));

        storeRow(7, QStringLiteral("Autre"));
        fx.reloadTick();
        QCOMPARE(fx.rowText(7), QStringLiteral("Bernard"));
        QVERIFY(DayUnits::of(DayLoader::FillDayRecord(view)) == DayUnits::of(typed));
        QVERIFY(f.state().DayModified);
    }

    void longRowsShowFromTheirFirstCharacter()
    {
        Fixture fx;
        const qint32 today = Dates::daySerial(Clock::today());
        const QString longName =
            QStringLiteral("Mme Marie-Hélène de La Tour d'Auvergne, née Dupont-Aignan, 1re consultation, tél. 06 12 34 56 78");
        const QString marker = DayEditing::noAppointmentMarker();
        fx.storeDay(1, today, {{4, longName}, {6, marker}});
        fx.storeDay(1, today + 1, {{4, marker}, {6, longName}});
        Form1& f = fx.open();
        QVERIFY(fx.row(4)->fontMetrics().horizontalAdvance(longName) > fx.row(4)->width());
        QVERIFY(fx.row(6)->fontMetrics().horizontalAdvance(marker) > fx.row(6)->width());
        const auto shownFromStart = [&] {
            for (const int r : {4, 6}) {
                QCOMPARE(fx.row(r)->cursorPosition(), 0);
                QVERIFY(fx.row(r)->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < fx.row(r)->width() / 4);
            }
        };
        shownFromStart(); // at start-up
        fx.row(4)->setFocus();
        fx.next(); // a move, the row that had the focus included
        shownFromStart();
        fx.storeDay(1, today + 1, {{4, longName}, {6, marker}});
        fx.reloadTick();
        shownFromStart();
        fx.user(2);
        fx.storeDay(2, today + 1, {{4, longName}, {6, marker}});
        QTest::mouseClick(f.ui().Command1, Qt::LeftButton);
        shownFromStart();
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
        QCOMPARE(f.ui().LblDate->text(), QStringLiteral("mercredi 9 décembre 2026"));
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
        QCOMPARE(f.ui().LblDate->text(), QStringLiteral("lundi 14 décembre 2026"));
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

    // A start while the database file is away (a share mounted late): every
    // move, switch, save or tick opens it anew, so the first one after its
    // return works, " (non connecté)" goes, and only what was typed is
    // written over what another workstation stored.
    void aStartWithoutTheDatabaseRecoversOnceItIsBack()
    {
        for (int how = 0; how < 4; ++how) {
            Fixture fx;
            const qint32 today = Dates::daySerial(Clock::today());
            fx.storeDay(1, today, {{3, QStringLiteral("Martin")}});
            fx.loseDatabase();
            fx.configure();
            Form1& f = fx.load();
            f.show();
            QCOMPARE(f.windowTitle(), QStringLiteral("Dr Martin (non connecté)"));
            QVERIFY(!f.state().DatabaseReady);
            Dialogs::Test::clear();
            if (how < 2) {
                fx.type(5, QStringLiteral("Robert"));
                fx.next(); // refused while the file is away
                QCOMPARE(fx.shownSerial(), today);
                QCOMPARE(Dialogs::Test::shown().size(), 1);
            }

            fx.findDatabaseAgain();
            switch (how) {
            case 0: fx.save(); break;
            case 1: fx.next(); break;
            case 2: fx.user(2); break;
            case 3: fx.reloadTick(); break;
            }
            QCOMPARE(Dialogs::Test::shown().size(), how < 2 ? 1 : 0);
            QVERIFY(f.state().DatabaseReady);
            QCOMPARE(f.windowTitle(), how == 2 ? QStringLiteral("Dr Lefèvre") : QStringLiteral("Dr Martin"));
            if (how < 2) {
                QCOMPARE(fx.storedRows(1, today).at(5), QStringLiteral("Robert"));
                QCOMPARE(fx.storedRows(1, today).at(3), QStringLiteral("Martin"));
            }
            if (how == 3) {
                QCOMPARE(fx.rowText(3), QStringLiteral("Martin"));
            }
        }
    }

    // Quitting or closing with typing that could not be saved asks, Non by
    // default; with nothing typed the program ends without a word. Without
    // the database from the start (file away), or without any (CHEMIN refused).
    void quittingWithUnsavableTypingAsks()
    {
        for (const bool chemin : {true, false}) {
            for (const bool typed : {true, false}) {
                for (const bool menu : {true, false}) {
                    Fixture fx;
                    if (chemin) {
                        fx.loseDatabase();
                        fx.configure();
                    }
                    Form1& f = fx.load();
                    f.show();
                    Dialogs::Test::clear();
                    if (typed) {
                        fx.type(1, QStringLiteral("Garnier"));
                    }
                    const auto end = [&] { menu ? f.ui().Quitte->trigger() : void(f.close()); };
                    end();
                    if (!typed) {
                        QVERIFY(Dialogs::Test::shown().isEmpty());
                        QVERIFY(!f.isVisible());
                        continue;
                    }
                    QCOMPARE(Dialogs::Test::shown().size(), 1);
                    QCOMPARE(Dialogs::Test::shown().at(0).kind, QStringLiteral("question"));
                    QVERIFY(Dialogs::Test::shown().at(0).text.contains(QStringLiteral("Quitter sans enregistrer ?")));
                    // No answer queued: the default, Non, keeps the window and the typing.
                    QVERIFY(f.isVisible());
                    QCOMPARE(fx.rowText(1), QStringLiteral("Garnier"));
                    Dialogs::Test::setNextAnswer(Dialogs::Answer::Yes);
                    end();
                    QVERIFY(!f.isVisible());
                }
            }
        }
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

        QCOMPARE(fx.rowCount(1), 0);
    }
};

QTEST_MAIN(TestShownDay)
#include "tst_shownday.moc"
