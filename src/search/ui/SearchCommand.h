#pragma once

#include "platform/ui/OwnedWindow.h"

#include <QObject>

class Form1;
class FrmRech;

// The menu item "&Rechercher": opens the search window, or brings the open
// one to the front as it stands. The window closes when the user changes,
// when a restore replaces the data and when the program ends. The window has
// no owner; it goes with the main window.
class SearchCommand : public QObject
{
    Q_OBJECT

public:
    explicit SearchCommand(Form1& form);
    ~SearchCommand() override;

    void Rechercher_Click();
    // The open search window, or null.
    FrmRech* window() const;
    void closeWindow();

private:
    Form1& m_form;
    OwnedWindow<FrmRech> m_window;
};
