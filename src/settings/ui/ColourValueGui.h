#pragma once

#include "settings/ColourValue.h"

#include <QColor>
#include <QPalette>

// The 32-bit colour values of the settings file on screen.
namespace ColourValue
{
// The colour to paint: an explicit colour as it stands, a system colour from
// `palette` (0x80000005, the window background, is QPalette::Base; 0x8000000F,
// the button face, is QPalette::Button; an unknown one the button face).
QColor toQColor(qint32 value, const QPalette& palette);
// The 32-bit value of a chosen colour (always an explicit colour).
qint32 fromQColor(const QColor& colour);
} // namespace ColourValue
