// The search window: its opening, the search, its closing, and the opening
// of a found day in the main window.

#include "mainwindow/MainWindowTestFixture.h"

#include "search/ui/FrmRech.h"
#include "search/ui/SearchCommand.h"

#include <QListWidget>
#include <QToolButton>

using MainWindowTest::Fixture;

namespace
{
const QDate Today(2007, 3, 7);
constexpr qint32 TodaySerial = 39148;
constexpr qint32 Found = TodaySerial - 10; // 25 February 2007

SearchCommand& command(Fixture& fx)
{
    return *fx.form->findChild<SearchCommand*>();
}

FrmRech& openSearch(Fixture& fx)
{
    fx.form->ui().Rechercher->trigger();
    FrmRech* window = command(fx).window();
    if (window == nullptr) {
        qFatal("the search window did not open");
    }
    return *window;
}

QStringList items(const FrmRech& w)
{
    QStringList texts;
    for (int i = 0; i < w.List1->count(); ++i) {
        texts << w.List1->item(i)->text();
    }
    return texts;
}

void search(FrmRech& w, const QString& text)
{
    w.TxtNom->setText(text);
    QTest::mouseClick(w.Command1, Qt::LeftButton);
}

// A double click on list item `index`, as the user gives it.
void doubleClick(FrmRech& w, int index)
{
    const QRect place = w.List1->visualItemRect(w.List1->item(index));
    QTest::mouseClick(w.List1->viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
    QTest::mouseDClick(w.List1->viewport(), Qt::LeftButton, Qt::NoModifier, place.center());
}

// Pixels of the box drawn in the selection's colour.
int highlightedPixels(SlotTextBox* box)
{
    const QColor highlight = box->palette().color(QPalette::Active, QPalette::Highlight);
    const QImage image = box->grab().toImage();
    int count = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            count += image.pixelColor(x, y) == highlight ? 1 : 0;
        }
    }
    return count;
}
} // namespace

class TestFrmRech : public QObject
{
    Q_OBJECT

private slots:
    void opensOnTheCurrentUserWithTheDefaultRange()
    {
        Fixture fx(Today);
        fx.open();
        FrmRech& w = openSearch(fx);
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QCOMPARE(w.TxtDate1->text(), QStringLiteral("05/02/2007"));
        QCOMPARE(w.TxtDate2->text(), QStringLiteral("06/05/2007"));
        QCOMPARE(w.focusWidget(), w.TxtNom);
        QCOMPARE(w.windowTitle(), QStringLiteral("Recherche chez Dr Martin"));
        QCOMPARE(w.TxtRV->text(), QStringLiteral("RVOUS1"));
        QVERIFY(w.TxtRV->isHidden() && w.LblNbr->isHidden());

        // The menu item again only brings the window forward as it stands.
        TestInput::typeText(w.TxtNom, QStringLiteral("Lefèvre"));
        w.TxtDate1->setText(QStringLiteral("01/01/2007"));
        fx.form->ui().Rechercher->trigger();
        QCOMPARE(command(fx).window(), &w);
        QCOMPARE(w.TxtNom->text(), QStringLiteral("Lefèvre"));
        QCOMPARE(w.TxtDate1->text(), QStringLiteral("01/01/2007"));
    }

    void searchListsTheMatchingDaysOfTheRange()
    {
        Fixture fx(Today);
        fx.storeDay(1, TodaySerial + 60, {{3, QStringLiteral("M. DUPONT")}});
        fx.storeDay(1, TodaySerial - 30, {{50, QStringLiteral("Mme L'Hôte, dupont")}});
        fx.storeDay(1, TodaySerial, {{0, QStringLiteral("Martin")}}, QStringLiteral("Dupont au post-it"));
        fx.storeDay(1, TodaySerial + 61, {{3, QStringLiteral("Dupont")}});
        fx.storeDay(2, TodaySerial, {{3, QStringLiteral("Dupont")}});
        fx.open();
        FrmRech& w = openSearch(fx);

        search(w, QStringLiteral("dupont"));
        QCOMPARE(items(w), (QStringList{QStringLiteral("05/02/2007"), QStringLiteral("06/05/2007")}));
        QCOMPARE(w.LblNbr->text(), QStringLiteral("2"));
        QVERIFY(Fixture::messages().isEmpty());

        search(w, QStringLiteral("L'Hôte"));
        QCOMPARE(items(w), QStringList{QStringLiteral("05/02/2007")});
        search(w, QString());
        QCOMPARE(w.LblNbr->text(), QStringLiteral("3"));

        // A date that is no date: the message, and the last result stays.
        w.TxtDate2->setText(QStringLiteral("32/05/2007"));
        search(w, QStringLiteral("Martin"));
        QCOMPARE(Fixture::messages(), QStringList{FrmRech::badDateMessage()});
        QCOMPARE(w.LblNbr->text(), QStringLiteral("3"));
        QCOMPARE(w.List1->count(), 3);
    }

    void aDatabaseThatCannotBeReadIsSaidAndTheListEmptied()
    {
        Fixture fx(Today);
        fx.storeDay(1, TodaySerial, {{3, QStringLiteral("Dupont")}});
        fx.open();
        FrmRech& w = openSearch(fx);
        search(w, QStringLiteral("Dupont"));
        QCOMPARE(w.List1->count(), 1);

        fx.loseDatabase();
        search(w, QStringLiteral("Dupont"));
        const QStringList shown = Fixture::messages();
        QCOMPARE(shown.size(), 1);
        QVERIFY2(shown.constFirst().startsWith(FrmRech::searchFailedMessage(QString())), qPrintable(shown.constFirst()));
        QVERIFY(shown.constFirst().contains(QStringLiteral("introuvable")));
        QCOMPARE(w.List1->count(), 0);
        QCOMPARE(w.LblNbr->text(), QStringLiteral("0"));

        fx.findDatabaseAgain();
        search(w, QStringLiteral("Dupont"));
        QCOMPARE(w.List1->count(), 1);
    }

    void withoutADatabaseNothingIsSearched()
    {
        Fixture fx(Today);
        fx.configure();
        fx.env.setRegistry(QStringLiteral("CHEMIN"), fx.env.dataFolder()); // no AGENDAS.MDB: the start-up stops
        fx.load();
        QVERIFY(!fx.state().hasUser());
        Dialogs::Test::clear();
        FrmRech& w = openSearch(fx);
        QCOMPARE(w.windowTitle(), QStringLiteral("Recherche"));
        search(w, QStringLiteral("Dupont"));
        QCOMPARE(Fixture::messages(), QStringList{FrmRech::noDatabaseMessage()});
        QCOMPARE(w.List1->count(), 0);
    }

    void aUserButtonClosesTheWindowAndTheNextOneIsFresh()
    {
        Fixture fx(Today);
        fx.storeDay(1, TodaySerial, {{3, QStringLiteral("Dupont")}});
        fx.open();
        FrmRech* w = &openSearch(fx);
        search(*w, QStringLiteral("Dupont"));
        w->TxtDate1->setText(QStringLiteral("01/01/2000"));

        fx.user(2);
        QVERIFY(command(fx).window() == nullptr);
        fx.form->ui().Rechercher->trigger();
        flushDeletes();
        QCOMPARE(fx.form->findChildren<FrmRech*>().size(), 1);
        w = command(fx).window();
        QCOMPARE(w->TxtDate1->text(), QStringLiteral("05/02/2007"));
        QCOMPARE(w->List1->count(), 0);
        QCOMPARE(w->TxtRV->text(), QStringLiteral("RVOUS2"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Recherche chez Dr Lefèvre"));

        // "Quitter", and the end of the program, close it too.
        QTest::mouseClick(w->Command2, Qt::LeftButton);
        QVERIFY(command(fx).window() == nullptr);
        openSearch(fx);
        emit fx.form->shownDay().ending();
        QVERIFY(command(fx).window() == nullptr);
    }

    void aFoundDayOpensWithTheTextSelected()
    {
        Fixture fx(Today);
        fx.storeDay(1, Found,
                    {{3, QStringLiteral("M. DUPONT")},
                     {5, QStringLiteral("Dupont et Dupont")},
                     {7, QStringLiteral("Martin")},
                     {8, QStringLiteral("Dupxnt")}});
        fx.storeDay(1, TodaySerial, {{0, QStringLiteral("Aujourd'hui")}});
        Form1& f = fx.open();
        QVERIFY(fx.allTicksShown());
        fx.type(1, QStringLiteral("tapé"));
        FrmRech& w = openSearch(fx);
        search(w, QStringLiteral("dupont"));
        QCOMPARE(items(w), QStringList{QStringLiteral("25/02/2007")});

        // The text as it stands at the double click is the one selected.
        TestInput::typeText(w.TxtNom, QStringLiteral(" "));
        doubleClick(w, 0);
        QVERIFY(command(fx).window() == nullptr);
        QVERIFY(QTest::qWaitForWindowActive(&f));
        // The day shown before kept its typing; the found day is shown.
        QCOMPARE(fx.storedRows(1, TodaySerial).at(1), QStringLiteral("tapé"));
        QCOMPARE(fx.shownSerial(), Found);
        QCOMPARE(f.ui().LblDate->text(), QStringLiteral("dimanche 25 février 2007"));
        QCOMPARE(fx.rowText(7), QStringLiteral("Martin"));
        QVERIFY(!fx.state().DayModified);
        QVERIFY(fx.allTicksShown());
        // "dupont " is in row 5 only.
        QCOMPARE(fx.row(5)->selectedText(), QStringLiteral("Dupont "));
        QCOMPARE(fx.row(5)->selectionStart(), 0);
        QVERIFY(!fx.row(3)->hasSelectedText());
        QVERIFY(highlightedPixels(fx.row(5)) > 20);
        QCOMPARE(highlightedPixels(fx.row(3)), 0);

        // Another search: the new text, at its first place, in any case.
        FrmRech& again = openSearch(fx);
        search(again, QStringLiteral("Dup?nt"));
        QCOMPARE(again.List1->count(), 1);
        again.TxtNom->setText(QStringLiteral("dupont"));
        doubleClick(again, 0);
        QCOMPARE(fx.row(3)->selectedText(), QStringLiteral("DUPONT"));
        QCOMPARE(fx.row(5)->selectionStart(), 0);
        QCOMPARE(fx.row(5)->selectedText(), QStringLiteral("Dupont"));
        QVERIFY(!fx.row(7)->hasSelectedText() && !fx.row(8)->hasSelectedText());

        // Pattern characters are sought as they stand; an empty text selects nothing.
        for (const QString& text : {QStringLiteral("Dup?nt"), QString()}) {
            FrmRech& next = openSearch(fx);
            search(next, text);
            doubleClick(next, 0);
            for (int r = 0; r < DayGridShape::SlotCount; ++r) {
                QVERIFY(!fx.row(r)->hasSelectedText());
            }
        }

        // "x" goes back to the day the main window showed itself.
        QTest::mouseClick(f.ui().Command1, Qt::LeftButton);
        QCOMPARE(fx.shownSerial(), TodaySerial);
        QCOMPARE(fx.rowText(1), QStringLiteral("tapé"));
    }

    void aVanishedDayOpensEmptyUnderItsOwnDate()
    {
        Fixture fx(Today);
        fx.storeDay(1, Found, {{3, QStringLiteral("Dupont")}});
        fx.storeDay(1, TodaySerial, {{0, QStringLiteral("Aujourd'hui")}});
        fx.open();
        FrmRech& w = openSearch(fx);
        search(w, QStringLiteral("Dupont"));
        // The reload after a search still shows the main window's day.
        fx.reloadTick();
        QCOMPARE(fx.shownSerial(), TodaySerial);
        QCOMPARE(fx.rowText(0), QStringLiteral("Aujourd'hui"));
        {
            const auto db = DbConnection::open(fx.dbPath);
            QSqlQuery query((*db)->database());
            QVERIFY(query.exec(QStringLiteral("DELETE FROM RVOUS1 WHERE AGENDATE = %1").arg(Found)));
        }
        // No date selected: nothing happens.
        w.List1->clearSelection();
        w.List1_DblClick();
        QVERIFY(command(fx).window() != nullptr);
        QCOMPARE(fx.shownSerial(), TodaySerial);

        doubleClick(w, 0);
        QVERIFY(Fixture::messages().isEmpty());
        QCOMPARE(fx.shownSerial(), Found);
        for (int r = 0; r < DayGridShape::SlotCount; ++r) {
            QCOMPARE(fx.rowText(r), QString());
        }
    }

    void aFailedSaveKeepsTheTypingAndTheSearchWindow()
    {
        Fixture fx(Today);
        fx.storeDay(1, Found, {{3, QStringLiteral("Dupont")}});
        fx.open();
        fx.type(2, QStringLiteral("à garder"));
        FrmRech& w = openSearch(fx);
        search(w, QStringLiteral("Dupont"));

        fx.loseDatabase();
        doubleClick(w, 0);
        QCOMPARE(Fixture::messages().size(), 1);
        QVERIFY(Fixture::messages().constFirst().startsWith(QStringLiteral("Le jour affiché n'a pas pu être enregistré.")));
        QCOMPARE(command(fx).window(), &w);
        QCOMPARE(w.List1->count(), 1);
        QCOMPARE(fx.shownSerial(), TodaySerial);
        QCOMPARE(fx.rowText(2), QStringLiteral("à garder"));
        QVERIFY(fx.state().DayModified);
    }

};

QTEST_MAIN(TestFrmRech)
#include "tst_frmrech.moc"
