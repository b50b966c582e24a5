// The "Imprimer" menu of the main window, printed into real PDF files read
// back with pdftotext: what the window shows goes on paper, nothing is saved,
// a cancelled print leaves nothing behind, failures are said.

#include "mainwindow/MainWindowTestFixture.h"

#include "platform/Files.h"

#include <QPrintDialog>
#include <QPrinter>
#include <QProcess>
#include <QRegularExpression>

#include <csignal>
#include <cstring>

#include <grp.h>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

using MainWindowTest::Fixture;

namespace
{
const char* const OtherUserFlag = "--print-as-nobody";
constexpr uid_t Nobody = 65534;

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

// A word of a PDF's first page as pdftotext -bbox places it, in points from
// the page's top left.
struct PdfWord
{
    QString text;
    double left, top, right, bottom;
};

QList<PdfWord> pdfWords(const QString& path)
{
    QProcess pdftotext;
    pdftotext.start(QStringLiteral("pdftotext"),
                    {QStringLiteral("-bbox"), QStringLiteral("-f"), QStringLiteral("1"), QStringLiteral("-l"),
                     QStringLiteral("1"), path, QStringLiteral("-")});
    if (!pdftotext.waitForFinished(-1) || pdftotext.exitCode() != 0) {
        qFatal("pdftotext could not read %s", qPrintable(path));
    }
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<PdfWord> words;
    for (const auto& m : word.globalMatch(QString::fromUtf8(pdftotext.readAllStandardOutput()))) {
        words.append({m.captured(5), m.captured(1).toDouble(), m.captured(2).toDouble(), m.captured(3).toDouble(),
                      m.captured(4).toDouble()});
    }
    return words;
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

// A workstation of another account: drops root's rights for nobody's, prints the morning list of a
// main window of its own into `argv[2]` (no file growing past `argv[3]` bytes, when not empty) and
// writes the messages it was shown, one a line.
int printAsNobody(int argc, char* argv[])
{
    if (::setgroups(0, nullptr) != 0 || ::setgid(Nobody) != 0 || ::setuid(Nobody) != 0) {
        return 2;
    }
    QApplication app(argc, argv);
    Fixture fx;
    Form1& form = fx.open();
    const rlimit small = {static_cast<rlim_t>(std::atoll(argv[3])), static_cast<rlim_t>(std::atoll(argv[3]))};
    if (*argv[3] != 0 && (std::signal(SIGXFSZ, SIG_IGN) == SIG_ERR || ::setrlimit(RLIMIT_FSIZE, &small) != 0)) {
        return 3;
    }
    Dialogs::Test::setNextAnswer(QVariant(QString::fromLocal8Bit(argv[2])));
    form.ui().Matin->trigger();
    for (const QString& text : Fixture::messages().mid(1)) {
        std::printf("%s\n", qPrintable(QString(text).replace(QLatin1Char('\n'), QLatin1Char('|'))));
    }
    return 0;
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
    void unusablePrinterIsSaid_data();
    void unusablePrinterIsSaid();
    void folderTheUserCannotWrite_data();
    void folderTheUserCannotWrite();
    void pageGeometry();
    void printerDialogOffersARangeButNoSelection();
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

    // A range of pages chosen in the dialog: those pages alone; a range past
    // the end prints nothing and says why.
    const auto printRange = [&](const QString& name, int from, int to) {
        const QString path = QDir(fx.env.root()).filePath(name);
        Dialogs::Test::setNextAnswer(QVariantMap{
            {QStringLiteral("file"), path}, {QStringLiteral("from"), from}, {QStringLiteral("to"), to}});
        form.ui().Bloc->trigger();
        return path;
    };
    QCOMPARE(pdfPages(printRange(QStringLiteral("page2.pdf"), 2, 2)), QList<QStringList>{pages.at(1)});
    const QString none = printRange(QStringLiteral("page3.pdf"), 3, 5);
    QVERIFY(!QFileInfo::exists(none));
    QCOMPARE(Dialogs::Test::shown().last().text,
             QStringLiteral("L'impression n'a pas pu se faire : le document n'a que 2 pages : les pages demandées "
                            "n'existent pas.\nRien n'a été imprimé."));
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
    // Two copies asked of a file: the file holds the page twice.
    const QString twice = QDir(fx.env.root()).filePath(QStringLiteral("postit3.pdf"));
    Dialogs::Test::setNextAnswer(QVariantMap{{QStringLiteral("file"), twice}, {QStringLiteral("copies"), 2}});
    form.ui().Postit->trigger();
    QCOMPARE(pdfPages(twice), first + first);
}

void TestPrintMenu::noSlotLengthSendsNoBlankSheet()
{
    Fixture fx;
    UserSettings users = MainWindowTest::threeUsers();
    users.slotCodes[0] = LooseValue::fromInt(-1);
    fx.writeUsers(users);
    Form1& form = fx.open();
    QCOMPARE(fx.state().SlotMinutes, 0);

    // The dialog was shown, and OK sent nothing but the reason.
    QVERIFY(!QFile::exists(printTo(fx, form.ui().Amidi, QStringLiteral("vide.pdf"))));
    QCOMPARE(Dialogs::Test::shown().size(), 2);
    QCOMPARE(Dialogs::Test::shown().first().kind, QStringLiteral("printer"));
    QVERIFY(Dialogs::Test::shown().last().text.startsWith(
        QStringLiteral("Il n'y a rien à imprimer : aucune liste n'existe pour des créneaux de 0 minutes.")));
}

void TestPrintMenu::unusablePrinterIsSaid_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("reason");
    QTest::newRow("no such folder") << "folder" << "n'existe pas";
    QTest::newRow("disk full") << "seam" << "Aucun espace disponible";
    QTest::newRow("small disk filled up") << "tmpfs" << "space";
}

void TestPrintMenu::unusablePrinterIsSaid()
{
    QFETCH(QString, fault);
    QFETCH(QString, reason);
    Fixture fx;
    Form1& form = fx.open();
    const QString folder = QDir(fx.env.root()).filePath(QStringLiteral("disque"));
    std::unique_ptr<TestMount> disk;
    if (fault == QLatin1String("tmpfs")) {
        disk = TestMount::smallDisk(folder, 64);
        if (!disk) {
            QSKIP("mounting a small tmpfs is refused here");
        }
    } else if (fault == QLatin1String("seam")) {
        QDir().mkpath(folder);
        Files::Test::setDiskFull(true);
    }
    const QString path = QDir(fx.env.root()).filePath(fault == QLatin1String("folder") ? QStringLiteral("absent/matin.pdf")
                                                                                        : QStringLiteral("disque/matin.pdf"));
    if (fault != QLatin1String("folder")) {
        // An earlier print under the chosen name, then a disk with a few kilobytes left.
        TestEnv::writeFile(path, "earlier print");
        if (disk) {
            QFile filler(QDir(folder).filePath(QStringLiteral("remplissage")));
            QVERIFY(filler.open(QIODevice::WriteOnly | QIODevice::Unbuffered));
            while (filler.write(QByteArray(1024, 'x')) == 1024) {
            }
        }
    }
    Dialogs::Test::setNextAnswer(QVariant(path));
    form.ui().Matin->trigger();
    Files::Test::setDiskFull(false);

    // The printer dialog, then one message; no file of this print is left, an earlier one stays whole.
    QCOMPARE(Dialogs::Test::shown().size(), 2);
    const QString said = Dialogs::Test::shown().last().text;
    QVERIFY2(said.startsWith(QStringLiteral("L'impression n'a pas pu se faire : le fichier « %1 » ne peut pas être "
                                            "écrit.\n")
                                 .arg(path)) &&
                 said.contains(reason) && said.endsWith(QStringLiteral("Rien n'a été imprimé.")),
             qPrintable(said));
    if (fault == QLatin1String("folder")) {
        QVERIFY(!QFile::exists(path));
    } else {
        QCOMPARE(TestEnv::readFile(path), QByteArray("earlier print"));
        QCOMPARE(QDir(folder).entryList(QDir::Files).size(), disk ? 2 : 1);
    }
    QVERIFY(!fx.state().DayModified);
    // The program goes on: the next print works.
    QCOMPARE(pdfPages(printTo(fx, form.ui().Matin, QStringLiteral("matin.pdf"))).size(), 1);
}

void TestPrintMenu::folderTheUserCannotWrite_data()
{
    QTest::addColumn<int>("earlierMode"); // 0: no earlier file
    QTest::addColumn<QString>("fileLimit");
    QTest::newRow("earlier file written in place") << 0666 << QString();
    QTest::newRow("new file refused") << 0 << QString();
    QTest::newRow("earlier file, disk full") << 0666 << QStringLiteral("4096");
    QTest::newRow("earlier file that could not be put back") << 0622 << QString();
}

// A shared folder of root's that the user may not write, holding a file he may write: the file is
// printed to in place, keeping its owner and mode; a new file is refused; a write that fails gives
// the file its bytes back, and one that could not is not made. The user's print runs in a process of
// his own.
void TestPrintMenu::folderTheUserCannotWrite()
{
    QFETCH(int, earlierMode);
    QFETCH(QString, fileLimit);
    const bool earlier = earlierMode != 0;
    if (::geteuid() != 0) {
        QSKIP("acting as another user needs root");
    }
    QTemporaryDir dir;
    const QString folder = dir.filePath(QStringLiteral("Impressions"));
    QVERIFY(QDir().mkpath(folder));
    QCOMPARE(::chmod(QFile::encodeName(dir.path()).constData(), 0755), 0);
    const QString path = QDir(folder).filePath(QStringLiteral("matin.pdf"));
    if (earlier) {
        TestEnv::writeFile(path, "earlier print");
        QCOMPARE(::chmod(QFile::encodeName(path).constData(), static_cast<mode_t>(earlierMode)), 0);
    }
    const auto fileState = [&] {
        return std::tuple(Files::identity(path), QFileInfo(path).ownerId(), QFileInfo(path).permissions());
    };
    const auto before = fileState();

    QProcess child;
    child.start(QCoreApplication::applicationFilePath(), {QString::fromLatin1(OtherUserFlag), path, fileLimit});
    QVERIFY(child.waitForFinished(60000));
    QVERIFY2(child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0, child.readAllStandardError().constData());
    const QString said = QString::fromLocal8Bit(child.readAllStandardOutput()).trimmed();

    QCOMPARE(QDir(folder).entryList(QDir::Files | QDir::Hidden), earlier ? QStringList{QStringLiteral("matin.pdf")} : QStringList());
    QVERIFY(fileState() == before);
    if (earlierMode == 0666 && fileLimit.isEmpty()) {
        QCOMPARE(said, QString());
        QCOMPARE(pdfPages(path).value(0).value(0), QStringLiteral("mercredi 9 décembre 2026 Dr Martin"));
        return;
    }
    QVERIFY2(said.startsWith(QStringLiteral("L'impression n'a pas pu se faire : le fichier « %1 » ne peut pas être écrit.|")
                                 .arg(path))
                 && said.endsWith(QStringLiteral("|Rien n'a été imprimé.")),
             qPrintable(said));
    QCOMPARE(TestEnv::readFile(path), earlier ? QByteArray("earlier print") : QByteArray());
}

// The page set-up on paper: the lines start 1 cm from the left and 3 cm from the top of the printable
// area, the heading at 20 points, the rows at 12 points.
void TestPrintMenu::pageGeometry()
{
    Fixture fx;
    const qint32 today = Dates::daySerial(QDate(2026, 12, 9));
    fx.storeDay(1, today, {{0, QStringLiteral("Bernard")}, {1, QStringLiteral("Caron")}, {2, QStringLiteral("Dumas")}});
    Form1& form = fx.open();
    const QList<PdfWord> words = pdfWords(printTo(fx, form.ui().Matin, QStringLiteral("matin.pdf")));
    const auto first = [&words](const QString& text) {
        for (const PdfWord& w : words) {
            if (w.text == text) {
                return w;
            }
        }
        qFatal("%s is not on the page", qPrintable(text));
    };
    const QMarginsF margins = QPrinter(QPrinter::HighResolution).pageLayout().margins(QPageLayout::Point);
    const double cm = 72 / 2.54;
    const PdfWord heading = first(form.ui().LblDate->text().section(QLatin1Char(' '), 0, 0));
    const QList<PdfWord> rows = {first(QStringLiteral("08h00")), first(QStringLiteral("15")), first(QStringLiteral("30"))};
    for (const PdfWord& w : {heading, rows.at(0)}) {
        QVERIFY2(qAbs(w.left - (margins.left() + cm)) < 1.0, qPrintable(QString::number(w.left)));
    }
    // Body lines follow each other at a 12-point line height, the heading's lines at a 20-point one.
    const double body = rows.at(1).top - rows.at(0).top;
    QVERIFY2(body > 12 && body < 12 * 1.4, qPrintable(QString::number(body)));
    QVERIFY(qAbs(rows.at(2).top - rows.at(1).top - body) < 0.5);
    const double headingLine = body * 20 / 12;
    QVERIFY2(qAbs(rows.at(0).top - heading.top - 3 * headingLine) < 4, qPrintable(QString::number(heading.top)));
    const double size = (heading.bottom - heading.top) / (rows.at(0).bottom - rows.at(0).top);
    QVERIFY2(qAbs(size - 20.0 / 12) < 0.05, qPrintable(QString::number(size)));
    // Line 1 is an empty heading line: the page's lines start 3 cm down.
    QVERIFY2(qAbs(heading.top - headingLine - (margins.top() + 3 * cm)) < 4, qPrintable(QString::number(heading.top)));
}

// Every page of a print is printed: the dialog offers copies and a file, no page range or selection.
void TestPrintMenu::printerDialogOffersARangeButNoSelection()
{
    QPrinter printer(QPrinter::HighResolution);
    const std::unique_ptr<QPrintDialog> dialog = Dialogs::printDialog(&printer, nullptr);
    QVERIFY(!dialog->testOption(QAbstractPrintDialog::PrintSelection));
    QVERIFY(!dialog->testOption(QAbstractPrintDialog::PrintCurrentPage));
    QVERIFY(dialog->testOption(QAbstractPrintDialog::PrintPageRange));
    QVERIFY(dialog->testOption(QAbstractPrintDialog::PrintToFile));
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

int main(int argc, char* argv[])
{
    if (argc == 4 && std::strcmp(argv[1], OtherUserFlag) == 0) {
        return printAsNobody(argc, argv);
    }
    QApplication app(argc, argv);
    app.setAttribute(Qt::AA_Use96Dpi, true);
    TestPrintMenu test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "tst_printmenu.moc"
