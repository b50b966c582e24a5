// The "Imprimer" menu of the main window, printed into real PDF files and
// read back with pdftotext: what the window shows goes on paper, nothing is
// saved, a cancelled print leaves nothing behind, failures are said.

#include "mainwindow/MainWindowTestFixture.h"

#include <QProcess>

using MainWindowTest::Fixture;

namespace
{
// The text of each page of a PDF file, as pdftotext lays it out.
QStringList pdfPages(const QString& path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"), {QStringLiteral("-layout"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(-1) || pdftotext.exitCode() != 0) {
        qFatal("pdftotext could not read %s", qPrintable(path));
    }
    QStringList pages = QString::fromUtf8(pdftotext.readAllStandardOutput()).split(QLatin1Char('\f'));
    if (!pages.isEmpty() && pages.last().trimmed().isEmpty()) {
        pages.removeLast();
    }
    return pages;
}

// The lines of a page with blanks runs made single, empty lines dropped.
QStringList pageLines(const QString& page)
{
    QStringList result;
    for (const QString& line : page.split(QLatin1Char('\n'))) {
        if (!line.simplified().isEmpty()) {
            result << line.simplified();
        }
    }
    return result;
}
// The texts of the message boxes shown (the printer dialogs left out).
QStringList messages()
{
    QStringList texts;
    for (const Dialogs::Shown& shown : Dialogs::Test::shown()) {
        if (shown.kind == QLatin1String("message")) {
            texts << shown.text;
        }
    }
    return texts;
}
} // namespace

class TestPrintMenu : public QObject
{
    Q_OBJECT

private slots:
    void init() { Dialogs::Test::clear(); }
    void morningSheetPrintsTheShownDay();
    void longProgrammeGoesOnASecondPage();
    void cancelAndRepeat();
    void noSlotLengthSendsNoBlankSheet();
    void unusablePrinterIsSaid();
    void notConnectedNameIsTheUsers();

private:
    static QString pdf(const Fixture& fx, const QString& name)
    {
        return QDir(fx.env.root()).filePath(name);
    }
    // Triggers a menu item, answering the printer dialog with a PDF file.
    static void printTo(QAction* item, const QString& path)
    {
        Dialogs::Test::setNextAnswer(QVariant(path));
        item->trigger();
    }
};

void TestPrintMenu::morningSheetPrintsTheShownDay()
{
    Fixture fx;
    const qint32 today = Dates::daySerial(QDate(2026, 12, 9));
    fx.storeDay(1, today, {{0, QStringLiteral("Bernard Zoé")}, {30, QStringLiteral("Après-midi Roux")}});
    Form1& form = fx.open();
    fx.type(2, QStringLiteral("Dupont Hélène"));
    // A morning marked absent, with its ultrasound list: neither goes on the
    // sheet, the rows still do.
    Fixture::press(form.ui().CmdAbsent1);
    Fixture::press(form.ui().CmdEcho1);
    form.ui().TxtEcho1->setText(QStringLiteral("Echo Zorro"));
    form.ui().grid->banner(0)->setText(QStringLiteral("Congrès Xavier"));
    QVERIFY(fx.state().DayModified);

    const QString path = pdf(fx, QStringLiteral("matin.pdf"));
    printTo(form.ui().Matin, path);

    const QStringList pages = pdfPages(path);
    QCOMPARE(pages.size(), 1);
    const QStringList shown = pageLines(pages.first());
    // 15-minute slots: the heading, then the rows with their labels in order.
    QCOMPARE(shown.value(0), form.ui().LblDate->text() + QStringLiteral(" Dr Martin"));
    QCOMPARE(shown.value(1), QStringLiteral("08h00 : Bernard Zoé"));
    QCOMPARE(shown.value(2), QStringLiteral("15 :"));
    QCOMPARE(shown.value(3), QStringLiteral("30 : Dupont Hélène"));
    QCOMPARE(shown.size(), 25);
    QCOMPARE(shown.last(), QStringLiteral("45 :"));
    for (const QString& absent : {QStringLiteral("Roux"), QStringLiteral("Zorro"), QStringLiteral("Xavier"),
                                  QStringLiteral("ABSENT")}) {
        QVERIFY2(!pages.first().contains(absent), qPrintable(absent));
    }

    // Printing saved nothing and left the day modified.
    QVERIFY(fx.state().DayModified);
    QCOMPARE(fx.storedRows(1, today).value(2), QString());
    QCOMPARE(messages(), QStringList());

    // Another user's afternoon: its name, its 30-minute labels, its theatre title.
    fx.user(2);
    const QString afternoon = pdf(fx, QStringLiteral("apres-midi.pdf"));
    printTo(form.ui().Amidi, afternoon);
    const QStringList second = pageLines(pdfPages(afternoon).value(0));
    QCOMPARE(second.value(0), form.ui().LblDate->text() + QStringLiteral(" Dr Lefèvre"));
    QCOMPARE(second.mid(1, 4), (QStringList{QStringLiteral("14h00 :"), QStringLiteral("30 :"),
                                            QStringLiteral("15h00 :"), QStringLiteral("30 :")}));
    QCOMPARE(second.last(), QStringLiteral("21h00 :"));
    const QString theatre = pdf(fx, QStringLiteral("bloc.pdf"));
    printTo(form.ui().Bloc, theatre);
    QCOMPARE(pageLines(pdfPages(theatre).value(0)).value(0), QStringLiteral("Bloc Lefèvre"));
}

void TestPrintMenu::longProgrammeGoesOnASecondPage()
{
    Fixture fx;
    Form1& form = fx.open();
    QStringList programme;
    for (int i = 1; i <= 70; ++i) {
        programme << QStringLiteral("Intervention %1").arg(i);
    }
    const QString wide = QStringLiteral("Compte rendu ") + QStringLiteral("long ").repeated(60) + QStringLiteral("terminé.");
    programme << wide;
    form.ui().Text3->setPlainText(programme.join(QLatin1Char('\n')));

    const QString path = pdf(fx, QStringLiteral("bloc.pdf"));
    printTo(form.ui().Bloc, path);

    const QStringList pages = pdfPages(path);
    QCOMPARE(pages.size(), 2);
    const QStringList first = pageLines(pages.at(0));
    QCOMPARE(first.value(0), QStringLiteral("Bloc Martin"));
    QCOMPARE(first.value(1), QStringLiteral("Dr Martin ") + form.ui().LblDate->text());
    QCOMPARE(first.value(2), QStringLiteral("Intervention 1"));
    // Every line is on paper, in order; the wide one wrapped, all its words kept.
    const QStringList all = first + pageLines(pages.at(1));
    for (int i = 1; i <= 70; ++i) {
        QCOMPARE(all.value(1 + i), QStringLiteral("Intervention %1").arg(i));
    }
    const QStringList wrapped = all.mid(72);
    QVERIFY(wrapped.size() > 1);
    QCOMPARE(wrapped.join(QLatin1Char(' ')), wide.simplified());
}

void TestPrintMenu::cancelAndRepeat()
{
    Fixture fx;
    Form1& form = fx.open();
    form.ui().grid->postitBox()->setPlainText(QStringLiteral("Rappeler le laboratoire"));

    // A cancelled morning sheet sends nothing and is not in the next document.
    Dialogs::Test::setNextAnswer(false);
    form.ui().Matin->trigger();
    const QString first = pdf(fx, QStringLiteral("postit1.pdf"));
    const QString second = pdf(fx, QStringLiteral("postit2.pdf"));
    printTo(form.ui().Postit, first);
    printTo(form.ui().Postit, second);

    const QStringList pages = pdfPages(first);
    QCOMPARE(pages.size(), 1);
    QCOMPARE(pageLines(pages.first()),
             (QStringList{QStringLiteral("NE PAS OUBLIER"), QStringLiteral("Dr Martin ") + form.ui().LblDate->text(),
                          QStringLiteral("Rappeler le laboratoire")}));
    // The same command twice: the same document.
    QCOMPARE(pdfPages(second), pages);
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

    const QString path = pdf(fx, QStringLiteral("vide.pdf"));
    printTo(form.ui().Amidi, path);
    // The dialog was shown, and OK sent nothing.
    QCOMPARE(Dialogs::Test::shown().size(), 1);
    QCOMPARE(Dialogs::Test::shown().first().kind, QStringLiteral("printer"));
    QVERIFY(!QFile::exists(path));
}

void TestPrintMenu::unusablePrinterIsSaid()
{
    Fixture fx;
    Form1& form = fx.open();
    const QString path = QDir(fx.env.root()).filePath(QStringLiteral("absent/matin.pdf"));
    printTo(form.ui().Matin, path);

    QCOMPARE(messages().size(), 1);
    QVERIFY2(messages().first().contains(QDir::toNativeSeparators(path)), qPrintable(messages().first()));
    QVERIFY(messages().first().contains(QStringLiteral("ne peut pas être écrit")));
    QVERIFY(!QFile::exists(path));
    QVERIFY(!fx.state().DayModified);

    // The program goes on: the next print works.
    const QString next = pdf(fx, QStringLiteral("matin.pdf"));
    printTo(form.ui().Matin, next);
    QCOMPARE(pdfPages(next).size(), 1);
}

void TestPrintMenu::notConnectedNameIsTheUsers()
{
    Fixture fx;
    fx.configure();
    fx.loseDatabase();
    Form1& form = fx.load();
    QVERIFY(form.windowTitle().endsWith(QStringLiteral("(non connecté)")));

    const QString path = pdf(fx, QStringLiteral("postit.pdf"));
    printTo(form.ui().Postit, path);
    const QStringList shown = pageLines(pdfPages(path).value(0));
    QCOMPARE(shown.value(1), QStringLiteral("Dr Martin ") + form.ui().LblDate->text());
}

QTEST_MAIN(TestPrintMenu)
#include "tst_printmenu.moc"
