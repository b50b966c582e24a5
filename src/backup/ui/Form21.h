#pragma once

#include <QString>
#include <QWidget>

class Form1;
class QLabel;
class QLineEdit;
class QPushButton;

// The backup window "Sauvegardes": backs the appointment database and the
// users' settings file up into a chosen folder, and restores them from a
// backed-up AGENDAS.MDB. Modeless, with no owner (BackupCommand deletes it
// with the main window); deleted when closed.
class Form21 : public QWidget
{
    Q_OBJECT

public:
    explicit Form21(Form1& form);

    // The window's commands, as its buttons run them.
    void CmdSauve_Click();    // backup
    void Command2_Click();    // folder choice
    void Command3_Click();    // choice of the database to restore
    void CmdRestaure_Click(); // restore

private:
    void buildLayout();
    void Form_Load();
    // After a restore: the main window and its windows show the restored data.
    void showRestoredData();
    QString backupFolder() const;
    QString restoreSource() const;

    Form1& m_form;
    // As read from the registry at load.
    QString DatabasePath;
    QString UserFilesDir;
    QString BackupDir;

    QLabel* m_label1 = nullptr; // the backup folder
    QLabel* m_label3 = nullptr; // the database to restore
    QLineEdit* m_text1 = nullptr;
    QPushButton* m_cmdSauve = nullptr;
    QPushButton* m_cmdRestaure = nullptr;
    QPushButton* m_command1 = nullptr;
    QPushButton* m_command2 = nullptr;
    QPushButton* m_command3 = nullptr;
};
