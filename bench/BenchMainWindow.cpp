#include "BenchMainWindow.h"

#include "app/ProgramStart.h"
#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/StartUp.h"
#include "platform/Clock.h"
#include "platform/Dates.h"
#include "platform/Registry.h"
#include "platform/ui/Dialogs.h"
#include "settings/UserSettingsFile.h"

BenchMainWindow::BenchMainWindow(const QString& databasePath, qint32 today)
{
    if (!m_settings.isValid()) {
        return;
    }
    Registry::setStoreFolder(m_settings.path());
    Registry::setValue(QStringLiteral("CHEMIN"), databasePath);
    Registry::setValue(QStringLiteral("CheminUt"), m_settings.path());
    UserSettings users;
    users.names[0] = LooseValue::fromText(QStringLiteral("Dr Martin"));
    users.slotCodes[0] = LooseValue::fromInt(1);
    if (!WriteUserSettingsFile(m_settings.path(), users)) {
        return;
    }
    Dialogs::Test::setEnabled(true);
    Clock::setToday(Dates::dateFromSerial(today));
    m_form = ProgramStart::newMainWindow();
    m_form->startUp().Form_Load();
    if (!m_form->state().hasUser()) {
        m_form.reset();
    }
}

BenchMainWindow::~BenchMainWindow()
{
    m_form.reset();
    Clock::setToday(QDate());
    Dialogs::Test::setEnabled(false);
}

Form1* BenchMainWindow::form() const
{
    return m_form.get();
}
