#include "mainwindow/ui/ShownDay.h"

#include "dayrecords/DayLoader.h"
#include "dayrecords/DayMerge.h"
#include "dayrecords/DayStore.h"
#include "dayrecords/Module1.h"
#include "dayrecords/ui/DayGrid.h"
#include "mainwindow/ConflictReport.h"
#include "mainwindow/SharedTexts.h"
#include "mainwindow/StartUpRules.h"
#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/PressButton.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/Dates.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/OwnedWindow.h"
#include "platform/ui/WaitCursor.h"

#include <QAction>
#include <QApplication>
#include <QCalendarWidget>
#include <QCheckBox>
#include <QCloseEvent>
#include <QLabel>
#include <QPushButton>
#include <QTimer>

namespace
{
// Label2's caption as a day serial; nothing when it holds no day (before the
// start-up has set one).
std::optional<qint32> captionSerial(const QLabel* label2)
{
    bool ok = false;
    const qint32 serial = label2->text().trimmed().toInt(&ok);
    return ok ? std::optional<qint32>(serial) : std::nullopt;
}
} // namespace

ShownDay::ShownDay(Form1& form) : QObject(&form), m_form(form)
{
    Form1Ui& ui = m_form.ui();
    connect(ui.CmdPrec, &PressButton::mousePressed, this, [this] { moveBy(-1); });
    connect(ui.CmdSuiv, &PressButton::mousePressed, this, [this] { moveBy(1); });
    connect(ui.MonthView1, &QCalendarWidget::clicked, this, [this] { calendarClicked(); });
    connect(ui.Command1, &QPushButton::clicked, this, [this] { showAgain(); });
    connect(ui.Enregistrer, &QAction::triggered, this, [this] { saveCommand(); });
    connect(ui.Enreg_auto, &QAction::triggered, this, [this] { autoSaveChosen(); });
    connect(ui.Quitte, &QAction::triggered, this, [this] { quit(); });
    connect(ui.Timer1, &QTimer::timeout, this, [this] { reloadTick(); });
    connect(&m_form, &Form1::closing, this, &ShownDay::onClosing);
}

QString ShownDay::saveFailedMessage(const QString& reason)
{
    return QStringLiteral("Le jour affiché n'a pas pu être enregistré.\n%1\n"
                          "Vos saisies restent à l'écran.")
        .arg(reason);
}

QString ShownDay::readFailedMessage(qint32 serial, const QString& reason)
{
    return QStringLiteral("Le %1 n'a pas pu être lu.\n%2\nL'agenda reste sur le jour affiché.")
        .arg(Dates::longDate(Dates::dateFromSerial(serial)), reason);
}

void ShownDay::showRecord(const std::optional<DayRecord>& record)
{
    m_form.ui().grid->clearSelections();
    if (record) {
        DayLoader::LoadDayRecord(*record, m_form.dayView());
    } else {
        DayLoader::ClearDayGrid(m_form.dayView());
    }
    rememberBase();
}

void ShownDay::rememberBase()
{
    const std::optional<qint32> serial = captionSerial(m_form.ui().Label2);
    if (!serial) {
        m_base.reset();
        return;
    }
    // The base is what the boxes hold once the day is in them, so that what
    // a box does to a text (line ends, a line break in a row) never counts
    // as this workstation's change.
    m_base = Base{m_form.state().CurrentUser, *serial,
                  DayUnits::of(DayLoader::FillDayRecord(m_form.dayView()))};
}

void ShownDay::reportConflicts()
{
    if (m_conflicts.isEmpty()) {
        return;
    }
    const QString text = ConflictReport::message(m_conflicts, m_form.state().SlotMinutes);
    m_conflicts.clear();
    Dialogs::message(&m_form, text);
}

void ShownDay::markConnected()
{
    MainState& st = m_form.state();
    if (st.DatabaseReady) {
        return;
    }
    st.DatabaseReady = true;
    const QString suffix = StartUpRules::notConnectedSuffix();
    const QString caption = m_form.windowTitle();
    if (caption.endsWith(suffix)) {
        m_form.setWindowTitle(caption.left(caption.size() - suffix.size()));
    }
}

Result<std::optional<DayRecord>> ShownDay::lookUpDay(int user, qint32 serial)
{
    if (!m_form.state().hasUser()) {
        return Result<std::optional<DayRecord>>::failure(SharedTexts::noDatabaseOpen());
    }
    auto found = Module1::dayLookup(user, serial, m_form.state().OpenPath);
    if (found) {
        markConnected();
    }
    return found;
}

bool ShownDay::holdsTyping() const
{
    const MainState& st = m_form.state();
    if (!st.DayModified) {
        return false;
    }
    const std::optional<qint32> serial = captionSerial(m_form.ui().Label2);
    if (!m_base || !serial || m_base->user != st.CurrentUser || m_base->serial != *serial) {
        return true;
    }
    return DayUnits::of(DayLoader::FillDayRecord(m_form.dayView())) != m_base->units;
}

Status ShownDay::showDay(qint32 serial)
{
    const auto found = lookUpDay(m_form.state().CurrentUser, serial);
    if (!found) {
        return found.status();
    }
    showRecord(*found);
    return Status::success();
}

Status ShownDay::saveShownDay()
{
    MainState& st = m_form.state();
    if (!st.canSave()) {
        return Status::failure(SharedTexts::noDatabaseOpen());
    }
    const std::optional<qint32> serial = captionSerial(m_form.ui().Label2);
    if (!serial) {
        return Status::failure(QStringLiteral("Aucun jour n'est affiché."));
    }
    st.ShownDaySerial = *serial;
    const DayRecord screen = DayLoader::FillDayRecord(m_form.dayView());
    // Unit by unit, what this workstation changed since the day was shown is
    // written over what is stored; the rest keeps what another workstation
    // may have stored meanwhile. A day shown for another user or day (never
    // the case in practice) is written as it stands.
    const bool merging = m_base && m_base->user == st.CurrentUser && m_base->serial == *serial;
    QList<DayConflict> conflicts;
    const auto written = Module1::daySave(st.CurrentUser, st.ShownDaySerial, st.OpenPath,
                                          [&](const std::optional<DayRecord>& stored) {
                                              if (!merging) {
                                                  return screen;
                                              }
                                              DayMergeResult merged = DayMerge::merge(m_base->units, screen, stored);
                                              conflicts = merged.conflicts;
                                              return merged.record;
                                          });
    if (!written) {
        return written.status();
    }
    markConnected();
    m_conflicts = conflicts;
    m_written = *written;
    m_base = Base{st.CurrentUser, *serial, DayUnits::of(*written)};
    emit saved(st.ShownDaySerial);
    return Status::success();
}

bool ShownDay::ENREG_01()
{
    const Status result = WaitCursor::during([this] { return saveShownDay(); });
    if (!result) {
        // Whatever asked for the save, the day is not stored: it stays
        // modified, so that neither the reload nor a move drops it.
        m_form.state().DayModified = true;
        Dialogs::message(&m_form, saveFailedMessage(result.error()));
        return false;
    }
    // The screen shows the day as written, another workstation's bookings
    // included.
    if (m_written) {
        DayLoader::LoadDayRecord(*m_written, m_form.dayView());
        m_written.reset();
        rememberBase();
    }
    m_form.state().DayModified = false;
    reportConflicts();
    return true;
}

bool ShownDay::saveIfModified()
{
    return !m_form.state().DayModified || ENREG_01();
}

void ShownDay::setShownDayCaptions(qint32 serial)
{
    m_form.dayView().setShownDayCaption(QString::number(serial));
    m_form.dayView().setLongDateCaption(Dates::longDate(Dates::dateFromSerial(serial)));
}

void ShownDay::applyTickRule()
{
    const bool today = Dates::daySerial(Clock::today()) == m_form.state().ShownDaySerial;
    for (int row = 0; row < DayGridShape::SlotCount; ++row) {
        m_form.ui().grid->tickBox(row)->setVisible(today);
    }
}

bool ShownDay::showSerial(qint32 serial)
{
    MainState& st = m_form.state();
    // The day is read before anything on screen changes, so that a failure
    // never leaves one day's rows under another day's date.
    const Result<std::optional<DayRecord>> found = lookUpDay(st.CurrentUser, serial);
    if (!found) {
        Dialogs::message(&m_form, readFailedMessage(serial, found.error()));
        return false;
    }
    st.ShownDaySerial = serial;
    setShownDayCaptions(serial);
    applyTickRule();
    showRecord(*found);
    return true;
}

bool ShownDay::openDayFromWindow(qint32 serial, QWidget* messageParent)
{
    if (!saveIfModified()) {
        return false;
    }
    MainState& st = m_form.state();
    const Result<std::optional<DayRecord>> found = lookUpDay(st.CurrentUser, serial);
    if (!found) {
        Dialogs::message(messageParent != nullptr ? messageParent : &m_form, readFailedMessage(serial, found.error()));
        return false;
    }
    setShownDayCaptions(serial);
    showRecord(*found);
    st.DayModified = false;
    showInFront();
    return true;
}

void ShownDay::showInFront()
{
    bringShownWindowToFront(&m_form);
}

bool ShownDay::SUIV_PREC()
{
    return showSerial(m_form.state().ShownDaySerial);
}

void ShownDay::moveBy(int days)
{
    if (!saveIfModified()) {
        return;
    }
    const std::optional<qint32> from = captionSerial(m_form.ui().Label2);
    if (!from) {
        return;
    }
    if (showSerial(*from + days)) {
        m_form.state().DayModified = false;
    }
}

void ShownDay::calendarClicked()
{
    MainState& st = m_form.state();
    QCalendarWidget* calendar = m_form.ui().MonthView1;
    const QDate picked = calendar->selectedDate();
    if (!saveIfModified() || !showSerial(Dates::daySerial(picked))) {
        // The calendar goes back to the day last taken from it.
        if (st.ShownDay.isValid()) {
            calendar->setSelectedDate(st.ShownDay);
        }
        return;
    }
    st.ShownDay = picked;
    st.DayModified = false;
}

void ShownDay::showAgain()
{
    // The stored day replaces what is on screen, without a save: this is how
    // the user drops edits.
    SUIV_PREC();
}

void ShownDay::saveCommand()
{
    ENREG_01();
}

void ShownDay::autoSaveChosen()
{
    // The check mark decides; the timer follows it.
    QTimer* timer = m_form.ui().Timer1;
    if (m_form.ui().Enreg_auto->isChecked()) {
        timer->start();
    } else {
        timer->stop();
    }
}

void ShownDay::reloadTick()
{
    if (QApplication::activeModalWidget() != nullptr) {
        return;
    }
    reloadUntyped();
}

void ShownDay::reloadUntyped()
{
    // The stored day is shown again only while the screen holds nothing the
    // user typed since the day was shown (a day reloaded by "x" is modified
    // but holds no typing); the shown day itself is read, whatever the other
    // windows did with the shared recordset.
    MainState& st = m_form.state();
    if (!st.hasUser() || holdsTyping()) {
        return;
    }
    const std::optional<qint32> serial = captionSerial(m_form.ui().Label2);
    if (!serial) {
        return;
    }
    const auto db = DbConnection::open(st.OpenPath);
    if (!db) {
        return;
    }
    const auto found = DayStore::lookup(**db, st.CurrentUser, *serial);
    if (!found) {
        return;
    }
    markConnected();
    showRecord(*found);
    st.DayModified = false;
}

void ShownDay::readElsewhere()
{
    // The grid of a window that was not connected may be the empty day the
    // start-up showed: the caption's warning goes only with a day shown from
    // the file, never over typing, which keeps it until this window's own
    // lookup or save.
    if (!m_form.state().DatabaseReady) {
        reloadUntyped();
    }
}

bool ShownDay::saveBeforeEnding()
{
    const Status result = m_form.state().canSave() ? WaitCursor::during([this] { return saveShownDay(); })
                                                    : Status::failure(SharedTexts::noDatabaseOpen());
    if (result) {
        m_form.state().DayModified = false;
        reportConflicts();
        return true;
    }
    if (!holdsTyping()) {
        return true; // nothing of the user's is lost
    }
    const QString question =
        QStringLiteral("Le jour affiché n'a pas pu être enregistré.\n%1\n\n"
                       "Quitter sans enregistrer ? (Non : rester dans l'agenda, vos saisies restent à l'écran)")
            .arg(result.error());
    // Non, staying with the edits, is the default: a reflex Enter loses nothing.
    return Dialogs::question(&m_form, question, QStringLiteral("Attention"), Dialogs::Answer::No)
           == Dialogs::Answer::Yes;
}

void ShownDay::endProgram()
{
    m_ending = true;
    m_form.ui().Timer1->stop();
    emit ending();
    m_form.close();
    QApplication::closeAllWindows();
    QCoreApplication::quit();
}

void ShownDay::quit()
{
    if (m_ending || !saveBeforeEnding()) {
        return;
    }
    endProgram();
}

void ShownDay::onClosing(QCloseEvent* event)
{
    if (m_ending) {
        return; // quitting saved already
    }
    if (!saveBeforeEnding()) {
        event->ignore();
        return;
    }
    endProgram();
}

void ShownDay::dataRestored()
{
    emit restored();
}
