#include "dayrecords/ui/DayGrid.h"

#include "dayrecords/GridLabels.h"
#include "dayrecords/ui/SlotTextBox.h"
#include "platform/Geometry.h"
#include "platform/ui/Layout.h"

#include <QCheckBox>
#include <QFontMetrics>
#include <QGroupBox>
#include <QLabel>
#include <QPlainTextEdit>

#include <algorithm>

namespace
{
const QColor ShadedRowColour(224, 224, 224);

QFont frameFont()
{
    return Layout::classicFont(8.25, true);
}

// The window's default font, which the rows and the post-it box use: the
// frames' bold caption font must not reach them.
QFont rowFont()
{
    return Layout::classicFont(8.25);
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
    using Layout::place;
    const QStringList captions = {QStringLiteral("Matin"), QStringLiteral("Aprés midi")};
    const int frameLeft[2] = {120, 4200};
    for (int f = 0; f < 2; ++f) {
        auto* frame = place(new QGroupBox(captions.at(f), window), QStringLiteral("Frame1_%1").arg(f), frameLeft[f],
                            480, 4000, 7335);
        frame->setFont(frameFont());
        m_frames.append(frame);
    }

    const QStringList initial = GridLabels::InitialGridLabels();
    const QFont labels = labelFont(twipRect(120, 0, 495, 255).width());
    const QFont rows = rowFont();
    for (int row = 0; row < DayGridShape::SlotCount; ++row) {
        const bool morning = DayGridShape::MorningBlock.contains(row);
        QGroupBox* frame = m_frames.at(morning ? 0 : 1);
        const int top = morning ? 240 * (row + 1) : 240 * (row - 23);

        auto* label = place(new QLabel(initial.at(row), frame), QStringLiteral("Label1_%1").arg(row), 120, top, 495,
                            255);
        label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
        label->setFont(labels);
        m_labels.append(label);

        auto* text = new SlotTextBox(row, frame);
        text->setGeometry(twipRect(720, top, 3075, 285));
        text->setFont(rows);
        Layout::setBoxBackground(text, isShadedRow(row) ? ShadedRowColour : text->palette().color(QPalette::Base));
        connect(text, &QLineEdit::textChanged, this, [this, row] { emit slotTextChanged(row); });
        connect(text, &SlotTextBox::doubleClicked, this, &DayGrid::slotDoubleClicked);
        connect(text, &SlotTextBox::keyReleased, this, &DayGrid::slotKeyReleased);
        m_texts.append(text);

        auto* tick = place(new QCheckBox(frame), QStringLiteral("Check1_%1").arg(row), 3800, top, 195, 200);
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
        auto* banner = place(new QLineEdit(QStringLiteral("ABSENT"), m_frames.at(b)), QStringLiteral("Text4_%1").arg(b),
                             810, 1800, 2895, 975);
        banner->setAlignment(Qt::AlignCenter);
        banner->setFont(bannerFont());
        banner->setFrame(false);
        Layout::setTextColour(banner, QColor(255, 0, 0));
        banner->hide();
        banner->raise();
        m_banners.append(banner);
    }

    QGroupBox* morning = m_frames.at(0);
    m_postitTitle = place(new QLabel(QStringLiteral("Post-It"), morning), "Label4", 2040, 6060, 615, 195);
    m_postitTitle->setFont(frameFont());

    m_postit = place(new QPlainTextEdit(morning), "Text2", 720, 6240, 3135, 975);
    m_postit->setFont(rows);
    m_postit->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    connect(m_postit, &QPlainTextEdit::textChanged, this, &DayGrid::postitChanged);

    m_postitPicture = place(new QLabel(morning), "Picture1", 240, 6240, 495, 495);
}

bool DayGrid::isShadedRow(int row)
{
    return std::any_of(DayGridShape::ShadedRows.begin(), DayGridShape::ShadedRows.end(),
                       [row](const DayGridShape::RowRange& range) { return range.contains(row); });
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

void DayGrid::clearSelections()
{
    for (SlotTextBox* box : m_texts) {
        if (box->hasSelectedText()) {
            box->deselect();
        }
    }
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
