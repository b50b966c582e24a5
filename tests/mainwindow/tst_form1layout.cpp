// The main window as designed: captions, a few places, the menu bar, the
// access keys, and the looks that follow the current user.

#include "common/TestSupport.h"

#include "dayrecords/GridLabels.h"
#include "dayrecords/ui/DayGrid.h"
#include "dayrecords/ui/SlotTextBox.h"
#include "platform/ui/FitLabel.h"
#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/PictureButton.h"
#include "mainwindow/ui/PressButton.h"
#include "mainwindow/ui/UserLook.h"
#include "platform/Geometry.h"
#include "platform/ui/Dialogs.h"
#include "settings/ColourValue.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>
#include <QTimer>

namespace
{
QString textOf(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    return qobject_cast<QLineEdit*>(widget)->text();
}

QStringList captions(const QList<QAction*>& actions)
{
    QStringList list;
    for (const QAction* action : actions) {
        list.append(action->isSeparator() ? QStringLiteral("-") : action->text());
    }
    return list;
}

QList<QAction*> allActions(QMenuBar* bar)
{
    QList<QAction*> all;
    QList<QAction*> pending = bar->actions();
    while (!pending.isEmpty()) {
        QAction* action = pending.takeFirst();
        all.append(action);
        if (action->menu()) {
            pending.append(action->menu()->actions());
        }
    }
    return all;
}
} // namespace

class TestForm1Layout : public QObject
{
    Q_OBJECT

private slots:
    void controlsCarryTheirCaptions();
    void spotChecksOfPlaces();
    void designStateAndLooks();
    void menuBarOrderCaptionsAndAccessKeys();
    void accessKeysOfTheButtons();
    void userColourValues();
};

void TestForm1Layout::controlsCarryTheirCaptions()
{
    TestEnv env;
    Form1 form;
    const char* const controls[][2] = {
        {"CmdPrec", "&<"},
        {"LblDate", "Dimanche 31 Décembre 2003"},
        {"CmdSuiv", "&>"},
        {"TxtEcho1", "Echographies"},
        {"TxtEcho2", "Echographies"},
        {"Label2", "Label2"},
        {"LblHorImp", "LblHorImp"},
        {"LblUtilisat", "Utilisateur"},
        {"Label3", "Programme Bloc Opératoire"},
        {"CmdAbsent1", "&Matin"},
        {"CmdAbsent2", "&A. Midi"},
        {"CmdEcho1", "Ma&tin"},
        {"CmdEcho2", "A. Mi&di"},
        {"Semaine", "Par &Semaine"},
        {"Command1", "x"},
        {"CmdUtilisat1", "Uttilisat 1"},
        {"CmdUtilisat2", "Utilisat 2"},
        {"CmdUtilisat3", "Utilisat 3"},
        {"CmdUtilisat4", "Utilisat 4"},
        {"CmdUtilisat5", "Utilisat 5"},
        {"CmdUtilisat6", "Utilisat 6"},
        {"Label5", "Brelant"},
    };
    QWidget* client = form.centralWidget();
    QCOMPARE(client->objectName(), QStringLiteral("Form1Client"));
    for (const auto& c : controls) {
        auto* widget = client->findChild<QWidget*>(QLatin1String(c[0]));
        QVERIFY2(widget && widget->parentWidget() == client, c[0]);
        QCOMPARE(textOf(widget), QString::fromUtf8(c[1]));
    }
    QCOMPARE(form.findChild<QLabel*>(QStringLiteral("Label4"))->text(), QStringLiteral("Post-It"));
    QCOMPARE(form.windowTitle(), QStringLiteral("Agenda"));
}

void TestForm1Layout::spotChecksOfPlaces()
{
    TestEnv env;
    Form1 form;
    Form1Ui& ui = form.ui();
    const auto twips = Geometry::twipRect;
    QCOMPARE(ui.central->size(), QSize(Geometry::twipsToPixels(11880), Geometry::twipsToPixels(8190)));
    QCOMPARE(ui.LblDate->geometry(), twips(2110, 50, 4095, 400));
    QCOMPARE(ui.MonthView1->geometry(), twips(8280, 0, 2700, 4515));
    QCOMPARE(ui.CmdUtilisat[5]->geometry(), twips(10200, 7800, 1550, 375));
    QCOMPARE(ui.grid->frame(1)->geometry(), twips(4200, 480, 4000, 7335));
    // Inside the morning frame: the post-it box and its picture.
    QCOMPARE(ui.grid->postitBox()->parentWidget(), ui.grid->frame(0));
    QCOMPARE(ui.grid->postitBox()->geometry(), twips(720, 6240, 3135, 975));
    QVERIFY(!form.findChild<QLabel*>(QStringLiteral("Picture1"))->pixmap().isNull());
    QVERIFY(!ui.Picture2->pixmap().isNull());
    // The ultrasound boxes lie over the frames' top edge.
    QVERIFY(ui.central->childAt(ui.TxtEcho1->geometry().center()) == ui.TxtEcho1);
}

void TestForm1Layout::designStateAndLooks()
{
    TestEnv env;
    Form1 form;
    Form1Ui& ui = form.ui();
    for (QWidget* hidden : {static_cast<QWidget*>(ui.Label2), static_cast<QWidget*>(ui.LblHorImp),
                            static_cast<QWidget*>(ui.LblUtilisat), static_cast<QWidget*>(ui.grid->banner(0)),
                            static_cast<QWidget*>(ui.grid->banner(1))}) {
        QVERIFY2(hidden->isHidden(), qPrintable(hidden->objectName()));
    }
    QVERIFY(!ui.TxtEcho1->isHidden() && !ui.TxtEcho2->isHidden());
    QCOMPARE(ui.grid->labels(), GridLabels::initialLabels());
    QVERIFY(!form.windowIcon().isNull());
    // The reload timer runs from the window's creation.
    QVERIFY(ui.Timer1->isActive());
    QCOMPARE(ui.Timer1->interval(), 60000);
    QCOMPARE(ui.MonthView1->firstDayOfWeek(), Qt::Monday);

    // The window's grey is not the text boxes' background.
    QCOMPARE(ui.central->palette().color(QPalette::Window), QColor(192, 192, 192));
    QCOMPARE(ui.grid->slotBox(5)->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
    QCOMPARE(ui.grid->postitBox()->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));

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

void TestForm1Layout::menuBarOrderCaptionsAndAccessKeys()
{
    TestEnv env;
    Form1 form;
    Form1Ui& ui = form.ui();
    QMenuBar* bar = form.menuBar();
    QCOMPARE(captions(bar->actions()),
             (QStringList{QStringLiteral("&Fichier"), QStringLiteral("&Utilisateurs"), QStringLiteral("Ai&de"),
                          QStringLiteral("A &Propos ?"), QStringLiteral("Voir les c&oches"),
                          QStringLiteral("Sau&vegarder"), QStringLiteral("&Rechercher")}));
    QCOMPARE(bar->actions().at(0)->menu(), ui.Fichier);
    for (int i = 1; i < bar->actions().size(); ++i) {
        QVERIFY(!bar->actions().at(i)->menu()); // commands straight on the bar
    }
    QCOMPARE(captions(ui.Fichier->actions()),
             (QStringList{QStringLiteral("&Enregistrer"), QStringLiteral("-"),
                          QStringLiteral("Enregistrement automatique"), QStringLiteral("-"),
                          QStringLiteral("&Quitter"), QStringLiteral("-"), QStringLiteral("&Imprimer")}));
    QCOMPARE(ui.Fichier->actions().last()->menu(), ui.Imprimer);
    QCOMPARE(ui.Fichier->actions().at(1)->objectName(), QStringLiteral("T1"));
    QCOMPARE(ui.Fichier->actions().at(3)->objectName(), QStringLiteral("T3"));
    QCOMPARE(ui.Fichier->actions().at(5)->objectName(), QStringLiteral("T2"));
    QCOMPARE(captions(ui.Imprimer->actions()),
             (QStringList{QStringLiteral("La liste du &Matin"), QStringLiteral("La liste de l'&Après midi"),
                          QStringLiteral("Bloc &Opératoire"), QStringLiteral("&Post -It")}));

    for (const char* name : {"Enregistrer", "Enreg_auto", "Quitte", "Matin", "Amidi", "Bloc", "Postit", "Utilisat",
                             "Aide", "Propos", "Coches", "Sauve", "Rechercher"}) {
        QVERIFY2(form.findChild<QAction*>(QLatin1String(name)), name);
    }
    // No shortcuts, everything enabled and visible, one tick mark only.
    for (QAction* action : allActions(bar)) {
        QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->text()));
        QVERIFY(action->isEnabled() && action->isVisible());
        QCOMPARE(action->isCheckable(), action == ui.Enreg_auto);
    }
    QVERIFY(ui.Enreg_auto->isChecked());
    // The access keys of the bar, as Alt+letter reaches them.
    QCOMPARE(QKeySequence::mnemonic(ui.Utilisat->text()), QKeySequence(Qt::ALT | Qt::Key_U));
    QCOMPARE(QKeySequence::mnemonic(ui.Aide->text()), QKeySequence(Qt::ALT | Qt::Key_D));
    QCOMPARE(QKeySequence::mnemonic(ui.Propos->text()), QKeySequence(Qt::ALT | Qt::Key_P));
    QCOMPARE(QKeySequence::mnemonic(ui.Coches->text()), QKeySequence(Qt::ALT | Qt::Key_O));
    QCOMPARE(QKeySequence::mnemonic(ui.Sauve->text()), QKeySequence(Qt::ALT | Qt::Key_V));
    QCOMPARE(QKeySequence::mnemonic(ui.Rechercher->text()), QKeySequence(Qt::ALT | Qt::Key_R));

    // The items of windows still to come exist and do nothing yet.
    for (QAction* later : {ui.Matin, ui.Amidi, ui.Bloc, ui.Postit, ui.Sauve, ui.Rechercher}) {
        later->trigger();
    }
    QVERIFY(Dialogs::Test::shown().isEmpty());
}

void TestForm1Layout::accessKeysOfTheButtons()
{
    TestEnv env;
    Form1 form;
    Form1Ui& ui = form.ui();
    // The press buttons show their letter but take no key, so "A. Mi&di"
    // leaves Alt+D to the menu's "Ai&de".
    for (PressButton* button : {ui.CmdPrec, ui.CmdSuiv, ui.CmdAbsent1, ui.CmdAbsent2, ui.CmdEcho1, ui.CmdEcho2}) {
        QVERIFY2(button->shortcut().isEmpty(), qPrintable(button->objectName()));
    }
    form.setUserButtonCaption(3, QStringLiteral("&Salle"));
    QVERIFY(ui.CmdUtilisat[2]->shortcut().isEmpty());
    QCOMPARE(ui.CmdUtilisat[2]->text(), QStringLiteral("&Salle"));

    // The week button acts on a click and on Alt+S, which presses it at once.
    form.show();
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QSignalSpy clicked(ui.Semaine, &QAbstractButton::clicked);
    QTest::mouseClick(ui.Semaine, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
    QVERIFY(!ui.Semaine->isDown());
    QTest::keyClick(&form, Qt::Key_S, Qt::AltModifier);
    QVERIFY(ui.Semaine->isDown());
}

void TestForm1Layout::userColourValues()
{
    TestEnv env;
    Form1 form;
    Form1Ui& ui = form.ui();
    // A system colour: the window background of the desktop.
    UserLook::setBackgroundColour(ui, ColourValue::WindowBackground);
    QCOMPARE(ui.central->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Base));
    QCOMPARE(UserLook::backgroundColour(ui), ColourValue::WindowBackground);
    // A value that is no colour changes nothing.
    QVERIFY(!UserLook::setBackgroundColour(ui, LooseValue::fromNumber(1e12)));
    QCOMPARE(UserLook::backgroundColour(ui), ColourValue::WindowBackground);
    QVERIFY(UserLook::setBackgroundColour(ui, LooseValue::fromInt(255)));
    QCOMPARE(ui.Label5->palette().color(QPalette::Window), QColor(255, 0, 0));
}

QTEST_MAIN(TestForm1Layout)
#include "tst_form1layout.moc"
