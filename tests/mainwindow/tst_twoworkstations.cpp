// Two workstations with the same day of the same user on screen: each save
// keeps what the other one booked meanwhile, and a row both changed is said.
#include "MainWindowTestFixture.h"

#include "dayrecords/DayMerge.h"
#include "mainwindow/ui/DayEditing.h"

#include <QAction>

using namespace MainWindowTest;

namespace
{
constexpr qint32 Today = 46365; // 9 December 2026

std::unique_ptr<Form1> openSecondWindow()
{
    auto form = std::make_unique<Form1>();
    form->startUp().Form_Load();
    form->show();
    return form;
}

void type(Form1& form, int row, const QString& text)
{
    SlotTextBox* box = form.ui().grid->slotBox(row);
    box->setFocus();
    box->end(false);
    TestInput::typeText(box, text);
}

void save(Form1& form)
{
    form.ui().Enregistrer->trigger();
}
} // namespace

class TestTwoWorkstations : public QObject
{
    Q_OBJECT

private slots:
    void bookingsOfBothAreKept()
    {
        Fixture fx;
        Form1& a = fx.open();
        auto b = openSecondWindow();
        QCOMPARE(fx.shownSerial(), Today);
        QVERIFY(!fx.stored(1, Today)); // a day without a record on both screens

        type(a, 5, QStringLiteral("DUPONT Jean"));
        save(a);
        type(*b, 9, QStringLiteral("LEFÈVRE Anne"));
        save(*b);

        QCOMPARE(fx.rowCount(1), 1);
        const QStringList rows = fx.storedRows(1, Today);
        QCOMPARE(rows.at(5), QStringLiteral("DUPONT Jean"));
        QCOMPARE(rows.at(9), QStringLiteral("LEFÈVRE Anne"));
        // B's screen shows the day as written, A's booking included, unmodified.
        QCOMPARE(b->ui().grid->slotBox(5)->text(), QStringLiteral("DUPONT Jean"));
        QVERIFY(!b->state().DayModified);
        QVERIFY(Dialogs::Test::shown().isEmpty());
    }

    void postitTickAndBannerOfTheOtherAreKept()
    {
        Fixture fx;
        Form1& a = fx.open();
        auto b = openSecondWindow();

        QPlainTextEdit* postit = a.ui().grid->postitBox();
        postit->setFocus();
        TestInput::typeText(postit, QStringLiteral("Labo à rappeler"));
        Fixture::press(a.ui().CmdAbsent2, Qt::RightButton);
        save(a);

        // B ticks a row: the tick saves at once, from B's older screen.
        QTest::mouseClick(b->ui().grid->tickBox(3), Qt::LeftButton);
        const auto stored = fx.stored(1, Today);
        QVERIFY(stored);
        QCOMPARE(stored->postit, QStringLiteral("Labo à rappeler"));
        QVERIFY(stored->flag(SideBox::Absent2).isSet());
        QCOMPARE(SlotTickList::decode(stored->coche)[3], 1);
        QCOMPARE(b->ui().grid->postitBox()->toPlainText(), QStringLiteral("Labo à rappeler"));
        QVERIFY(!b->ui().grid->banner(1)->isHidden());

        // A, still showing the tick unticked, saves again: B's tick stays.
        type(a, 12, QStringLiteral("MOREAU"));
        save(a);
        QCOMPARE(SlotTickList::decode(fx.stored(1, Today)->coche)[3], 1);
        QCOMPARE(a.ui().grid->tickValue(3), 1);
    }

    void rowChangedOnBothSidesIsSaid()
    {
        Fixture fx;
        fx.storeDay(1, Today, {{5, QStringLiteral("LIBRE")}});
        Form1& a = fx.open();
        auto b = openSecondWindow();

        a.ui().grid->slotBox(5)->clear();
        type(a, 5, QStringLiteral("DURAND"));
        save(a);
        b->ui().grid->slotBox(5)->clear();
        type(*b, 5, QStringLiteral("MARTIN"));
        save(*b);

        QCOMPARE(fx.storedRows(1, Today).at(5), QStringLiteral("MARTIN"));
        const QList<Dialogs::Shown> shown = Dialogs::Test::shown();
        QCOMPARE(shown.size(), 1);
        QVERIFY(shown.at(0).text.contains(QStringLiteral("09h15 : « DURAND » sur l'autre poste")));
        QVERIFY(shown.at(0).text.contains(QStringLiteral("« MARTIN »")));
        QCOMPARE(shown.at(0).caption, QStringLiteral("KORDELA"));
    }

    void notesStoredWithWindowsLineEndsAreNotTakenForEdits()
    {
        Fixture fx;
        {
            DayScreen screen;
            screen.setShownDayCaption(QString::number(Today));
            screen.setBloc(QStringLiteral("8h cholécystectomie\r\n10h hernie"));
            const auto db = DbConnection::open(fx.dbPath);
            QVERIFY(DayStore::save(**db, 1, DayLoader::FillDayRecord(screen)).ok());
        }
        Form1& a = fx.open();
        auto b = openSecondWindow();

        QPlainTextEdit* bloc = b->ui().Text3;
        bloc->setFocus();
        bloc->moveCursor(QTextCursor::End);
        TestInput::typeText(bloc, QStringLiteral(" + 11h genou"));
        save(*b);
        type(a, 7, QStringLiteral("LEROY"));
        save(a);

        const auto stored = fx.stored(1, Today);
        QCOMPARE(stored->bloc, QStringLiteral("8h cholécystectomie\r\n10h hernie + 11h genou"));
        QCOMPARE(SlotTextList::decode(stored->rvous).at(7), QStringLiteral("LEROY"));
        QVERIFY(Dialogs::Test::shown().isEmpty());
    }

    void moveSavesWithoutLosingTheOthersBooking()
    {
        Fixture fx;
        Form1& a = fx.open();
        auto b = openSecondWindow();
        type(a, 20, QStringLiteral("PETIT"));
        save(a);
        type(*b, 21, QStringLiteral("GRAND"));
        Fixture::press(b->ui().CmdSuiv); // the move saves the modified day first
        const QStringList rows = fx.storedRows(1, Today);
        QCOMPARE(rows.at(20), QStringLiteral("PETIT"));
        QCOMPARE(rows.at(21), QStringLiteral("GRAND"));
        QCOMPARE(b->ui().Label2->text(), QString::number(Today + 1));
    }
};

QTEST_MAIN(TestTwoWorkstations)
#include "tst_twoworkstations.moc"
