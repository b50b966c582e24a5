// Editing the shown day in place: typing, blocking and clearing rows, the
// absence and ultrasound toggles, ticks and the tick-box menu.

#include "mainwindow/MainWindowTestFixture.h"

#include "mainwindow/ui/DayEditing.h"

#include <QAction>
#include <QSignalSpy>

using MainWindowTest::Fixture;

class TestDayEditing : public QObject
{
    Q_OBJECT

private slots:
    void doubleClickBlocksOrClears_data()
    {
        const QString marker = QStringLiteral("XXXXXXXXXX- Pas de RV -XXXXXXXXX");
        QCOMPARE(DayEditing::noAppointmentMarker(), marker);
        QTest::addColumn<QString>("stored");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<bool>("yes");
        QTest::addColumn<QString>("after");
        // An empty row is blocked without a question; anything else asks.
        QTest::newRow("empty row") << QString() << QString() << true << marker;
        QTest::newRow("blocked row, Oui") << marker << QString() << true << QString();
        QTest::newRow("blocked row, Non") << marker << QString() << false << marker;
        QTest::newRow("stored name, Non") << QStringLiteral("Dubois") << QString() << false << QStringLiteral("Dubois");
        QTest::newRow("row of spaces, Oui") << QString() << QStringLiteral("   ") << true << QString();
    }

    void doubleClickBlocksOrClears()
    {
        QFETCH(QString, stored);
        QFETCH(QString, typed);
        QFETCH(bool, yes);
        QFETCH(QString, after);
        Fixture fx;
        fx.storeDay(1, Dates::daySerial(Clock::today()), {{30, stored}});
        Form1& f = fx.open();
        fx.type(30, typed);
        f.state().DayModified = false;

        Dialogs::Test::setNextAnswer(yes ? Dialogs::Answer::Yes : Dialogs::Answer::No);
        QTest::mouseClick(fx.row(30), Qt::LeftButton);
        QTest::mouseDClick(fx.row(30), Qt::LeftButton);
        QCOMPARE(fx.rowText(30), after);
        QCOMPARE(f.state().DayModified, yes);
        const bool asked = !(stored + typed).isEmpty();
        QCOMPARE(Dialogs::Test::shown().size(), asked ? 1 : 0);
        if (asked) {
            const Dialogs::Shown question = Dialogs::Test::shown().at(0);
            QCOMPARE(question.kind, QStringLiteral("question"));
            QCOMPARE(question.text, QStringLiteral("Effacer vraiment ?"));
            QCOMPARE(question.caption, QStringLiteral("Attention"));
        }
    }

    // A row clicked earlier, then a press elsewhere (another row's menu,
    // opened over the first row, whose item took the double click's first
    // click): the second click is no double click in the first row.
    void aDoubleClickCountsOnlyWithItsOwnFirstClick()
    {
        Fixture fx;
        Form1& f = fx.open();
        f.state().DayModified = false;
        QTest::mouseClick(fx.row(30), Qt::LeftButton);
        QTest::mouseClick(fx.row(20), Qt::LeftButton);
        QTest::mouseDClick(fx.row(30), Qt::LeftButton);
        QCOMPARE(fx.rowText(30), QString());
        QVERIFY(!f.state().DayModified);
    }

    void absenceAndUltrasoundTogglesOnAnyMouseButton()
    {
        Fixture fx;
        Form1& f = fx.open();
        QLineEdit* morning = f.ui().grid->banner(0);
        Fixture::press(f.ui().CmdAbsent1, Qt::RightButton);
        QVERIFY(!morning->isHidden());
        QCOMPARE(morning->text(), QStringLiteral("ABSENT"));
        QVERIFY(f.state().DayModified);

        // A banner edited by the user gives way to "ABSENT" at the next press.
        morning->setText(QStringLiteral("Congrès"));
        Fixture::press(f.ui().CmdAbsent1, Qt::MiddleButton, Qt::ShiftModifier);
        QVERIFY(morning->isHidden());
        QCOMPARE(morning->text(), QStringLiteral("ABSENT"));

        // Neither the access key nor the space bar presses it.
        f.ui().CmdAbsent1->setFocus();
        QTest::keyClick(f.ui().CmdAbsent1, Qt::Key_Space);
        QTest::keyClick(&f, Qt::Key_M, Qt::AltModifier);
        QVERIFY(morning->isHidden());

        // The ultrasound toggles take the current user's annotation.
        QLineEdit* echo = f.ui().TxtEcho1;
        fx.user(2);
        echo->setText(QStringLiteral("autre"));
        Fixture::press(f.ui().CmdEcho1, Qt::RightButton);
        QVERIFY(!echo->isHidden());
        QCOMPARE(echo->text(), QStringLiteral("Écho Lefèvre"));
        QVERIFY(f.state().DayModified);
        Fixture::press(f.ui().CmdEcho1);
        QVERIFY(echo->isHidden());
        // Without a current user the buttons only show or hide.
        f.state().CurrentUser = 0;
        echo->setText(QStringLiteral("Liste libre"));
        Fixture::press(f.ui().CmdEcho1);
        QVERIFY(!echo->isHidden());
        QCOMPARE(echo->text(), QStringLiteral("Liste libre"));
    }

    void typingAnywhereMarksTheDay()
    {
        Fixture fx;
        Form1& f = fx.open();
        const qint32 today = fx.shownSerial();
        Fixture::press(f.ui().CmdAbsent1);
        Fixture::press(f.ui().CmdEcho1);
        fx.save();

        const auto typedMarks = [&](QWidget* box, const QString& text) {
            f.state().DayModified = false;
            box->setFocus();
            QTest::keyClick(box, Qt::Key_End);
            TestInput::typeText(box, text);
            return f.state().DayModified;
        };
        QVERIFY(typedMarks(f.ui().grid->postitBox(), QStringLiteral("Rappeler")));
        QVERIFY(typedMarks(f.ui().Text3, QStringLiteral("Cholécystectomie")));
        QVERIFY(typedMarks(f.ui().grid->banner(0), QStringLiteral(" congrès")));
        QVERIFY(typedMarks(f.ui().TxtEcho1, QStringLiteral(" : 3 patients")));
        QVERIFY(typedMarks(fx.row(50), QStringLiteral("é")));

        // What was typed into the banner and the notes is what the next move saves.
        fx.next();
        const DayRecord saved = *fx.stored(1, today);
        QCOMPARE(saved.flag(SideBox::Absent1).text, std::optional<QString>(QStringLiteral("ABSENT congrès")));
        QCOMPARE(saved.flag(SideBox::Echo1).text, std::optional<QString>(QStringLiteral("Echo Martin : 3 patients")));
        QCOMPARE(saved.postit, QStringLiteral("Rappeler"));
        QCOMPARE(saved.bloc, QStringLiteral("Cholécystectomie"));
    }

    void tickSavesEverythingAtOnce()
    {
        Fixture fx;
        Form1& f = fx.open();
        QSignalSpy saves(&f.shownDay(), &ShownDay::saved);
        const qint32 today = fx.shownSerial();
        fx.type(5, QStringLiteral("Lambert"));
        fx.type(30, QStringLiteral("Rousseau"));
        Fixture::press(f.ui().CmdAbsent2);

        fx.clickTick(5);
        QCOMPARE(saves.count(), 1);
        QVERIFY(!f.state().DayModified);
        const DayRecord saved = *fx.stored(1, today);
        QCOMPARE(SlotTextList::decode(saved.rvous).at(5), QStringLiteral("Lambert"));
        QCOMPARE(SlotTextList::decode(saved.rvous).at(30), QStringLiteral("Rousseau"));
        QVERIFY(saved.flag(SideBox::Absent2).isSet());
        QCOMPARE(SlotTickList::decode(saved.coche)[5], 1);

        // Ticks set by the program (a switch, a move, a reload) never save.
        fx.user(2);
        fx.user(1);
        fx.previous();
        fx.next();
        fx.reloadTick();
        QCOMPARE(f.ui().grid->tickValue(5), 1);
        QCOMPARE(saves.count(), 1);
        // Unticking saves as well.
        fx.clickTick(5);
        QCOMPARE(saves.count(), 2);
        QCOMPARE(SlotTickList::decode(fx.stored(1, today)->coche)[5], 0);
    }

    void tickBoxMenuInvertsEachBox()
    {
        Fixture fx;
        Form1& f = fx.open();
        const qint32 today = fx.shownSerial();
        fx.previous();
        f.ui().Coches->trigger();
        QVERIFY(fx.allTicksShown());
        // The item shows no check mark, whatever the boxes show.
        QVERIFY(!f.ui().Coches->isCheckable());

        // Ticking on another day than today saves that day.
        fx.clickTick(2);
        QCOMPARE(SlotTickList::decode(fx.stored(1, today - 1)->coche)[2], 1);

        f.ui().Coches->trigger();
        QVERIFY(fx.allTicksHidden());
        // Mixed boxes stay mixed, inverted.
        fx.tick(7)->show();
        f.ui().Coches->trigger();
        QVERIFY(fx.tick(7)->isHidden() && !fx.tick(8)->isHidden());

        // The next display of a day goes back to the today rule.
        fx.next();
        QVERIFY(fx.allTicksShown());
    }
};

QTEST_MAIN(TestDayEditing)
#include "tst_dayediting.moc"
