#pragma once

class QWidget;

// A double click counts for a widget only when both its clicks landed in it.
// A button that opens a window, double-clicked, has that window come up under
// the mouse at the first click, and the window's widget under the mouse is
// then given the second click as a double click: for such a widget it is a
// single press.
namespace OwnDoubleClick
{
// Watches the mouse events of `target` (a list's viewport) for its lifetime.
void install(QWidget* target);
} // namespace OwnDoubleClick
