// The main window as designed: captions, a few places, the menu bar, the
// access keys, the looks that follow the current user, and the menu commands
// that open something: the About box, the settings window and the help page.

#include "common/TestSupport.h"

#include "dayrecords/ui/DayGrid.h"
#include "dayrecords/ui/SlotTextBox.h"
#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/MenuCommands.h"
#include "mainwindow/ui/PressButton.h"
#include "mainwindow/ui/UserLook.h"
#include "mainwindow/ui/frmAbout.h"
#include "platform/Geometry.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FitLabel.h"
#include "platform/ui/HelpViewer.h"
#include "settings/ColourValue.h"
#include "settings/UserSettingsFile.h"
#include "settings/ui/Form2.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPointer>
#include <QPushButton>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace
{
QStringList captions(const QList<QAction*>& actions)
{
    QStringList list;
    for (const QAction* action : actions) {
        list.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return list;
}

QStringList split(const char* captions)
{
    return QString::fromUtf8(captions).split(QLatin1Char('|'));
}
} // namespace

class TestForm1Layout : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<Form1> m_form;
    QList<QUrl> m_opened; // what the help viewer was asked to open
    bool m_viewerWorks = true;

    QPointer<frmAbout> openAbout()
    {
        m_form->ui().Propos->trigger();
        return m_form->menuCommands().aboutBox();
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        m_form = std::make_unique<Form1>();
        m_opened.clear();
        m_viewerWorks = true;
        HelpViewer::Test::setOpener([this](const QUrl& url) {
            m_opened.append(url);
            return m_viewerWorks;
        });
    }

    void cleanup()
    {
        HelpViewer::Test::resetOpener();
        m_form.reset();
        flushDeletes();
        m_env.reset();
    }

    void designStateAndLooks()
    {
        Form1Ui& ui = m_form->ui();
        QCOMPARE(ui.CmdUtilisat[0]->text(), QStringLiteral("Uttilisat 1"));
        QCOMPARE(ui.central->size(), QSize(Geometry::twipsToPixels(11880), Geometry::twipsToPixels(8190)));
        // The post-it box lies in the morning frame; the ultrasound boxes over the frames' top edge.
        QCOMPARE(ui.grid->postitBox()->parentWidget(), ui.grid->frame(0));
        QVERIFY(ui.central->childAt(ui.TxtEcho1->geometry().center()) == ui.TxtEcho1);
        QVERIFY(ui.Label2->isHidden() && ui.LblHorImp->isHidden() && ui.grid->banner(0)->isHidden());
        // The reload timer runs from the window's creation.
        QVERIFY(ui.Timer1->isActive());
        QCOMPARE(ui.Timer1->interval(), 60000);
        QCOMPARE(ui.MonthView1->firstDayOfWeek(), Qt::Monday);
        // The window's grey is not the text boxes' background; a user's colour may
        // be a system colour, the desktop's window background.
        QCOMPARE(ui.central->palette().color(QPalette::Window), QColor(192, 192, 192));
        QCOMPARE(ui.grid->postitBox()->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
        UserLook::setBackgroundColour(ui, ColourValue::WindowBackground);
        QCOMPARE(ui.Label5->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Base));
    }

    void controlsAtTheirTwipPlaces()
    {
        struct Place
        {
            const char* name;
            int left, top, width, height;
        };
        // Left, Top, Width, Height of the design, in twips: on the window, then in the frames.
        const Place places[] = {
            {"CmdPrec", 120, 50, 1800, 400},       {"LblDate", 2110, 50, 4095, 400},
            {"CmdSuiv", 6400, 50, 1800, 400},      {"TxtEcho2", 5400, 480, 2175, 345},
            {"LblUtilisat", 10080, 4440, 735, 255}, {"Label3", 8295, 4680, 2940, 255},
            {"Text3", 8280, 4920, 3495, 2895},     {"CmdAbsent2", 11040, 780, 735, 735},
            {"CmdEcho2", 11040, 2290, 735, 735},   {"Command1", 11040, 3860, 735, 540},
            {"CmdUtilisat3", 3240, 7800, 1550, 375}, {"Label5", 5070, 7770, 1695, 400},
            {"Text4_1", 810, 1800, 2895, 975},     {"Text2", 720, 6240, 3135, 975},
            {"Label4", 2040, 6060, 615, 195},
        };
        for (const Place& place : places) {
            const QWidget* control = m_form->findChild<QWidget*>(QLatin1String(place.name));
            QVERIFY2(control, place.name);
            QCOMPARE(control->geometry(), Geometry::twipRect(place.left, place.top, place.width, place.height));
        }
        QCOMPARE(m_form->findChild<QWidget*>(QStringLiteral("Text4_1"))->parentWidget(), m_form->ui().grid->frame(1));
    }

    void longTextsStayReadable()
    {
        Form1Ui& ui = m_form->ui();
        // The longest dates are drawn smaller rather than cut off; short ones keep 18 pt.
        auto* date = qobject_cast<FitLabel*>(ui.LblDate);
        QVERIFY(date);
        date->setText(QStringLiteral("lundi 1 mai 2028"));
        QCOMPARE(date->fittedFont().pointSizeF(), 18.0);
        date->setText(QStringLiteral("mercredi 27 septembre 2028 et encore un peu"));
        QVERIFY(date->fittedFont().pointSizeF() < 18.0);
        QVERIFY(QFontMetrics(date->fittedFont()).horizontalAdvance(date->text()) < date->width());
        // A note longer than its box shows its beginning.
        ui.TxtEcho1->setText(QStringLiteral("Echographies : trois examens prévus dans la matinée"));
        QCOMPARE(ui.TxtEcho1->cursorPosition(), 0);
    }

    void menuBarOrderCaptionsAndAccessKeys()
    {
        Form1Ui& ui = m_form->ui();
        QMenuBar* bar = m_form->menuBar();
        QCOMPARE(captions(bar->actions()),
                 split("&Fichier|&Utilisateurs|Ai&de|A &Propos ?|Voir les c&oches|Sau&vegarder|&Rechercher"));
        QCOMPARE(bar->actions().at(0)->menu(), ui.Fichier);
        for (int i = 1; i < bar->actions().size(); ++i) {
            QVERIFY(!bar->actions().at(i)->menu()); // commands straight on the bar
        }
        QCOMPARE(captions(ui.Fichier->actions()),
                 split("&Enregistrer|-|Enregistrement automatique|-|&Quitter|-|&Imprimer"));
        QCOMPARE(ui.Fichier->actions().last()->menu(), ui.Imprimer);
        QCOMPARE(captions(ui.Imprimer->actions()),
                 split("La liste du &Matin|La liste de l'&Après midi|Bloc &Opératoire|&Post -It"));

        // No shortcuts, everything enabled and visible, one tick mark only.
        QList<QAction*> all = bar->actions();
        for (int i = 0; i < all.size(); ++i) {
            QAction* action = all.at(i);
            if (action->menu()) {
                all.append(action->menu()->actions());
            }
            QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->text()));
            QVERIFY(action->isEnabled() && action->isVisible());
            QCOMPARE(action->isCheckable(), action == ui.Enreg_auto);
        }
        QVERIFY(ui.Enreg_auto->isChecked());
        // The access keys of the bar, as Alt+letter reaches them.
        const std::pair<QAction*, Qt::Key> keys[] = {{ui.Utilisat, Qt::Key_U}, {ui.Aide, Qt::Key_D},
                                                     {ui.Propos, Qt::Key_P},   {ui.Coches, Qt::Key_O},
                                                     {ui.Sauve, Qt::Key_V},    {ui.Rechercher, Qt::Key_R}};
        for (const auto& [action, key] : keys) {
            QCOMPARE(QKeySequence::mnemonic(action->text()), QKeySequence(Qt::ALT | key));
        }
    }

    void accessKeysOfTheButtons()
    {
        Form1Ui& ui = m_form->ui();
        // The press buttons show their letter but take no key, so "A. Mi&di"
        // leaves Alt+D to the menu's "Ai&de".
        for (PressButton* button : {ui.CmdPrec, ui.CmdSuiv, ui.CmdAbsent1, ui.CmdAbsent2, ui.CmdEcho1, ui.CmdEcho2}) {
            QVERIFY2(button->shortcut().isEmpty(), qPrintable(button->objectName()));
        }
        m_form->setUserButtonCaption(3, QStringLiteral("&Salle"));
        QVERIFY(ui.CmdUtilisat[2]->shortcut().isEmpty());
        QCOMPARE(ui.CmdUtilisat[2]->text(), QStringLiteral("&Salle"));

        // The week button acts on a click and on Alt+S, which clicks it at once.
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        QSignalSpy clicked(ui.Semaine, &QAbstractButton::clicked);
        QTest::mouseClick(ui.Semaine, Qt::LeftButton);
        QCOMPARE(clicked.count(), 1);
        QVERIFY(!ui.Semaine->isDown());
        QTest::keyClick(m_form.get(), Qt::Key_S, Qt::AltModifier);
        QCOMPARE(clicked.count(), 2);
        QVERIFY(!ui.Semaine->isDown());
    }

    void aboutBoxShowsTitleVersionAuthorAndContact()
    {
        frmAbout* about = openAbout();
        QVERIFY(about && about->isVisible() && !about->isModal() && !about->parentWidget());
        QCOMPARE(about->windowTitle(), QStringLiteral("À propos de KORDELA"));
        QCOMPARE(about->findChild<QLabel*>(QStringLiteral("LblVersion"))->text(), QStringLiteral("Version 4.0.0"));
        QVERIFY(about->okButton()->isDefault());
        // Centred on the screen.
        const QRect screen = about->screen()->availableGeometry();
        QVERIFY((about->frameGeometry().center() - screen.center()).manhattanLength() <= 2);
    }

    void aboutWhileOpenOnlyBringsItForward()
    {
        QPointer<frmAbout> first = openAbout();
        QVERIFY(first);
        // Moved by the user: a second choice does not load or centre it again.
        first->move(first->pos() + QPoint(40, 30));
        const QPoint moved = first->pos();
        QCOMPARE(openAbout().data(), first.data());
        QCOMPARE(first->pos(), moved);

        // Closed, the next choice loads it afresh.
        QTest::mouseClick(first->okButton(), Qt::LeftButton);
        flushDeletes();
        QVERIFY(first.isNull() && !m_form->menuCommands().aboutBox());
        QVERIFY(openAbout()->isVisible());
    }

    void enterAndEscapeCloseTheAboutBox()
    {
        for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Enter, Qt::Key_Escape}) {
            QPointer<frmAbout> about = openAbout();
            QVERIFY(about);
            QTest::keyClick(about.data(), key);
            flushDeletes();
            QVERIFY2(about.isNull(), qPrintable(QKeySequence(key).toString()));
        }
    }

    void settingsWindowOpensOnceWithNoOwner()
    {
        m_form->ui().Utilisat->trigger();
        QPointer<Form2> settings = m_form->menuCommands().settingsWindow();
        QVERIFY(settings && settings->isVisible() && !settings->parentWidget());
        // An edit in progress stays when the menu is chosen again: nothing is read again.
        auto* name = settings->findChild<QLineEdit*>(QStringLiteral("Text1"));
        name->setText(QStringLiteral("en cours"));
        UserSettings users;
        users.names[0] = LooseValue::fromText(QStringLiteral("Salle A"));
        QVERIFY(WriteUserSettingsFile(m_env->programFolder(), users).ok());
        settings->showMinimized();
        m_form->ui().Utilisat->trigger();
        QCOMPARE(m_form->menuCommands().settingsWindow(), settings.data());
        QCOMPARE(name->text(), QStringLiteral("en cours"));
        // A minimised window comes back.
        QVERIFY(!settings->isMinimized());
        // Closed, the next choice loads it afresh (CheminUt absent: the program's folder).
        settings->close();
        flushDeletes();
        QVERIFY(settings.isNull() && !m_form->menuCommands().settingsWindow());
        m_form->ui().Utilisat->trigger();
        QCOMPARE(m_form->menuCommands().settingsWindow()->findChild<QLineEdit*>(QStringLiteral("Text1"))->text(), QStringLiteral("Salle A"));
        m_form->menuCommands().settingsWindow()->close();
    }

    void helpOpensTheShippedPageWithoutWaitingOrSaysWhy()
    {
        // No page yet: said, with the folder where it is looked for.
        m_form->ui().Aide->trigger();
        QVERIFY(m_opened.isEmpty());
        QVERIFY(Dialogs::Test::shownTexts().constFirst().contains(QStringLiteral("L'aide est introuvable")));
        QVERIFY(Dialogs::Test::shownTexts().constFirst().contains(m_env->programFolder()));

        const QString page = QDir(m_env->programFolder()).filePath(QStringLiteral("Kordela.html"));
        TestEnv::writeFile(page, "<html><body>Aide</body></html>");
        Dialogs::Test::clear();
        m_form->ui().Aide->trigger();
        QCOMPARE(m_opened, QList<QUrl>{QUrl::fromLocalFile(page)});
        QVERIFY(Dialogs::Test::shown().isEmpty());

        // The page is found whatever the case of its name on disk.
        QFile::rename(page, QDir(m_env->programFolder()).filePath(QStringLiteral("KORDELA.HTML")));
        m_form->ui().Aide->trigger();
        QCOMPARE(m_opened.last().fileName(), QStringLiteral("KORDELA.HTML"));

        // No viewer could show it: said.
        m_viewerWorks = false;
        m_form->ui().Aide->trigger();
        QCOMPARE(m_opened.size(), 3);
        QCOMPARE(Dialogs::Test::shownTexts().size(), 1);
        QVERIFY(Dialogs::Test::shownTexts().constFirst().contains(QStringLiteral("n'a pas pu être affichée")));
    }
};

QTEST_MAIN(TestForm1Layout)
#include "tst_form1layout.moc"
