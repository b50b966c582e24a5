#pragma once

#include <QObject>

class Form1;

// The load of the main window: registry values, settings files, user 1 and today's page.
class StartUp : public QObject
{
    Q_OBJECT

public:
    explicit StartUp(Form1& form);

private:
    Form1& m_form;
};
