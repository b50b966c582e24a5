#include "mainwindow/ui/Form0.h"

#include "mainwindow/ui/Artwork.h"
#include "platform/AppInfo.h"
#include "platform/Geometry.h"
#include "platform/ui/Screen.h"

#include <QLabel>
#include <QTimer>

namespace
{
using Geometry::twipRect;

QLabel* label(QWidget* parent, const char* name, const QString& text, int left, int top, int width, int height,
              double points, bool bold, Qt::Alignment alignment = Qt::AlignCenter)
{
    auto* lbl = new QLabel(text, parent);
    lbl->setObjectName(QString::fromLatin1(name));
    lbl->setGeometry(twipRect(left, top, width, height));
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(points);
    font.setBold(bold);
    lbl->setFont(font);
    lbl->setAlignment(alignment);
    return lbl;
}
} // namespace

Form0::Form0(QWidget* parent) : QWidget(parent, Qt::SplashScreen | Qt::FramelessWindowHint)
{
    setObjectName(QStringLiteral("Form0"));
    setWindowTitle(QStringLiteral("KORDELA"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Geometry::twipsToPixels(7215), Geometry::twipsToPixels(5700));
    QPalette pal = palette();
    pal.setColor(QPalette::Window, QColor(192, 192, 192));
    setPalette(pal);
    setAutoFillBackground(true);

    auto* border = new QLabel(this);
    border->setGeometry(rect());
    border->setFrameStyle(QFrame::Panel | QFrame::Raised);
    border->setLineWidth(2);

    label(this, "LblTitle", AppInfo::title(), 1080, 120, 3015, 495, 24, true);
    label(this, "LblVersion",
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

    label(this, "Label3", QStringLiteral("Le carnet de rendez vous du médecin"), 720, 3840, 5775, 375, 13.5, true);
    QLabel* company = label(this, "Label6", QStringLiteral("Brelant"), 2760, 4320, 1815, 615, 24, true);
    QPalette olive = company->palette();
    olive.setColor(QPalette::WindowText, QColor(128, 128, 0));
    company->setPalette(olive);
    label(this, "Label1", QStringLiteral("Chargement de l'agenda…"), 240, 5220, 3360, 255, 8, false,
          Qt::AlignLeft | Qt::AlignVCenter);
    label(this, "Label2", QStringLiteral("© Brelant, tous droits réservés"), 3600, 5220, 3375, 255, 8, false,
          Qt::AlignRight | Qt::AlignVCenter);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(DisplayMs);
    connect(m_timer, &QTimer::timeout, this, &Form0::Timer1_Timer);
    m_timer->start();
    Screen::centre(this);
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
