#pragma once

class QWidget;

namespace Screen
{
// left = (screen width - window width) / 2, top likewise, with the window's
// outer size.
void centre(QWidget* window);
} // namespace Screen
