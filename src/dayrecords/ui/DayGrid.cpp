#include "dayrecords/ui/DayGrid.h"

#include "dayrecords/GridLabels.h"
#include "dayrecords/ui/SlotTextBox.h"
#include "platform/Geometry.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

namespace
{
const QColor ShadedRowColour(224, 224, 224);

QFont frameFont()
{
    QFont font(QStringLiteral("MS Sans Serif"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(8.25);
    font.setBold(true);
    return font;
}

// The window's default font, which the rows and the post-it box use: the
// frames' bold caption font must not reach them.
QFont rowFont()
{
    QFont font = frameFont();
    font.setBold(false);
    return font;
}

// The rows' font, made smaller where the widest caption ("00h 00") would not
// fit the label's width with the fonts of this desktop.
QFont labelFont(int labelWidth)
{
    QFont font = rowFont();
    const QString widest = QStringLiteral("00h 00");
    while (font.pointSizeF() > 6.0 && QFontMetrics(font).horizontalAdvance(widest) > labelWidth - 1) {
        font.setPointSizeF(font.pointSizeF() - 0.25);
    }
    return font;
}

QFont bannerFont()
{
    QFont font(QStringLiteral("Arial Black"));
    font.setStyleHint(QFont::SansSerif);
    font.setPointSizeF(29.25);
    font.setWeight(QFont::Black);
    return font;
}
} // namespace

DayGrid::DayGrid(QWidget* window) : QObject(window)
{
    using Geometry::twipRect;
    const QStringList captions = {QStringLiteral("Matin"), QStringLiteral("Aprés midi")};
    const int frameLeft[2] = {120, 4200};
    for (int f = 0; f < 2; ++f) {
        auto* frame = new QGroupBox(captions.at(f), window);
        frame->setObjectName(QStringLiteral("Frame1_%1").arg(f));
        frame->setFont(frameFont());
        frame->setGeometry(twipRect(frameLeft[f], 480, 4000, 7335));
        m_frames.append(frame);
    }

    const QStringList initial = GridLabels::initialLabels();
    const QFont labels = labelFont(twipRect(120, 0, 495, 255).width());
    const QFont rows = rowFont();
    for (int row = 0; row < DayGridShape::SlotCount; ++row) {
        const bool morning = row < DayGridShape::MorningRows;
        QGroupBox* frame = m_frames.at(morning ? 0 : 1);
        const int top = morning ? 240 * (row + 1) : 240 * (row - 23);

        auto* label = new QLabel(initial.at(row), frame);
        label->setObjectName(QStringLiteral("Label1_%1").arg(row));
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setGeometry(twipRect(120, top, 495, 255));
        label->setFont(labels);
        m_labels.append(label);

        auto* text = new SlotTextBox(row, frame);
        text->setGeometry(twipRect(720, top, 3075, 285));
        text->setFont(rows);
        QPalette palette = text->palette();
        palette.setColor(QPalette::Base, isShadedRow(row) ? ShadedRowColour
                                                          : text->palette().color(QPalette::Base));
        text->setPalette(palette);
        connect(text, &QLineEdit::textChanged, this, [this, row] { emit slotTextChanged(row); });
        connect(text, &SlotTextBox::doubleClicked, this, &DayGrid::slotDoubleClicked);
        connect(text, &SlotTextBox::keyReleased, this, &DayGrid::slotKeyReleased);
        m_texts.append(text);

        auto* tick = new QCheckBox(frame);
        tick->setObjectName(QStringLiteral("Check1_%1").arg(row));
        tick->setGeometry(twipRect(3800, top, 195, 200));
        tick->setFont(rows);
        connect(tick, &QCheckBox::clicked, this, [this, tick, row] {
            // A stored greyed value (2) goes to ticked on the user's click, and
            // no click ever makes one.
            tick->setTristate(false);
            emit tickClicked(row);
        });
        m_ticks.append(tick);
    }

    for (int b = 0; b < 2; ++b) {
        auto* banner = new QLineEdit(QStringLiteral("ABSENT"), m_frames.at(b));
        banner->setObjectName(QStringLiteral("Text4_%1").arg(b));
        banner->setGeometry(twipRect(810, 1800, 2895, 975));
        banner->setAlignment(Qt::AlignCenter);
        banner->setFont(bannerFont());
        banner->setFrame(false);
        QPalette palette = banner->palette();
        palette.setColor(QPalette::Text, QColor(255, 0, 0));
        banner->setPalette(palette);
        banner->hide();
        banner->raise();
        m_banners.append(banner);
    }

    QGroupBox* morning = m_frames.at(0);
    m_postitTitle = new QLabel(QStringLiteral("Post-It"), morning);
    m_postitTitle->setObjectName(QStringLiteral("Label4"));
    m_postitTitle->setFont(frameFont());
    m_postitTitle->setGeometry(twipRect(2040, 6060, 615, 195));

    m_postit = new QPlainTextEdit(morning);
    m_postit->setObjectName(QStringLiteral("Text2"));
    m_postit->setGeometry(twipRect(720, 6240, 3135, 975));
    m_postit->setFont(rows);
    m_postit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(m_postit, &QPlainTextEdit::textChanged, this, &DayGrid::postitChanged);

    m_postitPicture = new QLabel(morning);
    m_postitPicture->setObjectName(QStringLiteral("Picture1"));
    m_postitPicture->setGeometry(twipRect(240, 6240, 495, 495));
}

bool DayGrid::isShadedRow(int row)
{
    return (row >= 0 && row <= 3) || (row >= 16 && row <= 23) || (row >= 44 && row <= 52);
}

void DayGrid::setLabels(const QStringList& captions)
{
    for (int row = 0; row < DayGridShape::SlotCount && row < captions.size(); ++row) {
        m_labels.at(row)->setText(captions.at(row));
    }
}

QStringList DayGrid::labels() const
{
    QStringList captions;
    for (const QLabel* label : m_labels) {
        captions.append(label->text());
    }
    return captions;
}

void DayGrid::setTickValue(int row, int value)
{
    QCheckBox* tick = m_ticks.at(row);
    if (value == 2) {
        tick->setTristate(true);
        tick->setCheckState(Qt::PartiallyChecked);
    } else {
        tick->setTristate(false);
        tick->setCheckState(value == 1 ? Qt::Checked : Qt::Unchecked);
    }
}

int DayGrid::tickValue(int row) const
{
    switch (m_ticks.at(row)->checkState()) {
    case Qt::Checked: return 1;
    case Qt::PartiallyChecked: return 2;
    default: return 0;
    }
}
