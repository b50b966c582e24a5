#pragma once

#include "printing/Module2.h"

#include <QObject>

class Form1;

// The four items of the "Imprimer" menu. Each composes its page from what
// the main window shows, asks for the printer, then prints that page alone:
// a cancelled dialog prints nothing and leaves nothing behind for the next
// command. Printing saves nothing and leaves DayModified as it was.
class PrintMenu : public QObject
{
    Q_OBJECT

public:
    explicit PrintMenu(Form1& form);

    void Matin_Click();
    void Amidi_Click();
    void Bloc_Click();
    void Postit_Click();

    // What the pages read of the main window at this moment.
    SheetSource shownSheet() const;

private:
    void print(PrintCommand command);

    Form1& m_form;
};
