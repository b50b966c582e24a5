#include "mainwindow/ui/StartUp.h"

#include "mainwindow/ui/Form1.h"

StartUp::StartUp(Form1& form) : QObject(&form), m_form(form)
{
}
