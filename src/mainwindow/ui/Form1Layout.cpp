#include "dayrecords/ui/DayGrid.h"
#include "mainwindow/ui/Artwork.h"
#include "platform/ui/FitLabel.h"
#include "mainwindow/ui/Form1Ui.h"
#include "mainwindow/ui/PictureButton.h"
#include "mainwindow/ui/PressButton.h"
#include "platform/Geometry.h"
#include "platform/ui/Layout.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTimer>

// The main window as it is designed: every control at its place in twips,
// with its caption, font, colours and kind. What the controls do is wired by
// the window's command classes.
namespace
{
using Layout::classicFont;
using Layout::place;
using Layout::setBackground;
using Layout::setTextColour;

constexpr int ReloadIntervalMs = 60000;
constexpr int ClientWidth = 11880;
constexpr int ClientHeight = 8190;

const QColor DesignGrey(192, 192, 192);

// The client area carries the window's background colour. Only the Window
// role is set, so that the text boxes keep their white.
QWidget* clientArea(QMainWindow* window)
{
    auto* central = new QWidget(window);
    central->setObjectName(QStringLiteral("Form1Client"));
    central->setFixedSize(Geometry::twipsToPixels(ClientWidth), Geometry::twipsToPixels(ClientHeight));
    setBackground(central, DesignGrey);
    window->setCentralWidget(central);
    return central;
}

QLineEdit* echoBox(QWidget* parent, const char* name, int left)
{
    auto* box = place(new QLineEdit(QStringLiteral("Echographies"), parent), name, left, 480, 2175, 345);
    box->setFont(classicFont(9.75, true));
    box->setAlignment(Qt::AlignCenter);
    // Flat, with a thin single-line border.
    box->setStyleSheet(QStringLiteral("QLineEdit#%1 { border: 1px solid black; background: white; color: red; }")
                           .arg(QString::fromLatin1(name)));
    setTextColour(box, QColor(255, 0, 0));
    // A note longer than the box shows its beginning, not its end.
    QObject::connect(box, &QLineEdit::textChanged, box, [box] {
        if (!box->hasFocus()) {
            box->setCursorPosition(0);
        }
    });
    return box;
}

// A day-move or user button: acts on a mouse press.
PressButton* pressButton(QWidget* parent, const char* name, const QString& caption, int left, int top, int width,
                         int height, const QFont& font)
{
    auto* button = place(new PressButton(caption, parent), name, left, top, width, height);
    button->setFont(font);
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

// One of the four picture buttons of the right-hand column: a 32 x 32
// picture above the caption.
PressButton* toggleButton(QWidget* parent, const char* name, const QString& caption, int top,
                          const QPixmap& picture)
{
    auto* button = place(new PressButton(caption, parent), name, 11040, top, 735, 735);
    button->setPicture(picture, 32);
    return button;
}

QAction* menuItem(QWidget* owner, const char* name, const QString& caption)
{
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcutContext(Qt::WindowShortcut);
    return action;
}

void buildTopStrip(Form1Ui& ui, QWidget* central)
{
    ui.CmdPrec = pressButton(central, "CmdPrec", QStringLiteral("&<"), 120, 50, 1800, 400, classicFont(13.5, true));
    auto* date = new FitLabel(QStringLiteral("Dimanche 31 Décembre 2003"), central);
    ui.LblDate = place(date, "LblDate", 2110, 50, 4095, 400);
    ui.LblDate->setFont(classicFont(18));
    ui.LblDate->setAlignment(Qt::AlignCenter);
    ui.LblDate->setFrameStyle(QFrame::Box | QFrame::Plain);
    ui.LblDate->setLineWidth(1);
    setTextColour(ui.LblDate, QColor(192, 0, 0));
    ui.CmdSuiv = pressButton(central, "CmdSuiv", QStringLiteral("&>"), 6400, 50, 1800, 400, classicFont(13.5, true));
}

void buildRightThird(Form1Ui& ui, QWidget* central)
{
    ui.MonthView1 = place(new QCalendarWidget(central), "MonthView1", 8280, 0, 2700, 4515);
    ui.MonthView1->setGridVisible(false);
    ui.MonthView1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    ui.MonthView1->setHorizontalHeaderFormat(QCalendarWidget::SingleLetterDayNames);
    ui.MonthView1->setLocale(QLocale(QLocale::French, QLocale::France));
    ui.MonthView1->setFirstDayOfWeek(Qt::Monday);

    ui.Label2 = place(new QLabel(QStringLiteral("Label2"), central), "Label2", 8280, 4440, 735, 255);
    ui.LblHorImp = place(new QLabel(QStringLiteral("LblHorImp"), central), "LblHorImp", 9120, 4440, 855, 255);
    ui.LblUtilisat = place(new QLabel(QStringLiteral("Utilisateur"), central), "LblUtilisat", 10080, 4440, 735,
                           255);
    ui.Label2->hide();
    ui.LblHorImp->hide();
    ui.LblUtilisat->hide();

    ui.Label3 = place(new QLabel(QStringLiteral("Programme Bloc Opératoire"), central), "Label3", 8295, 4680, 2940,
                      255);
    ui.Label3->setFont(classicFont(8.25, true));
    ui.Label3->setAlignment(Qt::AlignCenter);
    setBackground(ui.Label3, DesignGrey);
    ui.Text3 = place(new QPlainTextEdit(central), "Text3", 8280, 4920, 3495, 2895);
    ui.Text3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    ui.Text3->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    ui.Text3->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    Layout::setBoxBackground(ui.Text3, QColor(255, 255, 192));

    ui.CmdAbsent1 = toggleButton(central, "CmdAbsent1", QStringLiteral("&Matin"), 50, Artwork::redCross(32));
    ui.CmdAbsent2 = toggleButton(central, "CmdAbsent2", QStringLiteral("&A. Midi"), 780, Artwork::redCross(32));
    ui.CmdEcho1 = toggleButton(central, "CmdEcho1", QStringLiteral("Ma&tin"), 1560, Artwork::blueTick(32));
    ui.CmdEcho2 = toggleButton(central, "CmdEcho2", QStringLiteral("A. Mi&di"), 2290, Artwork::blueTick(32));
    ui.Semaine = place(new PictureButton(QStringLiteral("Par &Semaine"), central), "Semaine", 11040, 3070, 735, 735);
    ui.Semaine->setPicture(Artwork::weekTable(16), 16);
    ui.Command1 = place(new QPushButton(QStringLiteral("x"), central), "Command1", 11040, 3860, 735, 540);
    ui.Command1->setFont(classicFont(13.5, true));
    ui.Command1->setAutoDefault(false);
    ui.Picture2 = place(new QLabel(central), "Picture2", 11040, 4440, 735, 495);
    ui.Picture2->setPixmap(Artwork::notebookWithPen(ui.Picture2->size()));
}

void buildUserRow(Form1Ui& ui, QWidget* central)
{
    const int userLeft[6] = {120, 1680, 3240, 7080, 8640, 10200};
    for (int k = 0; k < 6; ++k) {
        // The first design caption is spelt with a doubled "t".
        const QString caption = k == 0 ? QStringLiteral("Uttilisat 1") : QStringLiteral("Utilisat %1").arg(k + 1);
        const QByteArray name = QStringLiteral("CmdUtilisat%1").arg(k + 1).toLatin1();
        ui.CmdUtilisat[static_cast<std::size_t>(k)] =
            pressButton(central, name.constData(), caption, userLeft[k], 7800, 1550, 375, classicFont(8.25, true));
    }
    ui.Label5 = place(new QLabel(QStringLiteral("Brelant"), central), "Label5", 5070, 7770, 1695, 400);
    QFont brand(QStringLiteral("Arial"));
    brand.setStyleHint(QFont::SansSerif);
    brand.setPointSize(18);
    brand.setBold(true);
    brand.setItalic(true);
    ui.Label5->setFont(brand);
    ui.Label5->setAlignment(Qt::AlignCenter);
    setTextColour(ui.Label5, QColor(128, 128, 0));
    setBackground(ui.Label5, DesignGrey);
}

void buildMenus(Form1Ui& ui, QMainWindow* window)
{
    QMenuBar* bar = window->menuBar();
    bar->setNativeMenuBar(false);
    ui.Fichier = bar->addMenu(QStringLiteral("&Fichier"));
    ui.Fichier->setObjectName(QStringLiteral("Fichier"));
    ui.Fichier->menuAction()->setObjectName(QStringLiteral("FichierMenu"));
    ui.Enregistrer = menuItem(window, "Enregistrer", QStringLiteral("&Enregistrer"));
    ui.Enreg_auto = menuItem(window, "Enreg_auto", QStringLiteral("Enregistrement automatique"));
    ui.Enreg_auto->setCheckable(true);
    ui.Enreg_auto->setChecked(true);
    ui.Quitte = menuItem(window, "Quitte", QStringLiteral("&Quitter"));
    ui.Fichier->addAction(ui.Enregistrer);
    ui.Fichier->addSeparator()->setObjectName(QStringLiteral("T1"));
    ui.Fichier->addAction(ui.Enreg_auto);
    ui.Fichier->addSeparator()->setObjectName(QStringLiteral("T3"));
    ui.Fichier->addAction(ui.Quitte);
    ui.Fichier->addSeparator()->setObjectName(QStringLiteral("T2"));
    ui.Imprimer = ui.Fichier->addMenu(QStringLiteral("&Imprimer"));
    ui.Imprimer->setObjectName(QStringLiteral("Imprimer"));
    ui.Imprimer->menuAction()->setObjectName(QStringLiteral("ImprimerMenu"));
    ui.Matin = menuItem(window, "Matin", QStringLiteral("La liste du &Matin"));
    ui.Amidi = menuItem(window, "Amidi", QStringLiteral("La liste de l'&Après midi"));
    ui.Bloc = menuItem(window, "Bloc", QStringLiteral("Bloc &Opératoire"));
    ui.Postit = menuItem(window, "Postit", QStringLiteral("&Post -It"));
    ui.Imprimer->addActions({ui.Matin, ui.Amidi, ui.Bloc, ui.Postit});

    // Six commands placed directly on the bar: they run without a drop-down.
    ui.Utilisat = menuItem(window, "Utilisat", QStringLiteral("&Utilisateurs"));
    ui.Aide = menuItem(window, "Aide", QStringLiteral("Ai&de"));
    ui.Propos = menuItem(window, "Propos", QStringLiteral("A &Propos ?"));
    ui.Coches = menuItem(window, "Coches", QStringLiteral("Voir les c&oches"));
    ui.Sauve = menuItem(window, "Sauve", QStringLiteral("Sau&vegarder"));
    ui.Rechercher = menuItem(window, "Rechercher", QStringLiteral("&Rechercher"));
    bar->addActions({ui.Utilisat, ui.Aide, ui.Propos, ui.Coches, ui.Sauve, ui.Rechercher});
}
} // namespace

namespace Form1Layout
{
void build(Form1Ui& ui, QMainWindow* window)
{
    window->setObjectName(QStringLiteral("Form1"));
    window->setWindowTitle(QStringLiteral("Agenda"));
    window->setWindowIcon(Artwork::applicationIcon());
    window->setFont(classicFont(8.25));

    QWidget* central = clientArea(window);
    ui.central = central;

    buildTopStrip(ui, central);
    // The grid first, so that the ultrasound boxes lie over the frames' top edge.
    ui.grid = new DayGrid(central);
    ui.TxtEcho1 = echoBox(central, "TxtEcho1", 1320);
    ui.TxtEcho2 = echoBox(central, "TxtEcho2", 5400);
    buildRightThird(ui, central);
    buildUserRow(ui, central);

    ui.grid->postitPicture()->setPixmap(Artwork::notePad(ui.grid->postitPicture()->width()));

    // The reload timer is enabled in the design: it runs from the window's creation.
    ui.Timer1 = new QTimer(window);
    ui.Timer1->setObjectName(QStringLiteral("Timer1"));
    ui.Timer1->setInterval(ReloadIntervalMs);
    ui.Timer1->start();

    buildMenus(ui, window);
}
} // namespace Form1Layout
