#include "mainwindow/ui/Form0.h"

#include "mainwindow/ui/Artwork.h"
#include "platform/AppInfo.h"
#include "platform/Geometry.h"
#include "platform/ui/Layout.h"
#include "platform/ui/Screen.h"

#include <QCloseEvent>
#include <QLabel>
#include <QTimer>

namespace
{
using Geometry::twipRect;
using Layout::caption;
} // namespace

Form0::Form0(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Form0"));
    setWindowTitle(QStringLiteral("KORDELA"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Geometry::twipsToPixels(7215), Geometry::twipsToPixels(5700));
    Layout::setBackground(this, QColor(192, 192, 192));

    auto* border = new QLabel(this);
    border->setGeometry(rect());
    border->setFrameStyle(QFrame::Panel | QFrame::Raised);
    border->setLineWidth(2);

    caption(this, "LblTitle", AppInfo::title(), 1080, 120, 3015, 495, 24, true);
    caption(this, "LblVersion",
            QStringLiteral("Version %1.%2.%3")
                .arg(AppInfo::versionMajor())
                .arg(AppInfo::versionMinor())
                .arg(AppInfo::versionRevision()),
            4200, 240, 1815, 375, 12, true);

    auto* image = new QLabel(this);
    image->setObjectName(QStringLiteral("Image1"));
    image->setGeometry(twipRect(1320, 960, 4560, 2760));
    image->setAlignment(Qt::AlignCenter);
    image->setPixmap(Artwork::logo(QSize(258, 172)));

    caption(this, "Label3", QStringLiteral("Le carnet de rendez vous du médecin"), 720, 3840, 5775, 375, 13.5, true);
    QLabel* company = caption(this, "Label6", QStringLiteral("Brelant"), 2760, 4320, 1815, 615, 24, true);
    Layout::setTextColour(company, QColor(128, 128, 0));
    caption(this, "Label1", QStringLiteral("Chargement de l'agenda…"), 240, 5220, 3360, 255, 8, false,
            Qt::AlignLeft | Qt::AlignVCenter);
    caption(this, "Label2", QStringLiteral("© Brelant, tous droits réservés"), 3600, 5220, 3375, 255, 8, false,
            Qt::AlignRight | Qt::AlignVCenter);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(DisplayMs);
    connect(m_timer, &QTimer::timeout, this, &Form0::Timer1_Timer);
    m_timer->start();
    Screen::centre(this);
}

void Form0::closeEvent(QCloseEvent* event)
{
    QWidget::closeEvent(event);
    Timer1_Timer();
}

void Form0::Timer1_Timer()
{
    if (m_done) {
        return;
    }
    m_done = true;
    m_timer->stop();
    emit timeUp();
}
