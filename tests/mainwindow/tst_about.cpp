// The menu commands that open something: the About box, the settings window
// and the help page.

#include "common/TestSupport.h"

#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/MenuCommands.h"
#include "mainwindow/ui/frmAbout.h"
#include "platform/AppInfo.h"
#include "platform/Files.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/HelpViewer.h"
#include "settings/UserSettingsFile.h"
#include "settings/ui/Form2.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace
{
QString labelText(QWidget* window, const char* name)
{
    auto* label = window->findChild<QLabel*>(QString::fromLatin1(name));
    return label ? label->text() : QStringLiteral("<none>");
}

// A help viewer that records what it was asked to open.
struct FakeViewer
{
    explicit FakeViewer(bool works)
    {
        HelpViewer::Test::setOpener([this, works](const QUrl& url) {
            opened.append(url);
            return works;
        });
    }
    ~FakeViewer() { HelpViewer::Test::resetOpener(); }
    QList<QUrl> opened;
};
} // namespace

class TestAbout : public QObject
{
    Q_OBJECT

private slots:
    void aboutBoxShowsTitleVersionAuthorAndContact();
    void aboutWhileOpenOnlyBringsItForward();
    void enterAndEscapeCloseTheAboutBox_data();
    void enterAndEscapeCloseTheAboutBox();
    void settingsWindowOpensOnceWithNoOwner();
    void helpOpensTheShippedPageWithoutWaiting();
    void helpMissingOrWithoutViewerIsSaid();
};

void TestAbout::aboutBoxShowsTitleVersionAuthorAndContact()
{
    TestEnv env;
    Form1 form;
    form.ui().Propos->trigger();
    frmAbout* about = form.menuCommands().aboutBox();
    QVERIFY(about && about->isVisible() && !about->isModal());
    QVERIFY(about->parentWidget() == nullptr);
    QCOMPARE(about->windowTitle(), QStringLiteral("À propos de KORDELA"));
    QCOMPARE(labelText(about, "LblTitle"), QStringLiteral("KORDELA"));
    QCOMPARE(labelText(about, "LblVersion"), QStringLiteral("Version 4.0.0"));
    QCOMPARE(labelText(about, "lblDescription"), QStringLiteral("AGENDA pour prise de rendez vous"));
    QCOMPARE(labelText(about, "Label1"), QStringLiteral("Auteur"));
    QCOMPARE(labelText(about, "lblDisclaimer"), frmAbout::authorName());
    QVERIFY(!frmAbout::authorName().isEmpty());
    QCOMPARE(labelText(about, "Contact"), QStringLiteral("Contact"));
    QCOMPARE(labelText(about, "Label2"), frmAbout::contactAddress());
    QVERIFY(!about->findChild<QLabel*>(QStringLiteral("picIcon"))->pixmap().isNull());
    QPushButton* ok = about->okButton();
    QCOMPARE(ok->objectName(), QStringLiteral("cmdOK"));
    QCOMPARE(ok->text(), QStringLiteral("OK"));
    QVERIFY(ok->isDefault());
    // Centred on the screen.
    const QRect screen = about->screen()->availableGeometry();
    QVERIFY((about->frameGeometry().center() - screen.center()).manhattanLength() <= 2);
}

void TestAbout::aboutWhileOpenOnlyBringsItForward()
{
    TestEnv env;
    Form1 form;
    form.ui().Propos->trigger();
    QPointer<frmAbout> first = form.menuCommands().aboutBox();
    QVERIFY(first);
    // Moved by the user: a second choice does not load or centre it again.
    first->move(first->pos() + QPoint(40, 30));
    const QPoint moved = first->pos();
    form.ui().Propos->trigger();
    QCOMPARE(form.menuCommands().aboutBox(), first.data());
    QCOMPARE(first->pos(), moved);
    QCOMPARE(form.findChildren<frmAbout*>().size(), 0);

    // Closed, the next choice loads it afresh.
    QTest::mouseClick(first->okButton(), Qt::LeftButton);
    flushDeletes();
    QVERIFY(first.isNull());
    QVERIFY(!form.menuCommands().aboutBox());
    form.ui().Propos->trigger();
    QVERIFY(form.menuCommands().aboutBox());
    QVERIFY(form.menuCommands().aboutBox()->isVisible());
}

void TestAbout::enterAndEscapeCloseTheAboutBox_data()
{
    QTest::addColumn<int>("key");
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void TestAbout::enterAndEscapeCloseTheAboutBox()
{
    QFETCH(int, key);
    TestEnv env;
    Form1 form;
    form.ui().Propos->trigger();
    QPointer<frmAbout> about = form.menuCommands().aboutBox();
    QVERIFY(about);
    QTest::keyClick(about.data(), static_cast<Qt::Key>(key));
    flushDeletes();
    QVERIFY(about.isNull());
}

void TestAbout::settingsWindowOpensOnceWithNoOwner()
{
    TestEnv env;
    Form1 form;
    form.ui().Utilisat->trigger();
    QPointer<Form2> settings = Form2::openWindow();
    QVERIFY(settings && settings->isVisible());
    QVERIFY(settings->parentWidget() == nullptr);
    // An edit in progress stays when the menu is chosen again: nothing is read again.
    auto* name = settings->findChild<QLineEdit*>(QStringLiteral("Text1"));
    name->setText(QStringLiteral("en cours"));
    UserSettings users;
    users.names[0] = LooseValue::fromText(QStringLiteral("Salle A"));
    QVERIFY(WriteUserSettingsFile(env.programFolder(), users).ok());
    form.ui().Utilisat->trigger();
    QCOMPARE(Form2::openWindow(), settings.data());
    QCOMPARE(name->text(), QStringLiteral("en cours"));
    // Closed, the next choice loads it afresh.
    settings->close();
    flushDeletes();
    QVERIFY(settings.isNull() && !Form2::openWindow());
    form.ui().Utilisat->trigger();
    QCOMPARE(Form2::openWindow()->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), QStringLiteral("Salle A"));
    Form2::openWindow()->close();
    flushDeletes();
}

void TestAbout::helpOpensTheShippedPageWithoutWaiting()
{
    TestEnv env;
    const QString page = QDir(env.programFolder()).filePath(QStringLiteral("Kordela.html"));
    TestEnv::writeFile(page, "<html><body>Aide</body></html>");
    FakeViewer viewer(true);
    Form1 form;
    QCOMPARE(MenuCommands::helpFile(), Files::joinPath(env.programFolder(), QStringLiteral("Kordela.HLP")));
    QCOMPARE(HelpViewer::pageFor(MenuCommands::helpFile()), page);
    form.ui().Aide->trigger();
    QCOMPARE(viewer.opened, QList<QUrl>{QUrl::fromLocalFile(page)});
    QVERIFY(Dialogs::Test::shown().isEmpty());

    // The page is found whatever the case of its name on disk.
    QFile::rename(page, QDir(env.programFolder()).filePath(QStringLiteral("KORDELA.HTML")));
    form.ui().Aide->trigger();
    QCOMPARE(viewer.opened.size(), 2);
    QCOMPARE(viewer.opened.last().fileName(), QStringLiteral("KORDELA.HTML"));
}

void TestAbout::helpMissingOrWithoutViewerIsSaid()
{
    TestEnv env;
    FakeViewer viewer(false);
    Form1 form;
    form.ui().Aide->trigger();
    QVERIFY(viewer.opened.isEmpty());
    QCOMPARE(Dialogs::Test::shown().size(), 1);
    QVERIFY(Dialogs::Test::shownTexts().constFirst().contains(QStringLiteral("L'aide est introuvable")));
    QVERIFY(Dialogs::Test::shownTexts().constFirst().contains(env.programFolder()));

    Dialogs::Test::clear();
    TestEnv::writeFile(QDir(env.programFolder()).filePath(QStringLiteral("Kordela.html")), "<html></html>");
    form.ui().Aide->trigger();
    QCOMPARE(viewer.opened.size(), 1);
    QCOMPARE(Dialogs::Test::shown().size(), 1);
    QVERIFY(Dialogs::Test::shownTexts().constFirst().contains(QStringLiteral("n'a pas pu être affichée")));
}

QTEST_MAIN(TestAbout)
#include "tst_about.moc"
