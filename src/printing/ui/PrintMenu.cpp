#include "printing/ui/PrintMenu.h"

#include "dayrecords/DayRecord.h"
#include "mainwindow/ui/Form1.h"
#include "platform/ui/Dialogs.h"
#include "printing/ui/PageRenderer.h"

#include <QLabel>
#include <QPrinter>

PrintMenu::PrintMenu(Form1& form) : QObject(&form), m_form(form) {}

void PrintMenu::Matin_Click()
{
    print(PrintCommand::Matin);
}

void PrintMenu::Amidi_Click()
{
    print(PrintCommand::Amidi);
}

void PrintMenu::Bloc_Click()
{
    print(PrintCommand::Bloc);
}

void PrintMenu::Postit_Click()
{
    print(PrintCommand::Postit);
}

SheetSource PrintMenu::shownSheet() const
{
    const Form1Ui& ui = m_form.ui();
    DayView& view = m_form.dayView();
    SheetSource source;
    const MainState& st = m_form.state();
    // The user's name, never the " (non connecté)" the caption may add to
    // it; without a user, the caption the window has.
    source.userName =
        st.hasUser() ? st.UserNames[static_cast<std::size_t>(st.CurrentUser - 1)].toText() : m_form.windowTitle();
    source.longDate = ui.LblDate->text();
    source.blocTitle = ui.Label3->text();
    for (int row = 0; row < DayGridShape::SlotCount; ++row) {
        source.slotTexts << view.slotText(row);
    }
    source.postit = view.postit();
    source.bloc = view.bloc();
    return source;
}

void PrintMenu::print(PrintCommand command)
{
    // The page is composed before the dialog, from the window as it is now.
    const std::optional<PrintedPage> page = PrintChoice::compose(command, shownSheet(), m_form.state().SlotMinutes);
    // Every command has its own document: nothing of an earlier one is sent.
    QPrinter printer(QPrinter::HighResolution);
    if (!Dialogs::choosePrinter(&m_form, &printer)) {
        return;
    }
    // Without a slot length there is no sheet, and no blank sheet is sent.
    if (!page) {
        Dialogs::message(&m_form, QStringLiteral("Il n'y a rien à imprimer : aucune liste n'existe pour des "
                                                 "créneaux de %1 minutes.\nChoisissez la durée des créneaux de "
                                                 "cet utilisateur dans les réglages.")
                                      .arg(m_form.state().SlotMinutes));
        return;
    }
    const Status printed = PageRenderer::render(*page, printer);
    if (!printed) {
        Dialogs::message(&m_form, QStringLiteral("L'impression n'a pas pu se faire : %1\nRien n'a été imprimé.")
                                      .arg(printed.error()));
    }
}
