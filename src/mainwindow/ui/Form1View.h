#pragma once

#include "dayrecords/DayView.h"

struct Form1Ui;

// The shown day as the main window's controls hold it.
class Form1View : public DayView
{
public:
    explicit Form1View(Form1Ui& ui) : m_ui(ui) {}

    QString slotText(int row) const override;
    void setSlotText(int row, const QString& text) override;
    int tickValue(int row) const override;
    void setTickValue(int row, int value) override;
    QString postit() const override;
    void setPostit(const QString& text) override;
    QString bloc() const override;
    void setBloc(const QString& text) override;
    bool boxVisible(SideBox box) const override;
    void setBoxVisible(SideBox box, bool visible) override;
    QString boxText(SideBox box) const override;
    void setBoxText(SideBox box, const QString& text) override;
    QString shownDayCaption() const override;
    void setShownDayCaption(const QString& digits) override;
    void setLongDateCaption(const QString& text) override;

private:
    Form1Ui& m_ui;
};
