#include "search/ui/FrmRech.h"

#include "dayrecords/DayRecord.h"
#include "dayrecords/ui/DayGrid.h"
#include "dayrecords/ui/SlotTextBox.h"
#include "mainwindow/SharedTexts.h"
#include "mainwindow/ui/Artwork.h"
#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/ShownDay.h"
#include "platform/Clock.h"
#include "platform/Dates.h"
#include "platform/Geometry.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Layout.h"
#include "platform/ui/OwnDoubleClick.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WaitCursor.h"
#include "search/AppointmentSearch.h"
#include "search/SearchDates.h"
#include "search/SearchTexts.h"
#include "settings/UserSettingsFile.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QToolButton>

namespace
{
using Geometry::twipsToPixels;
using Layout::place;

constexpr int PictureSide = 32;

QToolButton* pictureButton(QWidget* parent, const char* name, const QString& caption, const QPixmap& picture,
                           int left, int top, int width, int height)
{
    auto* button = place(new QToolButton(parent), name, left, top, width, height);
    button->setText(caption);
    button->setIcon(QIcon(picture));
    button->setIconSize(QSize(PictureSide, PictureSide));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFont(Layout::classicFont(8.25, true));
    button->setFocusPolicy(Qt::StrongFocus);
    return button;
}

// The list of found days: a double click of the left button opens a day, as
// in the week window's lists, when both its clicks landed in the list; one of
// another button does nothing.
class FoundDayList : public QListWidget
{
public:
    using QListWidget::QListWidget;

protected:
    void mouseDoubleClickEvent(QMouseEvent* event) override
    {
        if (event->button() != Qt::LeftButton) {
            event->ignore();
            return;
        }
        QListWidget::mouseDoubleClickEvent(event);
    }
};

QLineEdit* textBox(QWidget* parent, const char* name, int left, int top, int width, int height)
{
    return place(new QLineEdit(parent), name, left, top, width, height);
}
} // namespace

FrmRech::FrmRech(Form1& form) : QWidget(nullptr, Qt::Window), m_form(form)
{
    setObjectName(QStringLiteral("FrmRech"));
    setAttribute(Qt::WA_DeleteOnClose);
    setWindowTitle(QStringLiteral("Recherche"));
    setFixedSize(twipsToPixels(6495), twipsToPixels(3630));
    setFont(Layout::classicFont(8.25));
    buildLayout();
    Form_Load();
}

void FrmRech::buildLayout()
{
    Layout::caption(this, "Label1", QStringLiteral("Entre le"), 120, 120, 735, 255, 8.25, true, Qt::AlignLeft);
    TxtDate1 = textBox(this, "TxtDate1", 840, 120, 1575, 285);
    Layout::caption(this, "Label2", QStringLiteral("et le "), 120, 480, 735, 255, 8.25, true, Qt::AlignLeft);
    TxtDate2 = textBox(this, "TxtDate2", 840, 480, 1575, 285);
    Layout::caption(this, "Label3", QStringLiteral("Nom à rechercher"), 240, 960, 3735, 255, 8.25, true);
    TxtNom = textBox(this, "TxtNom", 120, 1320, 4095, 375);
    Command1 = pictureButton(this, "Command1", QStringLiteral("Recherche"), Artwork::magnifier(PictureSide), 120, 1800, 2055, 855);
    Command2 = pictureButton(this, "Command2", QStringLiteral("Quitter"), Artwork::openDoor(PictureSide), 2400, 1800, 1935, 855);
    QLabel* hint = Layout::caption(this, "Label4",
                                   QStringLiteral("Double clic sur la date trouvée pour retrouver le rendez vous"),
                                   120, 2880, 4215, 615, 8.25, false);
    hint->setWordWrap(true);
    List1 = place(new FoundDayList(this), "List1", 4440, 120, 1935, 3375);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);
    OwnDoubleClick::install(List1->viewport());

    TxtRV = textBox(this, "TxtRV", 2520, 360, 975, 375);
    TxtRV->setText(QStringLiteral("Text1"));
    TxtRV->hide();
    LblNbr = Layout::caption(this, "LblNbr", QStringLiteral("LblNbr"), 3600, 0, 615, 375, 8.25, false);
    LblNbr->hide();

    setTabOrder(TxtNom, TxtDate1);
    setTabOrder(TxtDate1, TxtDate2);
    setTabOrder(TxtDate2, Command1);
    setTabOrder(Command1, Command2);
    setTabOrder(Command2, List1);
    TxtNom->setFocus();

    connect(Command1, &QToolButton::clicked, this, &FrmRech::Command1_Click);
    connect(Command2, &QToolButton::clicked, this, &FrmRech::Command2_Click);
    connect(List1, &QListWidget::itemDoubleClicked, this, &FrmRech::List1_DblClick);
}

void FrmRech::Form_Load()
{
    const QDate today = Clock::today();
    TxtDate1->setText(Dates::shortDate(SearchDates::defaultFirst(today)));
    TxtDate2->setText(Dates::shortDate(SearchDates::defaultLast(today)));

    const QString folder = userSettingsFolder();
    const UserSettingsRead users = ReadUserSettingsFile(folder);
    if (users.formatError) {
        Dialogs::message(&m_form, userSettingsFormatMessage(folder));
    }

    // Without a user the start-up opened no database: nothing can be searched.
    const MainState& st = m_form.state();
    if (!st.hasUser()) {
        return;
    }
    m_user = st.CurrentUser;
    TxtRV->setText(DayQuery::tableName(m_user));
    setWindowTitle(SearchTexts::windowTitle(users.values.names[static_cast<std::size_t>(m_user - 1)].toText()));
}

void FrmRech::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    // Centred once, with the frame known.
    if (!m_centred) {
        m_centred = true;
        Screen::centre(this);
    }
}

void FrmRech::Command1_Click()
{
    if (m_user == 0 || !m_form.state().hasUser()) {
        Dialogs::message(this, SharedTexts::noDatabaseOpen());
        return;
    }
    const std::optional<QDate> first = SearchDates::parse(TxtDate1->text());
    const std::optional<QDate> last = SearchDates::parse(TxtDate2->text());
    if (!first || !last) {
        // The previous result stays on view.
        Dialogs::message(this, SearchTexts::badDateMessage());
        return;
    }
    List1->clear();
    LblNbr->setText(QStringLiteral("0"));
    const AppointmentSearch::Request request{m_user, Dates::daySerial(*first), Dates::daySerial(*last),
                                             TxtNom->text()};
    const Result<QList<qint32>> found =
        WaitCursor::during([&] { return AppointmentSearch::findDays(m_form.state().OpenPath, request); });
    if (!found) {
        Dialogs::message(this, SearchTexts::searchFailedMessage(found.error()));
        return;
    }
    for (const qint32 day : *found) {
        auto* item = new QListWidgetItem(Dates::shortDate(Dates::dateFromSerial(day)));
        item->setData(Qt::UserRole, day);
        List1->addItem(item);
    }
    LblNbr->setText(QString::number(List1->count()));
}

void FrmRech::Command2_Click()
{
    close();
}

void FrmRech::List1_DblClick()
{
    const QList<QListWidgetItem*> selected = List1->selectedItems();
    if (selected.isEmpty()) {
        return;
    }
    // The day as the search found it, never read back from the list's text.
    const qint32 day = selected.constFirst()->data(Qt::UserRole).toInt();
    const QString text = TxtNom->text();
    // The shown day's edits are saved first; when that or the reading fails
    // the message has been shown and this window stays with its list.
    if (!m_form.shownDay().openDayFromWindow(day, this)) {
        return;
    }
    close();
    m_form.shownDay().showInFront();
    selectInSlots(*m_form.ui().grid, text);
}

void FrmRech::selectInSlots(DayGrid& grid, const QString& text)
{
    for (int row = 0; row < DayGridShape::SlotCount; ++row) {
        SlotTextBox* box = grid.slotBox(row);
        // A box whose text the opening left as it was may hold an older selection.
        box->deselect();
        box->find(text);
    }
}
