#pragma once

#include "printing/PrintedPage.h"

#include <QString>
#include <QStringList>

#include <optional>

// What the printed pages read of the main window, as it shows it at the
// moment of the command, unsaved typing included.
struct SheetSource
{
    QString userName;  // the current user's name, as the window caption shows it
    QString longDate;  // LblDate
    QString blocTitle; // Label3, the title of the operating-theatre box
    QStringList slotTexts; // Text1(0..52); missing rows print empty
    QString postit;    // Text2
    QString bloc;      // Text3
};

// The twelve pages of the print menu, each a pure function of what the
// window shows. None of them looks at the slot length itself: the command
// chooses the sheet.
namespace Module2
{
enum class Half { Morning, Afternoon };

// A half-day sheet: an empty line, LblDate + 5 spaces + name, two empty
// lines at 20 points, then one line per row of the half at 12 points: the
// row's label followed by its text. Empty for a slot length without a sheet.
PrintedPage DaySheet(const SheetSource& source, Half half, int slotMinutes);

PrintedPage PrintMorning10(const SheetSource& source);
PrintedPage PrintAfternoon10(const SheetSource& source);
PrintedPage PrintMorning15(const SheetSource& source);
PrintedPage PrintAfternoon15(const SheetSource& source);
PrintedPage PrintMorning20(const SheetSource& source);
PrintedPage PrintAfternoon20(const SheetSource& source);
PrintedPage PrintMorning30(const SheetSource& source);
PrintedPage PrintAfternoon30(const SheetSource& source);
PrintedPage PrintMorning60(const SheetSource& source);
PrintedPage PrintAfternoon60(const SheetSource& source);

// The operating-theatre page: "", 10 spaces + Label3, "", name + 5 spaces +
// date, "", "" at 20 points, then the programme's lines at 12 points.
PrintedPage PrintBloc(const SheetSource& source);
// The post-it page: the same with 23 spaces + "NE PAS OUBLIER" as title.
PrintedPage PrintPostit(const SheetSource& source);
} // namespace Module2

// The four commands of the "Imprimer" menu.
enum class PrintCommand { Matin, Amidi, Bloc, Postit };

namespace PrintChoice
{
// The page a command prints; nothing for a half-day sheet when the slot
// length has no sheet (no user with a valid slot length yet).
std::optional<PrintedPage> compose(PrintCommand command, const SheetSource& source, int slotMinutes);
} // namespace PrintChoice
