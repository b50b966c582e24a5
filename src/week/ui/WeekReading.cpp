#include "week/ui/WeekReading.h"

#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/ShownDay.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/WaitCursor.h"
#include "week/WeekTexts.h"

namespace WeekReading
{
std::optional<WeekDays::Week> read(Form1& main, qint32 monday, QWidget* messageParent)
{
    const MainState& st = main.state();
    Result<WeekDays::Week> week =
        WaitCursor::during([&] { return WeekDays::read(st.CurrentUser, monday, st.OpenPath); });
    if (!week) {
        Dialogs::message(messageParent, WeekTexts::readFailedMessage(monday, week.error()));
        return std::nullopt;
    }
    // A main window that was not connected shows its day from the file.
    main.shownDay().readElsewhere();
    return std::move(*week);
}
} // namespace WeekReading
