#include "mainwindow/ui/NameCompletion.h"

#include "mainwindow/ui/Form1.h"

NameCompletion::NameCompletion(Form1& form) : QObject(&form), m_form(form)
{
}
