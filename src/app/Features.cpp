#include "app/Features.h"

#include "backup/ui/BackupCommand.h"
#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/PictureButton.h"
#include "printing/ui/PrintMenu.h"
#include "search/ui/SearchCommand.h"
#include "week/ui/WeekOpening.h"

#include <QAction>

Features Features::attach(Form1& form)
{
    const Form1Ui& ui = form.ui();
    Features made;

    made.week = new WeekOpening(form);
    QObject::connect(ui.Semaine, &PictureButton::clicked, made.week, &WeekOpening::Semaine_Click);

    made.search = new SearchCommand(form);
    QObject::connect(ui.Rechercher, &QAction::triggered, made.search, &SearchCommand::Rechercher_Click);

    made.print = new PrintMenu(form);
    QObject::connect(ui.Matin, &QAction::triggered, made.print, &PrintMenu::Matin_Click);
    QObject::connect(ui.Amidi, &QAction::triggered, made.print, &PrintMenu::Amidi_Click);
    QObject::connect(ui.Bloc, &QAction::triggered, made.print, &PrintMenu::Bloc_Click);
    QObject::connect(ui.Postit, &QAction::triggered, made.print, &PrintMenu::Postit_Click);

    made.backup = new BackupCommand(form);
    QObject::connect(ui.Sauve, &QAction::triggered, made.backup, &BackupCommand::Sauve_Click);
    return made;
}
