#pragma once

#include <QIcon>
#include <QPixmap>
#include <QSize>

// The program's pictures, drawn in code so that they stay sharp at any size
// and need no image files: the note pad of the window icon and the post-it,
// the absence cross, the ultrasound tick, the week table, the open notebook
// with its pen, the logo, the greeting's flower, and the pictures of the
// search and backup windows' buttons.
namespace Artwork
{
QPixmap notePad(int side);          // a spiral-bound note pad
QPixmap redCross(int side);         // the absence buttons
QPixmap blueTick(int side);         // the ultrasound buttons
QPixmap weekTable(int side);        // the week button: a table of rows
QPixmap notebookWithPen(const QSize& size); // an open notebook and a pen
QPixmap logo(const QSize& size);    // the program's logo (About box, splash)
QPixmap flower(int side);           // the greeting window
QPixmap magnifier(int side);        // the search button
QPixmap openDoor(int side);         // the search window's closing button
QPixmap diskette(int side);         // the backup window's icon and picture

// The window icon: the note pad at the usual icon sizes.
QIcon applicationIcon();
} // namespace Artwork
