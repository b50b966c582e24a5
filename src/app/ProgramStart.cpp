#include "app/ProgramStart.h"

#include "app/Features.h"
#include "mainwindow/ui/Form0.h"
#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/StartUp.h"
#include "platform/ui/Screen.h"

namespace ProgramStart
{
Form0* begin(std::unique_ptr<Form1>& mainWindow)
{
    auto* splash = new Form0;
    QObject::connect(splash, &Form0::timeUp, splash, [splash, &mainWindow] {
        splash->close();
        mainWindow = openMainWindow();
    });
    splash->show();
    return splash;
}

std::unique_ptr<Form1> newMainWindow()
{
    auto form = std::make_unique<Form1>();
    Features::attach(*form);
    return form;
}

std::unique_ptr<Form1> openMainWindow()
{
    auto form = newMainWindow();
    form->startUp().Form_Load();
    form->show();
    Screen::centre(form.get());
    form->raise();
    form->activateWindow();
    return form;
}
} // namespace ProgramStart
