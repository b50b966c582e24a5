#pragma once

#include <memory>

class Form0;
class Form1;

// The road from the program's start to the main window: the splash window,
// then, when its time is up, the main window loaded and shown.
namespace ProgramStart
{
// Shows the splash window. When its timer ends it is closed, and the main
// window is loaded, shown and handed to `mainWindow`.
Form0* begin(std::unique_ptr<Form1>& mainWindow);

// The main window with every command connected, not loaded yet: the program,
// the tests and the benchmarks all make it here.
std::unique_ptr<Form1> newMainWindow();

// Loads the main window (its load runs before it shows), then shows it
// centred and in front of the greeting window, if any.
std::unique_ptr<Form1> openMainWindow();
} // namespace ProgramStart
