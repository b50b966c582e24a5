#include "mainwindow/ui/ShownDay.h"

#include "mainwindow/ui/Form1.h"

ShownDay::ShownDay(Form1& form) : QObject(&form), m_form(form)
{
}
