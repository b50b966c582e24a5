#pragma once

#include "platform/ui/OwnedWindow.h"

#include <QObject>

class Form1;
class Form21;

// The menu item "Sau&vegarder": opens the backup window, or brings the open
// one to the front without reading the registry again. The window has no
// owner; it goes with the main window.
class BackupCommand : public QObject
{
    Q_OBJECT

public:
    explicit BackupCommand(Form1& form);
    ~BackupCommand() override;

    void Sauve_Click();
    // The open backup window, or null.
    Form21* window() const;

private:
    Form1& m_form;
    OwnedWindow<Form21> m_window;
};
