#include "mainwindow/ui/UserSwitch.h"

#include "mainwindow/ui/Form1.h"

UserSwitch::UserSwitch(Form1& form) : QObject(&form), m_form(form)
{
}
