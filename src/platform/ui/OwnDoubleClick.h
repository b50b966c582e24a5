#pragma once

class QWidget;

// A double click counts for a widget only when both its clicks landed in it:
// the application's last press was this widget's. A button that opens or
// closes a window, or a popup menu's item, double-clicked, has the widget
// then under the mouse given the second click as a double click: for such a
// widget it is a single press.
namespace OwnDoubleClick
{
// Watches the mouse events of `target` (a list's viewport, a slot row) for its lifetime.
void install(QWidget* target);
} // namespace OwnDoubleClick
