// A secretary's morning at the practice: three doctors' agendas filled across
// several days, then the program is closed. The database must then hold what
// was typed, day by day and user by user, and nothing else.

#include "mainwindow/MainWindowTestFixture.h"

#include "mainwindow/ui/DayEditing.h"

#include <QAction>

using MainWindowTest::Fixture;

namespace
{
struct ExpectedDay
{
    QMap<int, QString> rows;
    QString postit;
    QMap<int, int> ticks;
    bool morningAbsent = false;
    bool afternoonAbsent = false;
    std::optional<QString> morningEcho;
};
} // namespace

class TestMorning : public QObject
{
    Q_OBJECT

private slots:
    void aSecretarysMorning();

private:
    static void checkDay(const Fixture& fx, int user, qint32 serial, const ExpectedDay& expected);
};

void TestMorning::checkDay(const Fixture& fx, int user, qint32 serial, const ExpectedDay& expected)
{
    const std::optional<DayRecord> record = fx.stored(user, serial);
    QVERIFY2(record.has_value(), qPrintable(QStringLiteral("no record for user %1, day %2").arg(user).arg(serial)));
    const QStringList rows = SlotTextList::split(record->rvous);
    QCOMPARE(rows.size(), DayGridShape::SlotCount);
    const auto ticks = SlotTickList::decode(record->coche);
    for (int r = 0; r < DayGridShape::SlotCount; ++r) {
        QCOMPARE(rows.at(r), expected.rows.value(r));
        QCOMPARE(ticks[static_cast<std::size_t>(r)], expected.ticks.value(r));
    }
    QCOMPARE(record->postit, expected.postit);
    QCOMPARE(record->bloc, QString());
    QCOMPARE(record->flag(SideBox::Absent1).isSet(), expected.morningAbsent);
    QCOMPARE(record->flag(SideBox::Absent2).isSet(), expected.afternoonAbsent);
    if (expected.afternoonAbsent) {
        QCOMPARE(record->flag(SideBox::Absent2).text, std::optional<QString>(QStringLiteral("ABSENT")));
    }
    QCOMPARE(record->flag(SideBox::Echo1).isSet(), expected.morningEcho.has_value());
    if (expected.morningEcho) {
        QCOMPARE(record->flag(SideBox::Echo1).text, expected.morningEcho);
    }
    QVERIFY(!record->flag(SideBox::Echo2).isSet());
}

void TestMorning::aSecretarysMorning()
{
    Fixture fx(QDate(2026, 12, 9)); // a Wednesday
    Form1& f = fx.open();
    const qint32 today = fx.shownSerial();
    const QDate monday(2026, 12, 14);

    // Dr Martin's day: two appointments and a note.
    fx.type(0, QStringLiteral("Mme Hélène Dupré"));
    fx.type(4, QStringLiteral("M. Jean-Noël Lefèvre"));
    f.ui().grid->postitBox()->setFocus();
    TestInput::typeText(f.ui().grid->postitBox(), QStringLiteral("Rappeler la pharmacie"));

    // Dr Lefèvre is away this afternoon; one patient was booked before.
    fx.user(2);
    QCOMPARE(f.windowTitle(), QStringLiteral("Dr Lefèvre"));
    QCOMPARE(fx.rowText(0), QString());
    fx.type(24, QStringLiteral("Françoise Müller"));
    Fixture::press(f.ui().CmdAbsent2, Qt::RightButton);

    // Tomorrow for Dr Lefèvre: a patient and a blocked slot.
    fx.next();
    QCOMPARE(fx.shownSerial(), today + 1);
    fx.type(2, QStringLiteral("Zoé Garçon"));
    QTest::mouseClick(fx.row(3), Qt::LeftButton);
    QTest::mouseDClick(fx.row(3), Qt::LeftButton);

    // The ultrasound room tomorrow.
    fx.user(3);
    QCOMPARE(fx.shownSerial(), today + 1);
    Fixture::press(f.ui().CmdEcho1);
    fx.type(1, QStringLiteral("Échographie abdominale – Benoît"));
    // The minute's reload comes while she types: nothing is lost.
    fx.reloadTick();
    QCOMPARE(fx.rowText(1), QStringLiteral("Échographie abdominale – Benoît"));

    // Dr Martin tomorrow, then back to today.
    fx.user(1);
    QCOMPARE(fx.rowText(1), QString());
    fx.type(10, QStringLiteral("Bérénice Çelik"));
    fx.previous();
    QCOMPARE(fx.rowText(0), QStringLiteral("Mme Hélène Dupré"));
    QCOMPARE(fx.rowText(4), QStringLiteral("M. Jean-Noël Lefèvre"));
    QVERIFY(fx.allTicksShown());

    // M. Lefèvre cancels; Mme Dupré arrives and is ticked.
    Dialogs::Test::setNextAnswer(Dialogs::Answer::Yes);
    QTest::mouseClick(fx.row(4), Qt::LeftButton);
    QTest::mouseDClick(fx.row(4), Qt::LeftButton);
    QCOMPARE(fx.rowText(4), QString());
    QTest::mouseClick(fx.tick(0), Qt::LeftButton, Qt::NoModifier, fx.tick(0)->rect().center());
    QVERIFY(!f.state().DayModified);
    fx.reloadTick();
    QCOMPARE(fx.rowText(0), QStringLiteral("Mme Hélène Dupré"));

    // Next Monday from the calendar, one more appointment, and she quits.
    f.ui().MonthView1->setSelectedDate(monday);
    emit f.ui().MonthView1->clicked(monday);
    QCOMPARE(fx.shownSerial(), Dates::daySerial(monday));
    fx.type(5, QStringLiteral("Œdipe Fauré"));
    f.ui().Quitte->trigger();
    QVERIFY(!f.isVisible());
    QVERIFY(Dialogs::Test::shownTexts() == QStringList{QStringLiteral("Effacer vraiment ?")});

    // What the database holds, user by user.
    QCOMPARE(fx.rowCount(1), 3);
    QCOMPARE(fx.rowCount(2), 2);
    QCOMPARE(fx.rowCount(3), 1);
    for (int user = 4; user <= 6; ++user) {
        QCOMPARE(fx.rowCount(user), 0);
    }

    ExpectedDay martinToday;
    martinToday.rows = {{0, QStringLiteral("Mme Hélène Dupré")}};
    martinToday.postit = QStringLiteral("Rappeler la pharmacie");
    martinToday.ticks = {{0, 1}};
    checkDay(fx, 1, today, martinToday);

    ExpectedDay martinTomorrow;
    martinTomorrow.rows = {{10, QStringLiteral("Bérénice Çelik")}};
    checkDay(fx, 1, today + 1, martinTomorrow);

    ExpectedDay martinMonday;
    martinMonday.rows = {{5, QStringLiteral("Œdipe Fauré")}};
    checkDay(fx, 1, Dates::daySerial(monday), martinMonday);

    ExpectedDay lefevreToday;
    lefevreToday.rows = {{24, QStringLiteral("Françoise Müller")}};
    lefevreToday.afternoonAbsent = true;
    checkDay(fx, 2, today, lefevreToday);

    ExpectedDay lefevreTomorrow;
    lefevreTomorrow.rows = {{2, QStringLiteral("Zoé Garçon")}, {3, DayEditing::noAppointmentMarker()}};
    checkDay(fx, 2, today + 1, lefevreTomorrow);

    ExpectedDay echoTomorrow;
    echoTomorrow.rows = {{1, QStringLiteral("Échographie abdominale – Benoît")}};
    echoTomorrow.morningEcho = QStringLiteral("Echo 3");
    checkDay(fx, 3, today + 1, echoTomorrow);
}

QTEST_MAIN(TestMorning)
#include "tst_morning.moc"
