#include "mainwindow/ui/UserLook.h"

#include "dayrecords/GridLabels.h"
#include "dayrecords/ui/DayGrid.h"
#include "dayrecords/ui/Module3.h"
#include "mainwindow/MainState.h"
#include "mainwindow/ui/Form1Ui.h"
#include "mainwindow/ui/PressButton.h"
#include "platform/ui/Layout.h"
#include "settings/ColourValue.h"
#include "settings/ui/ColourValueGui.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QVariant>
#include <QWidget>

namespace
{
// The colour value is kept on the client area so that it can be read back.
const char* const ColourProperty = "kordelaColourValue";
} // namespace

namespace UserLook
{
void setBackgroundColour(Form1Ui& ui, qint32 colourValue)
{
    const QColor colour = ColourValue::toQColor(colourValue, QApplication::palette());
    ui.central->setProperty(ColourProperty, colourValue);
    Layout::setBackground(ui.central, colour);
    Layout::setBackground(ui.Label5, colour);
}

bool setBackgroundColour(Form1Ui& ui, const LooseValue& colour)
{
    bool ok = false;
    const qint32 value = colour.toInt32(&ok);
    if (!ok) {
        return false;
    }
    setBackgroundColour(ui, value);
    return true;
}

qint32 backgroundColour(const Form1Ui& ui)
{
    const QVariant value = ui.central->property(ColourProperty);
    return value.isValid() ? value.toInt() : ColourValue::fromRgb(192, 192, 192);
}

void setTopAnnotation(Form1Ui& ui, const LooseValue& annotation)
{
    const QString text = annotation.toText();
    ui.TxtEcho1->setText(text);
    ui.TxtEcho2->setText(text);
}

void setBottomAnnotation(Form1Ui& ui, const LooseValue& annotation)
{
    const QString text = annotation.toText();
    ui.Label3->setText(text);
    ui.Bloc->setText(text);
}

void setButtonColours(Form1Ui& ui, int chosen)
{
    for (int k = 1; k <= 6; ++k) {
        ui.CmdUtilisat[static_cast<std::size_t>(k - 1)]->setColourValue(k == chosen ? ColourValue::Red
                                                                                   : ColourValue::ButtonFace);
    }
}

bool applySlotCode(Form1Ui& ui, MainState& state, const LooseValue& code)
{
    // Read as the settings window reads it: a quoted "1" is the number 1.
    bool ok = false;
    const qint16 number = code.toInt16(&ok);
    if (!ok || !Module3::SetGridLabelsForCode(*ui.grid, number)) {
        return false;
    }
    state.SlotMinutes = static_cast<qint16>(SlotLength::minutes(number).value_or(0));
    return true;
}

void showSlotMinutes(Form1Ui& ui, const MainState& state)
{
    ui.LblHorImp->setText(QString::number(state.SlotMinutes));
}
} // namespace UserLook
