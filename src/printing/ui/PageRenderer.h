#pragma once

#include "platform/Result.h"
#include "printing/PrintedPage.h"

class QPrinter;

// Puts a composed page on a printer as one document, in the printer's own
// typeface at the lines' point sizes, from the origin of the page set-up.
// A line wider than the printable width goes on below; lines that do not fit
// on the sheet go on the next one. Nothing is lost off the paper.
namespace PageRenderer
{
// Fails, with the French reason, when the printer or the file cannot be used.
Status render(const PrintedPage& page, QPrinter& printer);
} // namespace PageRenderer
