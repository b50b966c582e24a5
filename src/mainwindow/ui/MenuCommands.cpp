#include "mainwindow/ui/MenuCommands.h"

#include "mainwindow/ui/Form1.h"

MenuCommands::MenuCommands(Form1& form) : QObject(&form), m_form(form)
{
}
