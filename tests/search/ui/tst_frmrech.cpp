// The search window: its opening, the search, its closing, and the opening
// of a found day in the main window.

#include "mainwindow/MainWindowTestFixture.h"

#include "dayrecords/Module1.h"
#include "mainwindow/SharedTexts.h"
#include "mainwindow/ui/DayEditing.h"
#include "search/ui/FrmRech.h"
#include "search/ui/SearchCommand.h"

#include <QAbstractButton>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenuBar>
#include <QPointer>
#include <QToolButton>

using MainWindowTest::Fixture;

namespace
{
const QDate Today(2007, 3, 7);
constexpr qint32 TodaySerial = 39148;
constexpr qint32 Found = TodaySerial - 2; // Monday 5 March 2007

// The window's controls, found by their names as a user's report names them.
template <class Control>
Control* part(const FrmRech& w, const char* name)
{
    auto* control = w.findChild<Control*>(QLatin1String(name));
    if (control == nullptr) {
        qFatal("the search window has no %s", name);
    }
    return control;
}
QLineEdit* TxtDate1(const FrmRech& w) { return part<QLineEdit>(w, "TxtDate1"); }
QLineEdit* TxtDate2(const FrmRech& w) { return part<QLineEdit>(w, "TxtDate2"); }
QLineEdit* TxtNom(const FrmRech& w) { return part<QLineEdit>(w, "TxtNom"); }
QLineEdit* TxtRV(const FrmRech& w) { return part<QLineEdit>(w, "TxtRV"); }
QLabel* LblNbr(const FrmRech& w) { return part<QLabel>(w, "LblNbr"); }
QListWidget* List1(const FrmRech& w) { return part<QListWidget>(w, "List1"); }
QToolButton* Command1(const FrmRech& w) { return part<QToolButton>(w, "Command1"); }
QToolButton* Command2(const FrmRech& w) { return part<QToolButton>(w, "Command2"); }

FrmRech* shown(Fixture& fx)
{
    return fx.form->findChild<SearchCommand*>()->window();
}

FrmRech& openSearch(Fixture& fx)
{
    fx.form->ui().Rechercher->trigger();
    if (shown(fx) == nullptr) {
        qFatal("the search window did not open");
    }
    return *shown(fx);
}

QStringList items(const FrmRech& w)
{
    QStringList texts;
    for (int i = 0; i < List1(w)->count(); ++i) {
        texts << List1(w)->item(i)->text();
    }
    return texts;
}

void search(FrmRech& w, const QString& text)
{
    TxtNom(w)->setText(text);
    QTest::mouseClick(Command1(w), Qt::LeftButton);
}

// The main window on today's page, which holds "Aujourd'hui", and the search
// window open on a search of `text` that finds the day of `found` rows.
FrmRech& searchFound(Fixture& fx, const QMap<int, QString>& found, const QString& text)
{
    fx.storeDay(1, Found, found);
    fx.storeDay(1, TodaySerial, {{0, QStringLiteral("Aujourd'hui")}});
    fx.open();
    FrmRech& w = openSearch(fx);
    search(w, text);
    return w;
}

// A double click on list item `index`, as the user gives it.
void doubleClick(FrmRech& w, int index, Qt::MouseButton button = Qt::LeftButton)
{
    const QRect place = List1(w)->visualItemRect(List1(w)->item(index));
    QTest::mouseClick(List1(w)->viewport(), button, Qt::NoModifier, place.center());
    QTest::mouseDClick(List1(w)->viewport(), button, Qt::NoModifier, place.center());
}

// Pixels of the box drawn in the selection's colour.
qsizetype highlightedPixels(SlotTextBox* box)
{
    const QImage image = box->grab().toImage().convertToFormat(QImage::Format_RGB32);
    const auto* pixels = reinterpret_cast<const QRgb*>(image.constBits());
    return std::count(pixels, pixels + image.sizeInBytes() / 4, box->palette().color(QPalette::Highlight).rgb());
}
} // namespace

class TestFrmRech : public QObject
{
    Q_OBJECT

private slots:
    void opensFreshOnTheCurrentUserAndOnlyOnce()
    {
        Fixture fx(Today);
        fx.storeDay(1, Found, {{3, QStringLiteral("Lefèvre")}});
        fx.open();
        FrmRech* w = &openSearch(fx);
        QVERIFY(w->parent() == nullptr);
        QVERIFY(QTest::qWaitForWindowActive(w));
        QCOMPARE(TxtDate1(*w)->text(), QStringLiteral("05/02/2007"));
        QCOMPARE(TxtDate2(*w)->text(), QStringLiteral("06/05/2007"));
        QCOMPARE(w->focusWidget(), TxtNom(*w));
        QCOMPARE(w->windowTitle(), QStringLiteral("Recherche chez Dr Martin"));
        QCOMPARE(TxtRV(*w)->text(), QStringLiteral("RVOUS1"));

        // The menu item again only brings the window forward as it stands.
        TestInput::typeText(TxtNom(*w), QStringLiteral("Lefèvre"));
        QTest::mouseClick(Command1(*w), Qt::LeftButton);
        TxtDate1(*w)->setText(QStringLiteral("01/01/2000"));
        fx.form->ui().Rechercher->trigger();
        QCOMPARE(shown(fx), w);
        QCOMPARE(TxtNom(*w)->text(), QStringLiteral("Lefèvre"));
        QCOMPARE(List1(*w)->count(), 1);

        // A switch that is refused, its save failing, leaves it open.
        fx.type(4, QStringLiteral("Rappel"));
        fx.loseDatabase();
        fx.user(2);
        QCOMPARE(fx.state().CurrentUser, 1);
        QCOMPARE(shown(fx), w);
        fx.findDatabaseAgain();

        // A user button closes it; the next one is fresh, on the new user.
        fx.user(2);
        QVERIFY(shown(fx) == nullptr);
        w = &openSearch(fx);
        QCOMPARE(TxtDate1(*w)->text(), QStringLiteral("05/02/2007"));
        QCOMPARE(List1(*w)->count(), 0);
        QCOMPARE(TxtRV(*w)->text(), QStringLiteral("RVOUS2"));
        QCOMPARE(w->windowTitle(), QStringLiteral("Recherche chez Dr Lefèvre"));

        // "Quitter", and the end of the program, close it too.
        QTest::mouseClick(Command2(*w), Qt::LeftButton);
        QVERIFY(shown(fx) == nullptr);
        openSearch(fx);
        emit fx.form->shownDay().ending();
        QVERIFY(shown(fx) == nullptr);

        // It goes with the main window.
        const QPointer<FrmRech> kept(&openSearch(fx));
        fx.form.reset();
        QVERIFY(!kept);
    }

    // The window's fixed texts, which are bold, and the keyboard order, which
    // opens with the caret in the search text.
    void layout_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QString>("text");
        QTest::addColumn<bool>("bold");

        QTest::newRow("Label1") << "Label1" << "Entre le" << true;
        QTest::newRow("Label2") << "Label2" << "et le " << true;
        QTest::newRow("Label3") << "Label3" << "Nom à rechercher" << true;
        QTest::newRow("Label4") << "Label4" << "Double clic sur la date trouvée pour retrouver le rendez vous" << false;
        QTest::newRow("Command1") << "Command1" << "Recherche" << true;
        QTest::newRow("Command2") << "Command2" << "Quitter" << true;
    }

    void layout()
    {
        QFETCH(QString, name);
        QFETCH(QString, text);
        QFETCH(bool, bold);
        Fixture fx(Today);
        fx.open();
        FrmRech& w = openSearch(fx);
        auto* control = w.findChild<QWidget*>(name);
        QVERIFY(control && control->isVisible());
        const auto* caption = qobject_cast<QLabel*>(control);
        QCOMPARE(caption ? caption->text() : qobject_cast<QAbstractButton*>(control)->text(), text);
        QCOMPARE(control->font().bold(), bold);

        QStringList order = {TxtNom(w)->objectName()};
        for (QWidget* next = TxtNom(w)->nextInFocusChain(); next != TxtNom(w); next = next->nextInFocusChain()) {
            if (next->parentWidget() == &w && next->isVisible() && (next->focusPolicy() & Qt::TabFocus)) {
                order << next->objectName();
            }
        }
        QCOMPARE(order.join(QLatin1Char(' ')), QStringLiteral("TxtNom TxtDate1 TxtDate2 Command1 Command2 List1"));
    }

    void searchListsTheMatchingDaysOfTheRange()
    {
        Fixture fx(Today);
        fx.storeDay(1, TodaySerial + 60, {{3, QStringLiteral("M. DUPONT")}});
        fx.storeDay(1, TodaySerial - 30, {{50, QStringLiteral("Mme L'Hôte, dupont [tél]")}});
        fx.storeDay(1, TodaySerial, {{0, QStringLiteral("Martin")}}, QStringLiteral("Dupont au post-it"));
        fx.storeDay(1, TodaySerial - 31, {{3, QStringLiteral("Dupont")}});
        fx.storeDay(1, TodaySerial + 61, {{3, QStringLiteral("Dupont")}});
        fx.storeDay(2, TodaySerial, {{3, QStringLiteral("Dupont")}});
        fx.open();
        FrmRech& w = openSearch(fx);
        const Module1::State before = Module1::state();

        const QString first = QStringLiteral("05/02/2007");
        const QString last = QStringLiteral("06/05/2007");
        const QList<std::pair<QString, QStringList>> cases = {
            {QStringLiteral("dupont"), {first, last}},
            {QStringLiteral("L'Hôte"), {first}},
            {QStringLiteral("Dupont ["), {first}},
            {QStringLiteral("L'Hôte "), {}},
            {QStringLiteral(" Mme"), {}},
            {QStringLiteral("') OR 1=1; DROP TABLE RVOUS1; --"), {}},
            {QString(), {first, QStringLiteral("07/03/2007"), last}},
        };
        for (const auto& [text, expected] : cases) {
            search(w, text);
            QCOMPARE(items(w), expected);
            QCOMPARE(LblNbr(w)->text(), QString::number(expected.size()));
        }
        QVERIFY(Fixture::messages().isEmpty());
        // The main window's database state is as it was.
        const Module1::State& after = Module1::state();
        QVERIFY(after.DB && after.DB == before.DB);
        QCOMPARE(after.SQL, before.SQL);
        QCOMPARE(after.RS.kind, before.RS.kind);
        QCOMPARE(after.RS.user, before.RS.user);
        QCOMPARE(after.RS.noMatch, before.RS.noMatch);
        QVERIFY(before.RS.current.has_value() && after.RS.current.has_value());
        QCOMPARE(after.RS.current->rvous, before.RS.current->rvous);

        // A date that is no date: the message, and the last result stays.
        TxtDate2(w)->setText(QStringLiteral("01/03/-5"));
        search(w, QStringLiteral("Martin"));
        QCOMPARE(Fixture::messages(),
                 QStringList{QStringLiteral("La Date est saisie selon un mode incorrect. Veuillez corriger.")});
        QCOMPARE(List1(w)->count(), 3);
        QCOMPARE(LblNbr(w)->text(), QStringLiteral("3"));
    }

    void aShortSettingsFileIsNamedWithItsFolder()
    {
        Fixture fx(Today);
        fx.open();
        // Two names and a colour: the record stops before user 1's slot code.
        fx.writeUsersBytes("\"Dr Court\",\"Dr Bref\",\"\",\"\",\"\",\"\",16777215\r\n");
        FrmRech& w = openSearch(fx);
        QCOMPARE(Fixture::messages(), QStringList{QStringLiteral("Fichier %1/Utilisat.vlk non valide (trop ou pas assez "
                                                                 "de paramètres).").arg(fx.usersFolder())});
        QCOMPARE(w.windowTitle(), QStringLiteral("Recherche chez Dr Court"));
    }

    void withoutADatabaseNothingIsSearched()
    {
        Fixture fx(Today);
        fx.configure();
        fx.env.setRegistry(QStringLiteral("CHEMIN"), fx.env.dataFolder()); // no AGENDAS.MDB: the start-up stops
        fx.load();
        Dialogs::Test::clear();
        FrmRech& w = openSearch(fx);
        QCOMPARE(w.windowTitle(), QStringLiteral("Recherche"));
        search(w, QStringLiteral("Dupont"));
        QCOMPARE(Fixture::messages(), QStringList{SharedTexts::noDatabaseOpen()});
    }

    // What the slot boxes select once a found day is open: "row:start:text"
    // for each box with a selection, joined by "|".
    void aFoundDayOpensWithTheTextSelected_data()
    {
        QTest::addColumn<QString>("searched");
        QTest::addColumn<QString>("atDoubleClick");
        QTest::addColumn<QString>("selected");

        QTest::newRow("as searched") << "dupont" << "dupont" << "2:0:DUPONT|30:6:Dupont";
        QTest::newRow("edited after the search") << "dupont" << "jean" << "2:7:Jean";
        QTest::newRow("pattern characters are plain") << "Dup?nt" << "Dup?nt" << "";
        QTest::newRow("empty text") << "" << "" << "";
    }

    void aFoundDayOpensWithTheTextSelected()
    {
        QFETCH(QString, searched);
        QFETCH(QString, atDoubleClick);
        QFETCH(QString, selected);
        Fixture fx(Today);
        // Rows 2 and 30 are 08h30 and 15h30 for user 1's 15-minute slots.
        FrmRech& w = searchFound(fx, {{2, QStringLiteral("DUPONT Jean")}, {30, QStringLiteral("Marie Dupont et DUPONT")},
                                      {7, QStringLiteral("Martin")}, {8, QStringLiteral("Dupxnt")}},
                                 searched);
        QCOMPARE(List1(w)->item(0)->text(), QStringLiteral("05/03/2007"));
        TxtNom(w)->setText(atDoubleClick);
        doubleClick(w, 0);
        QVERIFY(shown(fx) == nullptr);
        QCOMPARE(fx.shownSerial(), Found);
        QCOMPARE(fx.form->ui().LblDate->text(), QStringLiteral("lundi 5 mars 2007"));
        QVERIFY(!fx.state().DayModified);

        const auto selections = [&fx] {
            QStringList found;
            for (int r = 0; r < DayGridShape::SlotCount; ++r) {
                if (fx.row(r)->hasSelectedText()) {
                    found << QStringLiteral("%1:%2:%3").arg(r).arg(fx.row(r)->selectionStart())
                                 .arg(fx.row(r)->selectedText());
                }
            }
            return found.join(QLatin1Char('|'));
        };
        // The window is activated by the opening, then left for another
        // window and activated again, as the platform does it.
        QVERIFY(QTest::qWaitForWindowActive(fx.form.get()));
        QTest::qWait(500);
        QCOMPARE(selections(), selected);
        QWidget other;
        other.show();
        other.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&other));
        fx.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fx.form.get()));
        QTest::qWait(1000);
        QCOMPARE(selections(), selected);
        QCOMPARE(highlightedPixels(fx.row(2)) > 20, !selected.isEmpty());
        QCOMPARE(highlightedPixels(fx.row(7)), 0);
    }

    // The found text is selected on the found day only: once another day or
    // user is shown, or the day is read again, with the same text in the
    // row, no row keeps a selection, and Tab into the row selects it whole.
    void theSelectionGoesWithTheFoundDay_data()
    {
        QTest::addColumn<QString>("then");
        QTest::newRow("next day") << "next";
        QTest::newRow("user switch") << "user";
        QTest::newRow("minute reload") << "reload";
    }

    void theSelectionGoesWithTheFoundDay()
    {
        QFETCH(QString, then);
        Fixture fx(Today);
        const QString jean = QStringLiteral("DUPONT Jean");
        fx.storeDay(1, Found + 1, {{2, jean}});
        fx.storeDay(2, Found, {{2, jean}});
        FrmRech& w = searchFound(fx, {{2, jean}}, QStringLiteral("dupont"));
        doubleClick(w, 0);
        QVERIFY(QTest::qWaitForWindowActive(fx.form.get()));
        QCOMPARE(fx.row(2)->selectedText(), QStringLiteral("DUPONT"));

        if (then == QLatin1String("next")) {
            fx.next();
        } else if (then == QLatin1String("user")) {
            fx.user(2);
        } else {
            fx.reloadTick();
        }
        QCOMPARE(fx.rowText(2), jean);
        for (int r = 0; r < DayGridShape::SlotCount; ++r) {
            QVERIFY2(!fx.row(r)->hasSelectedText(), qPrintable(fx.row(r)->objectName()));
        }

        fx.row(1)->setFocus();
        for (int tabs = 0; tabs < 2 && QApplication::focusWidget() != fx.row(2); ++tabs) {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab); // past row 1's tick box where shown
        }
        QCOMPARE(QApplication::focusWidget(), fx.row(2));
        QCOMPARE(fx.row(2)->selectedText(), jean);
        QTest::keyClick(fx.row(2), 'X');
        QCOMPARE(fx.rowText(2), QStringLiteral("X"));
    }

    void onlyTheLeftButtonOpensAndXGoesBack()
    {
        Fixture fx(Today);
        FrmRech& w = searchFound(fx, {{3, QStringLiteral("Dupont")}}, QStringLiteral("Dupont"));
        // The right button opens nothing.
        doubleClick(w, 0, Qt::RightButton);
        QCOMPARE(shown(fx), &w);
        QCOMPARE(fx.shownSerial(), TodaySerial);
        // The found day is seen in a main window minimised meanwhile.
        fx.form->showMinimized();
        doubleClick(w, 0);
        QCOMPARE(fx.shownSerial(), Found);
        QVERIFY(!fx.form->isMinimized());
        QVERIFY(QTest::qWaitForWindowActive(fx.form.get()));
        QTest::mouseClick(fx.form->ui().Command1, Qt::LeftButton);
        QCOMPARE(fx.shownSerial(), TodaySerial);
        QCOMPARE(fx.rowText(0), QStringLiteral("Aujourd'hui"));
    }

    void aDoubleClickOnRechercherOpensNoFoundDay()
    {
        Fixture fx(Today);
        FrmRech& w = searchFound(fx, {{3, QStringLiteral("Dupont")}}, QStringLiteral("Dupont"));
        // The window left behind the main window after a click on a found
        // date, that date where the menu item "Rechercher" is.
        QMenuBar* bar = fx.form->menuBar();
        const QPoint spot = bar->mapToGlobal(bar->actionGeometry(fx.form->ui().Rechercher).center());
        QWidget* list = List1(w)->viewport();
        w.move(w.pos() + spot - list->mapToGlobal(List1(w)->visualItemRect(List1(w)->item(0)).center()));
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::mouseClick(list, Qt::LeftButton, Qt::NoModifier, list->mapFromGlobal(spot));
        fx.form->activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(fx.form.get()));

        // The first click on "Rechercher" brings it forward, the second lands
        // on that date as a double click: one click there.
        QTest::mouseClick(bar, Qt::LeftButton, Qt::NoModifier, bar->mapFromGlobal(spot));
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::mouseDClick(list, Qt::LeftButton, Qt::NoModifier, list->mapFromGlobal(spot));
        QTest::mouseRelease(list, Qt::LeftButton, Qt::NoModifier, list->mapFromGlobal(spot));
        flushDeletes();
        QVERIFY(shown(fx) == &w);
        QCOMPARE(fx.shownSerial(), TodaySerial);
    }

    // "Quitter" double-clicked over a row: the first click closes the
    // window, the second lands on the row and is no double click there.
    void aDoubleClickOnQuitterLeavesTheRowUnderIt()
    {
        Fixture fx(Today);
        fx.open();
        FrmRech& w = openSearch(fx);
        SlotTextBox* row = fx.row(40);
        const QPoint spot = row->mapToGlobal(row->rect().center());
        w.move(w.pos() + spot - Command2(w)->mapToGlobal(Command2(w)->rect().center()));
        QVERIFY(QTest::qWaitForWindowActive(&w));
        QTest::mouseClick(Command2(w), Qt::LeftButton, Qt::NoModifier, Command2(w)->mapFromGlobal(spot));
        flushDeletes();
        QVERIFY(!shown(fx));
        QWidget* under = QApplication::widgetAt(spot);
        QCOMPARE(under, row);
        QTest::mouseDClick(under, Qt::LeftButton, Qt::NoModifier, under->mapFromGlobal(spot));
        QTest::mouseRelease(under, Qt::LeftButton, Qt::NoModifier, under->mapFromGlobal(spot));
        QCOMPARE(fx.rowText(40), QString());
        QVERIFY(!fx.form->state().DayModified);
        // A double click of the row's own still blocks it.
        QTest::mouseClick(row, Qt::LeftButton);
        QTest::mouseDClick(row, Qt::LeftButton);
        QCOMPARE(fx.rowText(40), DayEditing::noAppointmentMarker());
    }

    void hiddenTicksStayHiddenOnTodayFound()
    {
        Fixture fx(Today);
        FrmRech& w = searchFound(fx, {}, QStringLiteral("Aujourd'hui"));
        w.close();
        fx.previous();
        QVERIFY(fx.allTicksHidden());
        FrmRech& again = openSearch(fx);
        search(again, QStringLiteral("Aujourd'hui"));
        doubleClick(again, 0);
        QCOMPARE(fx.shownSerial(), TodaySerial);
        QVERIFY(fx.allTicksHidden());
    }

    void aFileThatCannotBeReadLosesNothing()
    {
        Fixture fx(Today);
        FrmRech& w = searchFound(fx, {{3, QStringLiteral("Dupont")}}, QStringLiteral("Dupont"));
        // The reload after a search still shows the main window's day.
        fx.reloadTick();
        QCOMPARE(fx.shownSerial(), TodaySerial);
        QCOMPARE(fx.rowText(0), QStringLiteral("Aujourd'hui"));
        // No date selected: nothing happens.
        List1(w)->clearSelection();
        w.List1_DblClick();
        QCOMPARE(shown(fx), &w);
        QCOMPARE(fx.shownSerial(), TodaySerial);

        // The file gone: the search says so once and empties the list...
        fx.loseDatabase();
        search(w, QStringLiteral("Dupont"));
        QCOMPARE(Fixture::messages().size(), 1);
        QVERIFY2(Fixture::messages().constFirst().startsWith(QStringLiteral("La recherche n'a pas pu se faire.")) &&
                     Fixture::messages().constFirst().contains(QStringLiteral("introuvable")),
                 qPrintable(Fixture::messages().constFirst()));
        QCOMPARE(List1(w)->count(), 0);
        QCOMPARE(LblNbr(w)->text(), QStringLiteral("0"));
        fx.findDatabaseAgain();
        search(w, QStringLiteral("Dupont"));
        QCOMPARE(List1(w)->count(), 1);

        // ...and typing that cannot be saved stays, and so do the search window and its list.
        fx.type(2, QStringLiteral("à garder"));
        fx.loseDatabase();
        Dialogs::Test::clear();
        doubleClick(w, 0);
        QCOMPARE(Fixture::messages().size(), 1);
        QVERIFY(Fixture::messages().constFirst().startsWith(QStringLiteral("Le jour affiché n'a pas pu être enregistré")));
        QCOMPARE(shown(fx), &w);
        QCOMPARE(List1(w)->count(), 1);
        QCOMPARE(fx.shownSerial(), TodaySerial);
        QCOMPARE(fx.rowText(2), QStringLiteral("à garder"));
        QVERIFY(fx.state().DayModified);

        // The file is back but the found day's record has gone: the typing is
        // saved first, then the day opens empty under its own date.
        fx.findDatabaseAgain();
        QVERIFY(QSqlQuery((*DbConnection::open(fx.dbPath))->database())
                    .exec(QStringLiteral("DELETE FROM RVOUS1 WHERE AGENDATE = %1").arg(Found)));
        Dialogs::Test::clear();
        doubleClick(w, 0);
        QVERIFY(Fixture::messages().isEmpty());
        QCOMPARE(fx.storedRows(1, TodaySerial).at(2), QStringLiteral("à garder"));
        QCOMPARE(fx.shownSerial(), Found);
        for (int r = 0; r < DayGridShape::SlotCount; ++r) {
            QCOMPARE(fx.rowText(r), QString());
        }
    }
};

QTEST_MAIN(TestFrmRech)
#include "tst_frmrech.moc"
