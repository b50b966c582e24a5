// The "Imprimer" menu of the main window, printed into real PDF files read
// back with pdftotext: what the window shows goes on paper, nothing is saved,
// a cancelled print leaves nothing behind, failures are said.

#include "mainwindow/MainWindowTestFixture.h"

#include <QProcess>

using MainWindowTest::Fixture;

namespace
{
// The pages of a PDF file as pdftotext lays them out, each as its non-empty
// lines with runs of blanks made single.
QList<QStringList> pdfPages(const QString& path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(-1) || pdftotext.exitCode() != 0) {
        qFatal("pdftotext could not read %s", qPrintable(path));
    }
    QStringList texts = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QLatin1Char('\f'));
    texts.removeLast(); // after the last page's form feed
    QList<QStringList> pages;
    for (const QString& text : texts) {
        pages.append(QStringList());
        for (const QString& line : text.split(QLatin1Char('\n'))) {
            if (!line.simplified().isEmpty()) {
                pages.last() << line.simplified();
            }
        }
    }
    return pages;
}

// Triggers a menu item and answers the printer dialog with a PDF file of the
// test folder; returns the file's path.
QString printTo(const Fixture& fx, QAction* item, const QString& name)
{
    const QString path = QDir(fx.env.root()).filePath(name);
    Dialogs::Test::setNextAnswer(QVariant(path));
    item->trigger();
    return path;
}
} // namespace

class TestPrintMenu : public QObject
{
    Q_OBJECT

private slots:
    void morningSheetPrintsTheShownDay();
    void longProgrammeGoesOnASecondPage();
    void cancelAndRepeat();
    void noSlotLengthSendsNoBlankSheet();
    void unusablePrinterIsSaid();
    void notConnectedNameIsTheUsers();
};

void TestPrintMenu::morningSheetPrintsTheShownDay()
{
    Fixture fx;
    const qint32 today = Dates::daySerial(QDate(2026, 12, 9));
    fx.storeDay(1, today, {{0, QStringLiteral("Bernard Zoé")}, {30, QStringLiteral("Après-midi Roux")}});
    Form1& form = fx.open();
    fx.type(2, QStringLiteral("Dupont Hélène"));
    // Absence banner, ultrasound list, tick and notes: none goes on the sheet.
    Fixture::press(form.ui().CmdAbsent1);
    Fixture::press(form.ui().CmdEcho1);
    form.ui().TxtEcho1->setText(QStringLiteral("Echo Zorro"));
    form.ui().grid->banner(0)->setText(QStringLiteral("Congrès Xavier"));
    form.ui().grid->setTickValue(2, 1);
    form.ui().grid->postitBox()->setPlainText(QStringLiteral("Post-it Yvon"));
    form.ui().Text3->setPlainText(QStringLiteral("Programme Walter"));
    QVERIFY(fx.state().DayModified);

    const QList<QStringList> pages = pdfPages(printTo(fx, form.ui().Matin, QStringLiteral("matin.pdf")));
    QCOMPARE(pages.size(), 1);
    // 15-minute slots: the heading, then the 24 rows with their labels in order.
    QCOMPARE(pages.first().mid(0, 4), (QStringList{form.ui().LblDate->text() + QStringLiteral(" Dr Martin"),
                                                   QStringLiteral("08h00 : Bernard Zoé"), QStringLiteral("15 :"),
                                                   QStringLiteral("30 : Dupont Hélène")}));
    QCOMPARE(pages.first().size(), 25);
    const QString all = pages.first().join(QLatin1Char('\n'));
    for (const char* absent : {"Roux", "Zorro", "Xavier", "ABSENT", "Yvon", "Walter"}) {
        QVERIFY2(!all.contains(QLatin1String(absent)), absent);
    }
    // Printing saved nothing and left the day modified; only the printer dialog showed.
    QVERIFY(fx.state().DayModified);
    QCOMPARE(fx.storedRows(1, today).value(2), QString());
    QCOMPARE(Dialogs::Test::shown().size(), 1);
}

void TestPrintMenu::longProgrammeGoesOnASecondPage()
{
    Fixture fx;
    Form1& form = fx.open();
    QStringList programme;
    for (int i = 1; i <= 70; ++i) {
        programme << QStringLiteral("Intervention %1").arg(i);
    }
    const QString wide = QStringLiteral("Compte rendu %1terminé.").arg(QStringLiteral("long ").repeated(60));
    form.ui().Text3->setPlainText(programme.join(QLatin1Char('\n')) + QLatin1Char('\n') + wide);

    const QList<QStringList> pages = pdfPages(printTo(fx, form.ui().Bloc, QStringLiteral("bloc.pdf")));
    QCOMPARE(pages.size(), 2);
    QCOMPARE(pages.first().mid(0, 3), (QStringList{QStringLiteral("Bloc Martin"),
                                                   QStringLiteral("Dr Martin ") + form.ui().LblDate->text(),
                                                   programme.first()}));
    // Every line is on paper, in order; the wide one wrapped, all its words kept.
    const QStringList all = pages.at(0) + pages.at(1);
    QCOMPARE(all.mid(2, 70), programme);
    QVERIFY(all.size() > 73);
    QCOMPARE(all.mid(72).join(QLatin1Char(' ')), wide.simplified());
}

void TestPrintMenu::cancelAndRepeat()
{
    Fixture fx;
    Form1& form = fx.open();
    form.ui().grid->postitBox()->setPlainText(QStringLiteral("Rappeler le laboratoire"));

    // A cancelled morning sheet sends nothing and is not in the next document.
    Dialogs::Test::setNextAnswer(false);
    form.ui().Matin->trigger();
    const QList<QStringList> first = pdfPages(printTo(fx, form.ui().Postit, QStringLiteral("postit1.pdf")));
    QCOMPARE(first, (QList<QStringList>{{QStringLiteral("NE PAS OUBLIER"),
                                         QStringLiteral("Dr Martin ") + form.ui().LblDate->text(),
                                         QStringLiteral("Rappeler le laboratoire")}}));
    // The same command twice: the same document.
    QCOMPARE(pdfPages(printTo(fx, form.ui().Postit, QStringLiteral("postit2.pdf"))), first);
    QCOMPARE(Dialogs::Test::shown().size(), 3);
}

void TestPrintMenu::noSlotLengthSendsNoBlankSheet()
{
    Fixture fx;
    UserSettings users = MainWindowTest::threeUsers();
    users.slotCodes[0] = LooseValue::fromInt(-1);
    fx.writeUsers(users);
    Form1& form = fx.open();
    QCOMPARE(fx.state().SlotMinutes, 0);

    // The dialog was shown, and OK sent nothing.
    QVERIFY(!QFile::exists(printTo(fx, form.ui().Amidi, QStringLiteral("vide.pdf"))));
    QCOMPARE(Dialogs::Test::shown().size(), 1);
    QCOMPARE(Dialogs::Test::shown().first().kind, QStringLiteral("printer"));
}

void TestPrintMenu::unusablePrinterIsSaid()
{
    Fixture fx;
    Form1& form = fx.open();
    const QString path = printTo(fx, form.ui().Matin, QStringLiteral("absent/matin.pdf"));

    // The printer dialog, then one message; nothing else changed.
    QCOMPARE(Dialogs::Test::shown().size(), 2);
    const QString said = QStringLiteral("L'impression n'a pas pu se faire : le fichier « %1 » ne peut pas être écrit.\n"
                                        "Rien n'a été imprimé.");
    QCOMPARE(Dialogs::Test::shown().last().text, said.arg(QDir::toNativeSeparators(path)));
    QVERIFY(!QFile::exists(path));
    QVERIFY(!fx.state().DayModified);
    // The program goes on: the next print works.
    QCOMPARE(pdfPages(printTo(fx, form.ui().Matin, QStringLiteral("matin.pdf"))).size(), 1);
}

void TestPrintMenu::notConnectedNameIsTheUsers()
{
    Fixture fx;
    fx.configure();
    fx.loseDatabase();
    Form1& form = fx.load();
    QVERIFY(form.windowTitle().endsWith(QStringLiteral(" (non connecté)")));

    QCOMPARE(pdfPages(printTo(fx, form.ui().Postit, QStringLiteral("postit.pdf"))).value(0).value(1),
             QStringLiteral("Dr Martin ") + form.ui().LblDate->text());
}

QTEST_MAIN(TestPrintMenu)
#include "tst_printmenu.moc"
