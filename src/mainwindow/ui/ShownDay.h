#pragma once

#include "dayrecords/DayMerge.h"
#include "dayrecords/DayRecord.h"
#include "platform/Result.h"

#include <QObject>

#include <optional>

class Form1;
class QCloseEvent;
class QWidget;

// The shown day: saving (ENREG_01), showing (SUIV_PREC), day moves, calendar,
// the "x" button, the save command, the reload timer and quitting.
//
// The shown day is Label2's caption: every save writes the day it names, for
// the current user. A save that fails leaves the edits on screen and the day
// modified; a day that cannot be read leaves the window on the day it showed.
class ShownDay : public QObject
{
    Q_OBJECT

public:
    explicit ShownDay(Form1& form);

    // The main window's day lookup for `user`: the database is opened anew
    // at OpenPath, so a file that was missing serves as soon as it is back.
    // Refused without a user (the start-up stopped at the path test). A
    // lookup that succeeds marks the window connected again.
    Result<std::optional<DayRecord>> lookUpDay(int user, qint32 serial);

    // Whether the screen holds something the user typed, ticked or toggled
    // that is not stored: the day is modified and differs from the day as it
    // was shown (or was never shown from the database). A day modified only
    // by a reload ("x") holds nothing of the user's.
    bool holdsTyping() const;

    // The day show: looks day `serial` up in the current user's table and
    // loads it into the grid, or clears the grid when it has no record. The
    // caller shows the reason of a failure.
    Status showDay(qint32 serial);

    // The day save of the shown day (Label2) for the current user, without
    // message; ENREG_01 wraps it with the hourglass, the message and the flag.
    Status saveShownDay();
    // ENREG_01: false when the save failed (its message has been shown; the
    // edits stay on screen and DayModified stays set).
    bool ENREG_01();
    // The save that comes before a change of day, user or view: ENREG_01 when
    // the shown day is modified. False when that save failed: the caller stops.
    bool saveIfModified();

    // SUIV_PREC: shows the day of ShownDaySerial (Label2, LblDate, the tick
    // boxes, the grid). False when the day could not be read: the message has
    // been shown and the window still shows the day it showed before.
    bool SUIV_PREC();
    // The same for any day: ShownDaySerial becomes `serial` once it is shown.
    bool showSerial(qint32 serial);

    // Opens day `serial` of the current user at another window's request (the
    // week window, the search). The shown day's unsaved edits are saved to
    // their own day first; the day is read before anything on screen changes;
    // Label2 and LblDate name it and the grid shows its record, or an empty
    // grid with the banners and ultrasound boxes hidden, and it becomes the
    // base of the next save; DayModified is false after, and the main window
    // comes in front (showInFront). ShownDaySerial, the calendar and the tick
    // boxes' visibility stay as they were, so "x" goes back to the day the
    // main window itself showed. False when the save or the read failed: the
    // message has been shown (over `messageParent`, or the main window) and
    // nothing on screen changed.
    bool openDayFromWindow(qint32 serial, QWidget* messageParent = nullptr);

    // The main window comes in front with the keyboard, so that the day it
    // shows is seen: a window the user minimised comes back as it was before.
    void showInFront();

    // Shows a looked-up record (or the empty grid for none) and keeps it as the
    // day as shown, against which the next save tells this workstation's edits
    // from another workstation's.
    void showRecord(const std::optional<DayRecord>& record);

    // Another window's read (the week) reached the database. A window not
    // connected yet shows the shown day again from the file, as the reload
    // does, and counts as connected; with typing on screen it stays as it is,
    // " (non connecté)" included, until its own lookup or save.
    void readElsewhere();

    // Label2 (digits) and LblDate (long date) for a day.
    void setShownDayCaptions(qint32 serial);
    // The 53 tick boxes are shown only when the shown day is today.
    void applyTickRule();

    // The commands, as the controls run them (public for the week window and tests).
    void moveBy(int days);       // CmdPrec (-1), CmdSuiv (+1)
    void calendarClicked();      // MonthView1
    void showAgain();            // Command1 "x"
    void saveCommand();          // "&Enregistrer"
    void autoSaveChosen();       // "Enregistrement automatique"
    void reloadTick();           // Timer1
    void quit();                 // "&Quitter"

    // A restore replaced the appointments and the users' settings: the
    // windows that show days of the old data close on `restored`.
    void dataRestored();

    // The French message for a save that failed, and for a day that could not be read.
    static QString saveFailedMessage(const QString& reason);
    static QString readFailedMessage(qint32 serial, const QString& reason);

signals:
    // The shown day was stored (once per save).
    void saved(qint32 serial);
    // The program is ending: the search window closes itself on it.
    void ending();
    // The appointments were replaced by a restore: the week and search windows close.
    void restored();

private:
    // A lookup or save of this window reached the database: " (non connecté)"
    // leaves the caption.
    void markConnected();
    // The reload: the shown day read again and shown, unless the screen holds typing.
    void reloadUntyped();
    void onClosing(QCloseEvent* event);
    // After the save of quitting or closing: true when the program may end.
    bool saveBeforeEnding();
    void endProgram();
    // The day as it was shown: its user and day, and its units.
    struct Base
    {
        int user = 0;
        qint32 serial = 0;
        DayUnits units;
    };

    void rememberBase();
    // Tells the user what another workstation had changed that this save replaced.
    void reportConflicts();

    Form1& m_form;
    bool m_ending = false;
    std::optional<Base> m_base;
    QList<DayConflict> m_conflicts;
    std::optional<DayRecord> m_written;
};
