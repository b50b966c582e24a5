#include "mainwindow/ui/DayEditing.h"

#include "mainwindow/ui/Form1.h"

DayEditing::DayEditing(Form1& form) : QObject(&form), m_form(form)
{
}
