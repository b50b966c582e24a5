#include "search/ui/FrmRech.h"

#include "dayrecords/DayRecord.h"
#include "dayrecords/ui/DayGrid.h"
#include "dayrecords/ui/SlotTextBox.h"
#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/ShownDay.h"
#include "platform/Clock.h"
#include "platform/Dates.h"
#include "platform/Geometry.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Layout.h"
#include "platform/ui/Screen.h"
#include "platform/ui/WaitCursor.h"
#include "search/AppointmentSearch.h"
#include "search/SearchDates.h"
#include "settings/UserSettingsFile.h"

#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QToolButton>

namespace
{
using Geometry::twipsToPixels;
using Layout::place;

constexpr int PictureSide = 32;

// The search button's picture: a magnifying glass.
QPixmap magnifier()
{
    QPixmap picture(PictureSide, PictureSide);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(90, 60, 20), 5, Qt::SolidLine, Qt::RoundCap));
    painter.drawLine(QPointF(20, 20), QPointF(29, 29));
    painter.setPen(QPen(QColor(40, 40, 40), 2.5));
    painter.setBrush(QColor(190, 225, 255));
    painter.drawEllipse(QPointF(13, 13), 9.5, 9.5);
    painter.setPen(QPen(Qt::white, 2, Qt::SolidLine, Qt::RoundCap));
    painter.drawArc(QRectF(7, 7, 12, 12), 100 * 16, 70 * 16);
    return picture;
}

// The closing button's picture: an open door and an arrow going out.
QPixmap openDoor()
{
    QPixmap picture(PictureSide, PictureSide);
    picture.fill(Qt::transparent);
    QPainter painter(&picture);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 40, 20), 2));
    painter.setBrush(QColor(240, 240, 240));
    painter.drawRect(QRectF(4, 3, 16, 26));
    QPainterPath door;
    door.moveTo(4, 3);
    door.lineTo(13, 7);
    door.lineTo(13, 31);
    door.lineTo(4, 29);
    door.closeSubpath();
    painter.setBrush(QColor(170, 110, 50));
    painter.drawPath(door);
    painter.setPen(QPen(QColor(0, 128, 0), 3, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    painter.drawLine(QPointF(17, 16), QPointF(29, 16));
    painter.drawLine(QPointF(24, 11), QPointF(29, 16));
    painter.drawLine(QPointF(24, 21), QPointF(29, 16));
    return picture;
}

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
// in the week window's lists; one of another button does nothing.
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

QString FrmRech::badDateMessage()
{
    return QStringLiteral("La Date est saisie selon un mode incorrect. Veuillez corriger.");
}

QString FrmRech::noDatabaseMessage()
{
    return QStringLiteral("Aucune base de données n'est ouverte : la recherche est impossible.");
}

QString FrmRech::searchFailedMessage(const QString& reason)
{
    return QStringLiteral("La recherche n'a pas pu se faire.\n%1").arg(reason);
}

void FrmRech::buildLayout()
{
    Layout::caption(this, "Label1", QStringLiteral("Entre le"), 120, 120, 735, 255, 8.25, true, Qt::AlignLeft);
    TxtDate1 = textBox(this, "TxtDate1", 840, 120, 1575, 285);
    Layout::caption(this, "Label2", QStringLiteral("et le "), 120, 480, 735, 255, 8.25, true, Qt::AlignLeft);
    TxtDate2 = textBox(this, "TxtDate2", 840, 480, 1575, 285);
    Layout::caption(this, "Label3", QStringLiteral("Nom à rechercher"), 240, 960, 3735, 255, 8.25, true);
    TxtNom = textBox(this, "TxtNom", 120, 1320, 4095, 375);
    Command1 = pictureButton(this, "Command1", QStringLiteral("Recherche"), magnifier(), 120, 1800, 2055, 855);
    Command2 = pictureButton(this, "Command2", QStringLiteral("Quitter"), openDoor(), 2400, 1800, 1935, 855);
    QLabel* hint = Layout::caption(this, "Label4",
                                   QStringLiteral("Double clic sur la date trouvée pour retrouver le rendez vous"),
                                   120, 2880, 4215, 615, 8.25, false);
    hint->setWordWrap(true);
    List1 = place(new FoundDayList(this), "List1", 4440, 120, 1935, 3375);
    List1->setSelectionMode(QAbstractItemView::SingleSelection);

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
    setWindowTitle(QStringLiteral("Recherche chez ")
                   + users.values.names[static_cast<std::size_t>(m_user - 1)].toText());
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
        Dialogs::message(this, noDatabaseMessage());
        return;
    }
    const std::optional<QDate> first = SearchDates::parse(TxtDate1->text());
    const std::optional<QDate> last = SearchDates::parse(TxtDate2->text());
    if (!first || !last) {
        // The previous result stays on view.
        Dialogs::message(this, badDateMessage());
        return;
    }
    List1->clear();
    LblNbr->setText(QStringLiteral("0"));
    const AppointmentSearch::Request request{m_user, Dates::daySerial(*first), Dates::daySerial(*last),
                                             TxtNom->text()};
    Result<QList<qint32>> found = QList<qint32>();
    {
        WaitCursor hourglass;
        found = AppointmentSearch::findDays(m_form.state().OpenPath, request);
    }
    if (!found) {
        Dialogs::message(this, searchFailedMessage(found.error()));
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
    m_form.show();
    m_form.raise();
    m_form.activateWindow();
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
