#include "mainwindow/ui/frmAbout.h"

#include "mainwindow/ui/Artwork.h"
#include "platform/AppInfo.h"
#include "platform/Geometry.h"
#include "platform/ui/Layout.h"
#include "platform/ui/Screen.h"

#include <QLabel>
#include <QPainter>
#include <QPushButton>

namespace
{
using Geometry::twipRect;
using Geometry::twipsToPixels;

// A label of the dialog's font at its place.
QLabel* label(QWidget* parent, const char* name, const QString& text, int left, int top, int width, int height)
{
    return Layout::place(new QLabel(text, parent), name, left, top, width, height);
}
} // namespace

frmAbout::frmAbout(QWidget* parent) : QDialog(parent)
{
    setObjectName(QStringLiteral("frmAbout"));
    setAttribute(Qt::WA_DeleteOnClose);
    setModal(false);
    setFixedSize(twipsToPixels(5730), twipsToPixels(3555));
    setFont(Layout::classicFont(8.25));

    auto* icon = label(this, "picIcon", QString(), 240, 480, 2280, 1515);
    icon->setPixmap(Artwork::logo(QSize(152, 101)));

    m_title = label(this, "LblTitle", QString(), 3120, 240, 1365, 360);
    m_title->setFont(Layout::classicFont(8.25, true));
    m_title->setAlignment(Qt::AlignCenter);
    Layout::setTextColour(m_title, Qt::black);

    m_version = label(this, "LblVersion", QStringLiteral("Version"), 3240, 840, 1125, 225);
    m_version->setAlignment(Qt::AlignCenter);

    QLabel* description =
        label(this, "lblDescription", QStringLiteral("AGENDA pour prise de rendez vous"), 2640, 1440, 2325, 690);
    description->setAlignment(Qt::AlignCenter);
    description->setWordWrap(true);
    Layout::setTextColour(description, Qt::black);

    label(this, "Label1", QStringLiteral("Auteur"), 1080, 2640, 615, 255);
    label(this, "lblDisclaimer", authorName(), 480, 2880, 1830, 225);
    label(this, "Contact", QStringLiteral("Contact"), 120, 3120, 615, 255);
    QLabel* contact = label(this, "Label2", contactAddress(), 960, 3120, 1695, 255);
    // The address is longer than its box in some fonts: let it run to the OK button.
    contact->setGeometry(twipRect(960, 3120, 3165, 255));
    Layout::setTextColour(contact, QColor(0, 0, 255));

    // OK is the default button (Enter) and QDialog's Escape rejects: both close.
    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("cmdOK"));
    m_ok->setGeometry(twipRect(4245, 2640, 1260, 705));
    m_ok->setDefault(true);
    m_ok->setAutoDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &QDialog::accept);
    setTabOrder(m_ok, m_ok);
    m_ok->setFocus();

    Form_Load();
}

QString frmAbout::authorName()
{
    return QStringLiteral("Jean Halverin");
}

QString frmAbout::contactAddress()
{
    return QStringLiteral("contact@brelant.fr");
}

void frmAbout::Form_Load()
{
    Screen::centre(this);
    setWindowTitle(QStringLiteral("À propos de ") + AppInfo::title());
    m_version->setText(QStringLiteral("Version %1.%2.%3")
                           .arg(AppInfo::versionMajor())
                           .arg(AppInfo::versionMinor())
                           .arg(AppInfo::versionRevision()));
    m_title->setText(AppInfo::title());
}

void frmAbout::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // Its frame is known once shown: centred again with its outer size.
    if (!m_centred) {
        m_centred = true;
        Screen::centre(this);
    }
}

void frmAbout::paintEvent(QPaintEvent* event)
{
    QDialog::paintEvent(event);
    // The engraved line across the window: grey, with white under it.
    QPainter painter(this);
    painter.setPen(QPen(QColor(128, 128, 128), 1));
    painter.drawLine(twipsToPixels(90), twipsToPixels(2445), twipsToPixels(5654), twipsToPixels(2445));
    painter.setPen(QPen(Qt::white, 2));
    painter.drawLine(twipsToPixels(105), twipsToPixels(2460) + 1, twipsToPixels(5654), twipsToPixels(2460) + 1);
}
