#pragma once

#include <QObject>

class Form1;

// Completion of a patient's name typed into a slot row from the names database.
class NameCompletion : public QObject
{
    Q_OBJECT

public:
    explicit NameCompletion(Form1& form);

private:
    Form1& m_form;
};
