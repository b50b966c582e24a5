#pragma once

#include "settings/LooseValue.h"

#include <QDate>
#include <QString>

#include <array>

// The main window's own state (members of Form1), as the start-up sets it and
// the day, user and editing commands keep it.
struct MainState
{
    // Read from the registry at load.
    QString DatabasePath; // CHEMIN as read, or the default path for an empty value
    QString OpenPath;     // the path every database opening of the main window uses
    QString UserFilesDir; // folder of Utilisat.vlk
    QString NamesPath;    // names database of the name completion

    // Copies of the users' settings (values as read).
    std::array<LooseValue, 6> UserNames;
    std::array<LooseValue, 6> UserColours;
    std::array<LooseValue, 6> UserSlotCodes;
    std::array<LooseValue, 6> UserTopAnnotations;
    std::array<LooseValue, 6> UserBottomAnnotations;

    // Name completion (Alpha.vlk).
    LooseValue NameLookupFlag;
    LooseValue NamesTable;
    bool NameLookupOn = false;

    QDate ShownDay;           // the calendar's last chosen day (today at start)
    qint32 ShownDaySerial = 0; // the day used by the last save or show
    int CurrentUser = 0;      // 1..6; 0 until the start-up sets user 1
    qint16 SlotMinutes = 0;   // 10, 15, 20, 30, 60, or 0
    bool DayModified = false;

    // Whether the window counts as connected to the appointment database:
    // false until the start-up's day lookup reaches it (the caption then
    // carries " (non connecté)"), true from the first lookup or save of the
    // main window that succeeds. It blocks nothing: every lookup and save
    // opens the database anew, so a file that comes back (a share mounted
    // late) serves the next move, switch or save.
    bool DatabaseReady = false;

    // False only when the start-up stopped at the CHEMIN path test: no user,
    // no settings, no path that any window may open.
    bool hasUser() const { return CurrentUser >= 1 && CurrentUser <= 6; }
    // Whether a lookup or a save may be tried: there is a user and a path
    // that passed the test. Whether it succeeds is the database's answer.
    bool canSave() const { return hasUser(); }
};
