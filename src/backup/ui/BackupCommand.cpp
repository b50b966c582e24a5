#include "backup/ui/BackupCommand.h"

#include "backup/ui/Form21.h"
#include "mainwindow/ui/Form1.h"
#include "platform/ui/Screen.h"

BackupCommand::BackupCommand(Form1& form) : QObject(&form), m_form(form) {}

BackupCommand::~BackupCommand() = default;

Form21* BackupCommand::window() const
{
    return m_window.open();
}

void BackupCommand::Sauve_Click()
{
    OwnedWindow<Form21>::bringToFront(m_window.openOrMake([this] {
        auto* made = new Form21(m_form);
        Screen::centre(made);
        return made;
    }));
}
