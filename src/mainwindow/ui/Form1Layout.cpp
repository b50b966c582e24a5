#include "dayrecords/ui/DayGrid.h"
#include "mainwindow/ui/Form1Ui.h"
#include "mainwindow/ui/PressButton.h"
#include "platform/Geometry.h"

#include <QAction>
#include <QCalendarWidget>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenuBar>
#include <QPlainTextEdit>
#include <QTimer>
#include <QToolButton>

namespace
{
using Geometry::twipRect;

QFont sansSerif(double points, bool bold = false)
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    return font;
}

template <typename W>
W* place(W* widget, const char* name, int left, int top, int width, int height)
{
    widget->setObjectName(QString::fromLatin1(name));
    widget->setGeometry(twipRect(left, top, width, height));
    return widget;
}

void setTextColour(QWidget* widget, const QColor& colour)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::WindowText, colour);
    pal.setColor(QPalette::Text, colour);
    widget->setPalette(pal);
}

void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette pal = widget->palette();
    pal.setColor(QPalette::Window, colour);
    pal.setColor(QPalette::Base, colour);
    widget->setPalette(pal);
    widget->setAutoFillBackground(true);
}

QLineEdit* echoBox(QWidget* parent, const char* name, int left)
{
    auto* box = place(new QLineEdit(QStringLiteral("Echographies"), parent), name, left, 480, 2175, 345);
    box->setFont(sansSerif(9.75, true));
    box->setAlignment(Qt::AlignCenter);
    box->setFrame(false);
    setTextColour(box, QColor(255, 0, 0));
    return box;
}

PressButton* pictureButton(QWidget* parent, const char* name, const QString& caption, int top,
                           const QString& icon)
{
    auto* button = place(new PressButton(caption, parent), name, 11040, top, 735, 735);
    button->setIcon(QIcon(icon));
    button->setIconSize(QSize(32, 32));
    button->setStyleSheet(QStringLiteral("text-align: bottom;"));
    return button;
}

QAction* menuItem(QWidget* owner, const char* name, const QString& caption)
{
    auto* action = new QAction(caption, owner);
    action->setObjectName(QString::fromLatin1(name));
    return action;
}
} // namespace

namespace Form1Layout
{
void build(Form1Ui& ui, QMainWindow* window)
{
    window->setObjectName(QStringLiteral("Form1"));
    window->setWindowTitle(QStringLiteral("Agenda"));
    window->setWindowIcon(QIcon(QStringLiteral(":/images/kordela.png")));
    window->setFont(sansSerif(8.25));

    auto* central = new QWidget(window);
    central->setObjectName(QStringLiteral("Form1Client"));
    central->setFixedSize(Geometry::twipsToPixels(11880), Geometry::twipsToPixels(8190));
    setBackground(central, QColor(192, 192, 192));
    window->setCentralWidget(central);
    ui.central = central;

    ui.CmdPrec = place(new PressButton(QStringLiteral("&<"), central), "CmdPrec", 120, 50, 1800, 400);
    ui.CmdPrec->setFont(sansSerif(13.5, true));
    ui.LblDate = place(new QLabel(QStringLiteral("Dimanche 31 Décembre 2003"), central), "LblDate", 2110, 50,
                       4095, 400);
    ui.LblDate->setFont(sansSerif(18));
    ui.LblDate->setAlignment(Qt::AlignCenter);
    ui.LblDate->setFrameStyle(QFrame::Box | QFrame::Plain);
    setTextColour(ui.LblDate, QColor(192, 0, 0));
    ui.CmdSuiv = place(new PressButton(QStringLiteral("&>"), central), "CmdSuiv", 6400, 50, 1800, 400);
    ui.CmdSuiv->setFont(sansSerif(13.5, true));

    ui.grid = new DayGrid(central);
    ui.TxtEcho1 = echoBox(central, "TxtEcho1", 1320);
    ui.TxtEcho2 = echoBox(central, "TxtEcho2", 5400);

    ui.MonthView1 = place(new QCalendarWidget(central), "MonthView1", 8280, 0, 2700, 4515);
    ui.MonthView1->setGridVisible(false);
    ui.MonthView1->setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    ui.MonthView1->setLocale(QLocale(QLocale::French, QLocale::France));
    ui.MonthView1->setFirstDayOfWeek(Qt::Monday);

    ui.Label2 = place(new QLabel(QStringLiteral("Label2"), central), "Label2", 8280, 4440, 735, 255);
    ui.LblHorImp = place(new QLabel(QStringLiteral("LblHorImp"), central), "LblHorImp", 9120, 4440, 855, 255);
    ui.LblUtilisat = place(new QLabel(QStringLiteral("Utilisateur"), central), "LblUtilisat", 10080, 4440,
                           735, 255);
    ui.Label2->hide();
    ui.LblHorImp->hide();
    ui.LblUtilisat->hide();

    ui.Label3 = place(new QLabel(QStringLiteral("Programme Bloc Opératoire"), central), "Label3", 8295, 4680,
                      2940, 255);
    ui.Label3->setFont(sansSerif(8.25, true));
    ui.Label3->setAlignment(Qt::AlignCenter);
    setBackground(ui.Label3, QColor(192, 192, 192));
    ui.Text3 = place(new QPlainTextEdit(central), "Text3", 8280, 4920, 3495, 2895);
    ui.Text3->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    setBackground(ui.Text3, QColor(255, 255, 192));

    ui.CmdAbsent1 = pictureButton(central, "CmdAbsent1", QStringLiteral("&Matin"), 50,
                                  QStringLiteral(":/images/absent.png"));
    ui.CmdAbsent2 = pictureButton(central, "CmdAbsent2", QStringLiteral("&A. Midi"), 780,
                                  QStringLiteral(":/images/absent.png"));
    ui.CmdEcho1 = pictureButton(central, "CmdEcho1", QStringLiteral("Ma&tin"), 1560,
                                QStringLiteral(":/images/echo.png"));
    ui.CmdEcho2 = pictureButton(central, "CmdEcho2", QStringLiteral("A. Mi&di"), 2290,
                                QStringLiteral(":/images/echo.png"));
    ui.Semaine = place(new QToolButton(central), "Semaine", 11040, 3070, 735, 735);
    ui.Semaine->setText(QStringLiteral("Par &Semaine"));
    ui.Semaine->setIcon(QIcon(QStringLiteral(":/images/semaine.png")));
    ui.Semaine->setIconSize(QSize(16, 16));
    ui.Semaine->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    ui.Command1 = place(new QPushButton(QStringLiteral("x"), central), "Command1", 11040, 3860, 735, 540);
    ui.Command1->setFont(sansSerif(13.5, true));
    ui.Command1->setAutoDefault(false);
    ui.Picture2 = place(new QLabel(central), "Picture2", 11040, 4440, 735, 495);
    ui.Picture2->setPixmap(QPixmap(QStringLiteral(":/images/notebook.png")));
    ui.Picture2->setScaledContents(true);

    const int userLeft[6] = {120, 1680, 3240, 7080, 8640, 10200};
    for (int k = 0; k < 6; ++k) {
        const QString caption = k == 0 ? QStringLiteral("Uttilisat 1") : QStringLiteral("Utilisat %1").arg(k + 1);
        const QByteArray name = QStringLiteral("CmdUtilisat%1").arg(k + 1).toLatin1();
        ui.CmdUtilisat[static_cast<std::size_t>(k)] =
            place(new PressButton(caption, central), name.constData(), userLeft[k], 7800, 1550, 375);
        ui.CmdUtilisat[static_cast<std::size_t>(k)]->setFont(sansSerif(8.25, true));
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
    setBackground(ui.Label5, QColor(192, 192, 192));

    ui.grid->postitPicture()->setPixmap(QPixmap(QStringLiteral(":/images/notepad.png")));
    ui.grid->postitPicture()->setScaledContents(true);

    ui.Timer1 = new QTimer(window);
    ui.Timer1->setObjectName(QStringLiteral("Timer1"));
    ui.Timer1->setInterval(60000);

    // The menu bar: "&Fichier" with its items, then six commands on the bar.
    QMenuBar* bar = window->menuBar();
    ui.Fichier = bar->addMenu(QStringLiteral("&Fichier"));
    ui.Fichier->setObjectName(QStringLiteral("Fichier"));
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
    ui.Matin = menuItem(window, "Matin", QStringLiteral("La liste du &Matin"));
    ui.Amidi = menuItem(window, "Amidi", QStringLiteral("La liste de l'&Après midi"));
    ui.Bloc = menuItem(window, "Bloc", QStringLiteral("Bloc &Opératoire"));
    ui.Postit = menuItem(window, "Postit", QStringLiteral("&Post -It"));
    ui.Imprimer->addActions({ui.Matin, ui.Amidi, ui.Bloc, ui.Postit});

    ui.Utilisat = menuItem(window, "Utilisat", QStringLiteral("&Utilisateurs"));
    ui.Aide = menuItem(window, "Aide", QStringLiteral("Ai&de"));
    ui.Propos = menuItem(window, "Propos", QStringLiteral("A &Propos ?"));
    ui.Coches = menuItem(window, "Coches", QStringLiteral("Voir les c&oches"));
    ui.Sauve = menuItem(window, "Sauve", QStringLiteral("Sau&vegarder"));
    ui.Rechercher = menuItem(window, "Rechercher", QStringLiteral("&Rechercher"));
    bar->addActions({ui.Utilisat, ui.Aide, ui.Propos, ui.Coches, ui.Sauve, ui.Rechercher});
}
} // namespace Form1Layout
