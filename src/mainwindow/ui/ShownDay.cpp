#include "mainwindow/ui/ShownDay.h"

#include "dayrecords/DayLoader.h"
#include "dayrecords/Module1.h"
#include "mainwindow/ui/Form1.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/WaitCursor.h"

#include <QLabel>

ShownDay::ShownDay(Form1& form) : QObject(&form), m_form(form)
{
}

Status ShownDay::showDay(qint32 serial)
{
    const MainState& st = m_form.state();
    const auto found = Module1::dayLookup(st.CurrentUser, serial, st.OpenPath);
    if (!found) {
        return found.status();
    }
    if (found->has_value()) {
        DayLoader::LoadDayRecord(**found, m_form.dayView());
    } else {
        DayLoader::ClearDayGrid(m_form.dayView());
    }
    return Status::success();
}

Status ShownDay::saveShownDay()
{
    MainState& st = m_form.state();
    if (!st.canSave()) {
        return Status::failure(QStringLiteral("Aucune base de données n'est ouverte : rien n'a été enregistré."));
    }
    st.ShownDaySerial = m_form.ui().Label2->text().toInt();
    const DayRecord record = DayLoader::FillDayRecord(m_form.dayView());
    const auto saved = Module1::daySave(st.CurrentUser, st.ShownDaySerial, st.OpenPath,
                                        [&record](const std::optional<DayRecord>&) { return record; });
    return saved.status();
}

bool ShownDay::ENREG_01()
{
    Status saved = Status::success();
    {
        WaitCursor hourglass;
        saved = saveShownDay();
    }
    if (!saved) {
        Dialogs::message(&m_form, QStringLiteral("Le jour affiché n'a pas pu être enregistré.\n%1").arg(saved.error()));
        return false;
    }
    m_form.state().DayModified = false;
    return true;
}
