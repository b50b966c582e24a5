#pragma once

#include <QString>
#include <QUrl>

#include <functional>

class QWidget;

// The help display. The program names its help file Kordela.HLP in its
// folder; what ships in its place is the French page Kordela.html, which the
// desktop's viewer (the web browser) opens beside the program.
namespace HelpViewer
{
// The page shipped for a help file: the same folder and name, ".html" for
// the extension (Kordela.HLP gives Kordela.html), found without regard to case.
QString pageFor(const QString& helpFile);

// Opens the help file on its contents with the desktop's viewer and returns at
// once. A missing page or no viewer gives a French message; false then.
bool showContents(QWidget* parent, const QString& helpFile);

namespace Test
{
// Replaces the desktop's viewer (tests): gets the page's URL, says whether it opened.
void setOpener(std::function<bool(const QUrl&)> opener);
void resetOpener();
} // namespace Test
} // namespace HelpViewer
