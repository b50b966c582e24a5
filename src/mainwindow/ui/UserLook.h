#pragma once

#include "settings/LooseValue.h"

#include <QString>

struct Form1Ui;
struct MainState;

// The few looks of the main window that follow the current user, shared by the
// start-up and the user switch: background colour, annotations, button colours
// and the slot length. Each operation touches only what its name says.
namespace UserLook
{
// The window's background (the client area Form1Client) takes a 32-bit colour
// value, system colours included; Label5's background follows it.
void setBackgroundColour(Form1Ui& ui, qint32 colourValue);
// The same from a settings value: false, and nothing changed, when the value
// does not convert to a 32-bit colour (a text, a number too large).
bool setBackgroundColour(Form1Ui& ui, const LooseValue& colour);
// The colour value the window's background was last given (design: RGB(192, 192, 192)).
qint32 backgroundColour(const Form1Ui& ui);

// The two ultrasound boxes take the user's top annotation.
void setTopAnnotation(Form1Ui& ui, const LooseValue& annotation);
// Label3 (the operating-theatre title), then the menu item Bloc, take the
// user's bottom annotation.
void setBottomAnnotation(Form1Ui& ui, const LooseValue& annotation);

// The chosen user's button red (255), the other five the system button face
// (0x8000000F), in the order 1 to 6. A `chosen` outside 1..6 paints all six
// in the button face.
void setButtonColours(Form1Ui& ui, int chosen);

// Applies a slot code, read as a 16-bit number as the settings window reads it
// (an empty value counts as 0, a quoted "1" is 1): a code 0 to 4 sets the
// grid's time labels and SlotMinutes; any other value changes nothing. True
// when a code was applied.
bool applySlotCode(Form1Ui& ui, MainState& state, const LooseValue& code);
// LblHorImp shows SlotMinutes as decimal text.
void showSlotMinutes(Form1Ui& ui, const MainState& state);
} // namespace UserLook
