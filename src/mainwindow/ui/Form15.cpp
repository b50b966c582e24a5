#include "mainwindow/ui/Form15.h"

#include "mainwindow/ui/Artwork.h"
#include "platform/Geometry.h"
#include "platform/ui/Layout.h"
#include "platform/ui/Screen.h"

#include <QLabel>
#include <QPushButton>

namespace
{
using Geometry::twipRect;

const QColor LightGrey(224, 224, 224);

using Layout::caption;
} // namespace

Form15::Form15(QWidget* mainWindow) : QWidget(nullptr), m_mainWindow(mainWindow)
{
    setObjectName(QStringLiteral("Form15"));
    setWindowTitle(QStringLiteral("Form15"));
    setAttribute(Qt::WA_DeleteOnClose);
    setFixedSize(Geometry::twipsToPixels(7455), Geometry::twipsToPixels(5295));
    Layout::setBackground(this, LightGrey);

    m_day = caption(this, "Label2", QStringLiteral("16 Avril"), 2760, 1080, 1935, 375, 18, true);
    caption(this, "Label1", QStringLiteral("Aujourd'hui c'est l'anniversaire du bon "), 960, 1800, 5535, 375,
            13.5, false);
    m_name = caption(this, "Label5", QString(), 1320, 2280, 4815, 375, 13.5, false);
    caption(this, "Label3", QStringLiteral("Vous pouvez le lui souhaiter à l'adresse :"), 1080, 2880, 5295, 375,
            12, false);
    m_address = caption(this, "Label4", QString(), 2280, 3480, 2895, 375, 12, true);
    // The address may be longer than its box: let it take the window's width.
    m_address->setGeometry(twipRect(240, 3480, 6975, 375));

    m_ok = new QPushButton(QStringLiteral("OK"), this);
    m_ok->setObjectName(QStringLiteral("Command1"));
    m_ok->setGeometry(twipRect(3120, 4080, 1335, 735));
    m_ok->setDefault(true);
    connect(m_ok, &QPushButton::clicked, this, &Form15::Command1_Click);

    // The same flower in the four corners.
    const int corners[4][2] = {{240, 240}, {6495, 240}, {240, 4335}, {6495, 4335}};
    for (int i = 0; i < 4; ++i) {
        auto* image = new QLabel(this);
        image->setObjectName(QStringLiteral("Image%1").arg(i + 1));
        image->setGeometry(twipRect(corners[i][0], corners[i][1], 720, 720));
        image->setPixmap(Artwork::flower(image->width()));
    }
    Screen::centre(this);
}

void Form15::setTexts(const QString& day, const QString& name, const QString& address)
{
    m_day->setText(day);
    m_name->setText(name);
    m_address->setText(address);
}

void Form15::Command1_Click()
{
    close();
    if (m_mainWindow) {
        m_mainWindow->show();
        m_mainWindow->raise();
        m_mainWindow->activateWindow();
    }
}
