// The main window as designed: places, captions, fonts and kinds of the
// controls, the menu bar, the buttons that act on a mouse press only, and the
// looks that follow the current user.

#include "common/TestSupport.h"

#include "dayrecords/GridLabels.h"
#include "dayrecords/ui/DayGrid.h"
#include "dayrecords/ui/SlotTextBox.h"
#include "mainwindow/MainState.h"
#include "mainwindow/ui/FitLabel.h"
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
QRect twips(int left, int top, int width, int height)
{
    return Geometry::twipRect(left, top, width, height);
}

struct Expected
{
    const char* name;
    int left, top, width, height;
    const char* text; // nullptr: not checked
};

QString textOf(QWidget* widget)
{
    if (auto* label = qobject_cast<QLabel*>(widget)) {
        return label->text();
    }
    if (auto* button = qobject_cast<QAbstractButton*>(widget)) {
        return button->text();
    }
    if (auto* edit = qobject_cast<QLineEdit*>(widget)) {
        return edit->text();
    }
    return QString();
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
    void controlsSitAtTheirPlacesWithTheirTexts();
    void fontsColoursAndKinds();
    void hiddenControlsAndTheWindow();
    void menuBarOrderCaptionsAndAccessKeys();
    void pressButtonsActOnAnyMousePressOnly();
    void accessLettersOfPressButtonsAreBoundToNothing();
    void weekButtonActsOnClickAndItsAccessKey();
    void userLookColoursAndAnnotations();
    void userLookSlotCodes();
};

void TestForm1Layout::controlsSitAtTheirPlacesWithTheirTexts()
{
    TestEnv env;
    Form1 form;
    const Expected controls[] = {
        {"CmdPrec", 120, 50, 1800, 400, "&<"},
        {"LblDate", 2110, 50, 4095, 400, "Dimanche 31 Décembre 2003"},
        {"CmdSuiv", 6400, 50, 1800, 400, "&>"},
        {"TxtEcho1", 1320, 480, 2175, 345, "Echographies"},
        {"TxtEcho2", 5400, 480, 2175, 345, "Echographies"},
        {"MonthView1", 8280, 0, 2700, 4515, nullptr},
        {"Label2", 8280, 4440, 735, 255, "Label2"},
        {"LblHorImp", 9120, 4440, 855, 255, "LblHorImp"},
        {"LblUtilisat", 10080, 4440, 735, 255, "Utilisateur"},
        {"Label3", 8295, 4680, 2940, 255, "Programme Bloc Opératoire"},
        {"Text3", 8280, 4920, 3495, 2895, nullptr},
        {"CmdAbsent1", 11040, 50, 735, 735, "&Matin"},
        {"CmdAbsent2", 11040, 780, 735, 735, "&A. Midi"},
        {"CmdEcho1", 11040, 1560, 735, 735, "Ma&tin"},
        {"CmdEcho2", 11040, 2290, 735, 735, "A. Mi&di"},
        {"Semaine", 11040, 3070, 735, 735, "Par &Semaine"},
        {"Command1", 11040, 3860, 735, 540, "x"},
        {"Picture2", 11040, 4440, 735, 495, nullptr},
        {"CmdUtilisat1", 120, 7800, 1550, 375, "Uttilisat 1"},
        {"CmdUtilisat2", 1680, 7800, 1550, 375, "Utilisat 2"},
        {"CmdUtilisat3", 3240, 7800, 1550, 375, "Utilisat 3"},
        {"Label5", 5070, 7770, 1695, 400, "Brelant"},
        {"CmdUtilisat4", 7080, 7800, 1550, 375, "Utilisat 4"},
        {"CmdUtilisat5", 8640, 7800, 1550, 375, "Utilisat 5"},
        {"CmdUtilisat6", 10200, 7800, 1550, 375, "Utilisat 6"},
        {"Frame1_0", 120, 480, 4000, 7335, nullptr},
        {"Frame1_1", 4200, 480, 4000, 7335, nullptr},
    };
    QWidget* client = form.findChild<QWidget*>(QStringLiteral("Form1Client"));
    QVERIFY(client);
    QCOMPARE(client, form.centralWidget());
    for (const Expected& c : controls) {
        const QString name = QString::fromLatin1(c.name);
        auto* widget = client->findChild<QWidget*>(name);
        QVERIFY2(widget, c.name);
        QCOMPARE(widget->parentWidget(), client);
        QCOMPARE(widget->geometry(), twips(c.left, c.top, c.width, c.height));
        if (c.text) {
            QCOMPARE(textOf(widget), QString::fromUtf8(c.text));
        }
    }
    // Inside the morning frame: the post-it title, box and picture.
    QWidget* morning = client->findChild<QWidget*>(QStringLiteral("Frame1_0"));
    QCOMPARE(morning->findChild<QLabel*>(QStringLiteral("Label4"))->geometry(), twips(2040, 6060, 615, 195));
    QCOMPARE(morning->findChild<QPlainTextEdit*>(QStringLiteral("Text2"))->geometry(), twips(720, 6240, 3135, 975));
    auto* notePad = morning->findChild<QLabel*>(QStringLiteral("Picture1"));
    QCOMPARE(notePad->geometry(), twips(240, 6240, 495, 495));
    QVERIFY(!notePad->pixmap().isNull());
    QVERIFY(!form.ui().Picture2->pixmap().isNull());
}

void TestForm1Layout::fontsColoursAndKinds()
{
    TestEnv env;
    Form1 form;
    Form1Ui& ui = form.ui();

    const auto checkFont = [](QWidget* widget, const QString& family, double points, bool bold) {
        QCOMPARE(widget->font().family(), family);
        QCOMPARE(widget->font().pointSizeF(), points);
        QCOMPARE(widget->font().bold(), bold);
    };
    const QString sans = QStringLiteral("MS Sans Serif");
    checkFont(ui.CmdPrec, sans, 13.5, true);
    checkFont(ui.CmdSuiv, sans, 13.5, true);
    checkFont(ui.LblDate, sans, 18, false);
    checkFont(ui.TxtEcho1, sans, 9.75, true);
    checkFont(ui.Label3, sans, 8.25, true);
    checkFont(ui.Command1, sans, 13.5, true);
    for (PressButton* user : ui.CmdUtilisat) {
        checkFont(user, sans, 8.25, true);
    }
    checkFont(ui.Label5, QStringLiteral("Arial"), 18, true);
    QVERIFY(ui.Label5->font().italic());
    QCOMPARE(form.font().family(), sans);
    QCOMPARE(form.font().pointSizeF(), 8.25);

    QCOMPARE(ui.LblDate->palette().color(QPalette::WindowText), QColor(192, 0, 0));
    QCOMPARE(ui.LblDate->alignment(), Qt::AlignCenter);
    QCOMPARE(ui.LblDate->frameShape(), QFrame::Box);
    // The longest dates are drawn smaller rather than cut off; short ones keep 18 pt.
    auto* date = qobject_cast<FitLabel*>(ui.LblDate);
    QVERIFY(date);
    date->setText(QStringLiteral("lundi 1 mai 2028"));
    QCOMPARE(date->fittedFont().pointSizeF(), 18.0);
    date->setText(QStringLiteral("mercredi 27 septembre 2028 et encore un peu"));
    QVERIFY(date->fittedFont().pointSizeF() < 18.0);
    QVERIFY(QFontMetrics(date->fittedFont()).horizontalAdvance(date->text()) < date->width());
    QCOMPARE(date->text(), QStringLiteral("mercredi 27 septembre 2028 et encore un peu"));
    QCOMPARE(ui.TxtEcho1->palette().color(QPalette::Text), QColor(255, 0, 0));
    QCOMPARE(ui.TxtEcho2->alignment(), Qt::AlignCenter);
    QCOMPARE(ui.Label3->palette().color(QPalette::Window), QColor(192, 192, 192));
    QCOMPARE(ui.Text3->palette().color(QPalette::Base), QColor(255, 255, 192));
    QCOMPARE(ui.Text3->verticalScrollBarPolicy(), Qt::ScrollBarAlwaysOn);
    QCOMPARE(ui.Label5->palette().color(QPalette::WindowText), QColor(128, 128, 0));
    QCOMPARE(ui.Label5->palette().color(QPalette::Window), QColor(192, 192, 192));
    QCOMPARE(ui.central->palette().color(QPalette::Window), QColor(192, 192, 192));
    // The window's grey is not the text boxes' background.
    QCOMPARE(ui.grid->slotBox(5)->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));
    QCOMPARE(ui.grid->postitBox()->palette().color(QPalette::Base), QApplication::palette().color(QPalette::Base));

    // Kinds: day-move, toggle and user buttons act on a press; the week button
    // and "x" on a click; the toggles and the week button show a picture.
    for (QWidget* press : {static_cast<QWidget*>(ui.CmdPrec), static_cast<QWidget*>(ui.CmdSuiv),
                           static_cast<QWidget*>(ui.CmdAbsent1), static_cast<QWidget*>(ui.CmdEcho2)}) {
        QVERIFY(qobject_cast<PressButton*>(press));
    }
    for (PressButton* toggle : {ui.CmdAbsent1, ui.CmdAbsent2, ui.CmdEcho1, ui.CmdEcho2}) {
        QVERIFY(!toggle->picture().isNull());
        QCOMPARE(toggle->pictureSide(), 32);
    }
    QVERIFY(!qobject_cast<PressButton*>(ui.Semaine));
    QVERIFY(!ui.Semaine->picture().isNull());
    QCOMPARE(ui.Semaine->pictureSide(), 16);
    QVERIFY(!qobject_cast<PressButton*>(ui.Command1));
    QCOMPARE(ui.CmdPrec->picture().isNull(), true);
    QVERIFY(qobject_cast<QCalendarWidget*>(ui.MonthView1));
    QCOMPARE(ui.MonthView1->firstDayOfWeek(), Qt::Monday);
}

void TestForm1Layout::hiddenControlsAndTheWindow()
{
    TestEnv env;
    Form1 form;
    Form1Ui& ui = form.ui();
    QVERIFY(ui.Label2->isHidden());
    QVERIFY(ui.LblHorImp->isHidden());
    QVERIFY(ui.LblUtilisat->isHidden());
    QVERIFY(ui.grid->banner(0)->isHidden());
    QVERIFY(ui.grid->banner(1)->isHidden());
    QVERIFY(!ui.TxtEcho1->isHidden());
    QVERIFY(!ui.TxtEcho2->isHidden());
    QCOMPARE(ui.grid->labels(), GridLabels::initialLabels());

    QCOMPARE(form.windowTitle(), QStringLiteral("Agenda"));
    QVERIFY(!form.windowIcon().isNull());
    QCOMPARE(ui.central->size(), QSize(Geometry::twipsToPixels(11880), Geometry::twipsToPixels(8190)));
    // The reload timer runs from the window's creation.
    QVERIFY(ui.Timer1->isActive());
    QCOMPARE(ui.Timer1->interval(), 60000);
    // The ultrasound boxes lie over the frames' top edge.
    QVERIFY(ui.central->childAt(ui.TxtEcho1->geometry().center()) == ui.TxtEcho1);
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

    const QStringList names = {QStringLiteral("Enregistrer"), QStringLiteral("Enreg_auto"),
                               QStringLiteral("Quitte"),      QStringLiteral("Matin"),
                               QStringLiteral("Amidi"),       QStringLiteral("Bloc"),
                               QStringLiteral("Postit"),      QStringLiteral("Utilisat"),
                               QStringLiteral("Aide"),        QStringLiteral("Propos"),
                               QStringLiteral("Coches"),      QStringLiteral("Sauve"),
                               QStringLiteral("Rechercher")};
    for (const QString& name : names) {
        QVERIFY2(form.findChild<QAction*>(name), qPrintable(name));
    }
    // No shortcuts, everything enabled and visible, one tick mark only.
    for (QAction* action : allActions(bar)) {
        QVERIFY2(action->shortcut().isEmpty(), qPrintable(action->text()));
        QVERIFY(action->isEnabled());
        QVERIFY(action->isVisible());
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

void TestForm1Layout::pressButtonsActOnAnyMousePressOnly()
{
    TestEnv env;
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    PressButton* prec = form.ui().CmdPrec;
    QSignalSpy pressed(prec, &PressButton::mousePressed);

    QTest::mousePress(prec, Qt::RightButton);
    QTest::mouseRelease(prec, Qt::RightButton);
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(pressed.at(0).at(0).value<Qt::MouseButton>(), Qt::RightButton);
    QTest::mousePress(prec, Qt::MiddleButton, Qt::ShiftModifier);
    QTest::mouseRelease(prec, Qt::MiddleButton, Qt::ShiftModifier);
    QCOMPARE(pressed.count(), 2);
    QCOMPARE(pressed.at(1).at(1).value<Qt::KeyboardModifiers>(), Qt::KeyboardModifiers(Qt::ShiftModifier));
    QTest::mousePress(prec, Qt::LeftButton);
    QCOMPARE(pressed.count(), 3); // on the press, before any release
    QTest::mouseRelease(prec, Qt::LeftButton);
    QCOMPARE(pressed.count(), 3);

    // The keyboard never acts: space, Enter, the access letter.
    prec->setFocus();
    QTest::keyClick(prec, Qt::Key_Space);
    QTest::keyClick(prec, Qt::Key_Return);
    QTest::keyClick(prec, Qt::Key_Enter);
    QTest::keyClick(&form, Qt::Key_Less, Qt::AltModifier);
    QCOMPARE(pressed.count(), 3);
    QVERIFY(!prec->isDown());

    // A picture button behaves alike.
    QSignalSpy absent(form.ui().CmdAbsent1, &PressButton::mousePressed);
    QTest::mouseClick(form.ui().CmdAbsent1, Qt::RightButton);
    QTest::keyClick(&form, Qt::Key_M, Qt::AltModifier);
    QCOMPARE(absent.count(), 1);
    QVERIFY(!form.ui().CmdAbsent1->isDown());
}

void TestForm1Layout::accessLettersOfPressButtonsAreBoundToNothing()
{
    TestEnv env;
    Form1 form;
    Form1Ui& ui = form.ui();
    // The letter is shown (in the caption) but no key is taken, so "A. Mi&di"
    // leaves Alt+D to the menu's "Ai&de".
    for (PressButton* button : {ui.CmdPrec, ui.CmdSuiv, ui.CmdAbsent1, ui.CmdAbsent2, ui.CmdEcho1, ui.CmdEcho2}) {
        QVERIFY2(button->shortcut().isEmpty(), qPrintable(button->objectName()));
        QVERIFY(button->text().contains(QLatin1Char('&')));
    }
    ui.CmdUtilisat[1]->setText(QStringLiteral("Dr &Dupont"));
    QVERIFY(ui.CmdUtilisat[1]->shortcut().isEmpty());
    QCOMPARE(ui.CmdUtilisat[1]->text(), QStringLiteral("Dr &Dupont"));
    form.setUserButtonCaption(3, QStringLiteral("&Salle"));
    QVERIFY(ui.CmdUtilisat[2]->shortcut().isEmpty());
    QCOMPARE(ui.CmdUtilisat[2]->text(), QStringLiteral("&Salle"));
}

void TestForm1Layout::weekButtonActsOnClickAndItsAccessKey()
{
    TestEnv env;
    Form1 form;
    form.show();
    QVERIFY(QTest::qWaitForWindowExposed(&form));
    QApplication::setActiveWindow(&form);
    QVERIFY(QTest::qWaitForWindowActive(&form));
    QSignalSpy clicked(form.ui().Semaine, &QAbstractButton::clicked);
    QCOMPARE(form.ui().Semaine->shortcut(), QKeySequence(Qt::ALT | Qt::Key_S));
    QTest::mouseClick(form.ui().Semaine, Qt::LeftButton);
    QCOMPARE(clicked.count(), 1);
    // Alt+S presses it: the button goes down at once and clicks when it comes up.
    QVERIFY(!form.ui().Semaine->isDown());
    QTest::keyClick(&form, Qt::Key_S, Qt::AltModifier);
    QVERIFY(form.ui().Semaine->isDown());
}

void TestForm1Layout::userLookColoursAndAnnotations()
{
    TestEnv env;
    Form1 form;
    Form1Ui& ui = form.ui();

    UserLook::setBackgroundColour(ui, ColourValue::fromRgb(10, 20, 30));
    QCOMPARE(ui.central->palette().color(QPalette::Window), QColor(10, 20, 30));
    QCOMPARE(ui.Label5->palette().color(QPalette::Window), QColor(10, 20, 30));
    QCOMPARE(UserLook::backgroundColour(ui), ColourValue::fromRgb(10, 20, 30));
    // A system colour: the window background of the desktop.
    UserLook::setBackgroundColour(ui, ColourValue::WindowBackground);
    QCOMPARE(ui.central->palette().color(QPalette::Window), QApplication::palette().color(QPalette::Base));
    QCOMPARE(UserLook::backgroundColour(ui), ColourValue::WindowBackground);
    // A value that is no colour changes nothing.
    QVERIFY(!UserLook::setBackgroundColour(ui, LooseValue::fromText(QStringLiteral("rouge"))));
    QVERIFY(!UserLook::setBackgroundColour(ui, LooseValue::fromNumber(1e12)));
    QCOMPARE(UserLook::backgroundColour(ui), ColourValue::WindowBackground);
    QVERIFY(UserLook::setBackgroundColour(ui, LooseValue::fromInt(255)));
    QCOMPARE(ui.Label5->palette().color(QPalette::Window), QColor(255, 0, 0));

    UserLook::setTopAnnotation(ui, LooseValue::fromText(QStringLiteral("Écho")));
    QCOMPARE(ui.TxtEcho1->text(), QStringLiteral("Écho"));
    QCOMPARE(ui.TxtEcho2->text(), QStringLiteral("Écho"));
    UserLook::setBottomAnnotation(ui, LooseValue::fromText(QStringLiteral("Bloc du jeudi")));
    QCOMPARE(ui.Label3->text(), QStringLiteral("Bloc du jeudi"));
    QCOMPARE(ui.Bloc->text(), QStringLiteral("Bloc du jeudi"));

    UserLook::setButtonColours(ui, 4);
    for (int k = 1; k <= 6; ++k) {
        const PressButton* button = ui.CmdUtilisat[static_cast<std::size_t>(k - 1)];
        QCOMPARE(button->colourValue(), k == 4 ? ColourValue::Red : ColourValue::ButtonFace);
        QCOMPARE(button->palette().color(QPalette::Button),
                 k == 4 ? QColor(255, 0, 0) : QApplication::palette().color(QPalette::Button));
    }
}

void TestForm1Layout::userLookSlotCodes()
{
    TestEnv env;
    Form1 form;
    Form1Ui& ui = form.ui();
    MainState st;

    QVERIFY(UserLook::applySlotCode(ui, st, LooseValue::fromInt(2)));
    QCOMPARE(st.SlotMinutes, qint16(20));
    QCOMPARE(ui.grid->labels(), GridLabels::labels(2));
    UserLook::showSlotMinutes(ui, st);
    QCOMPARE(ui.LblHorImp->text(), QStringLiteral("20"));

    // Outside 0..4 (and a text): nothing changes.
    for (const LooseValue& other : {LooseValue::fromInt(-1), LooseValue::fromInt(5),
                                    LooseValue::fromText(QStringLiteral("1"))}) {
        QVERIFY(!UserLook::applySlotCode(ui, st, other));
        QCOMPARE(st.SlotMinutes, qint16(20));
        QCOMPARE(ui.grid->labels(), GridLabels::labels(2));
    }
    // A code never filled in counts as 0.
    QVERIFY(UserLook::applySlotCode(ui, st, LooseValue()));
    QCOMPARE(st.SlotMinutes, qint16(10));
    QCOMPARE(ui.grid->labels(), GridLabels::labels(0));
    QVERIFY(UserLook::applySlotCode(ui, st, LooseValue::fromInt(4)));
    QCOMPARE(st.SlotMinutes, qint16(60));
}

QTEST_MAIN(TestForm1Layout)
#include "tst_form1layout.moc"
