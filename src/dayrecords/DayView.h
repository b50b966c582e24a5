#pragma once

#include "dayrecords/DayRecord.h"

#include <QString>

// What the day records need of the window that shows a day: the 53 rows, the
// post-it, the operating-theatre programme, the two absence banners and the
// two ultrasound notes, and the shown day (Label2 and LblDate). The main
// window implements it over its controls; DayScreen keeps it in memory.
class DayView
{
public:
    virtual ~DayView() = default;

    virtual QString slotText(int row) const = 0;
    virtual void setSlotText(int row, const QString& text) = 0;
    // A tick value set here is the program's, never the user's: it runs no save.
    virtual int tickValue(int row) const = 0;
    virtual void setTickValue(int row, int value) = 0;

    virtual QString postit() const = 0;
    virtual void setPostit(const QString& text) = 0;
    virtual QString bloc() const = 0;
    virtual void setBloc(const QString& text) = 0;

    virtual bool boxVisible(SideBox box) const = 0;
    virtual void setBoxVisible(SideBox box, bool visible) = 0;
    virtual QString boxText(SideBox box) const = 0;
    virtual void setBoxText(SideBox box, const QString& text) = 0;

    // Label2: the shown day's serial as decimal digits.
    virtual QString shownDayCaption() const = 0;
    virtual void setShownDayCaption(const QString& digits) = 0;
    // LblDate: the shown day as a long date.
    virtual void setLongDateCaption(const QString& text) = 0;
};

// A day as values, for tests, the benchmark and the record of what was shown.
class DayScreen : public DayView
{
public:
    DayScreen();

    QString slotText(int row) const override { return m_slots.at(row); }
    void setSlotText(int row, const QString& text) override { m_slots[row] = text; }
    int tickValue(int row) const override { return m_ticks[static_cast<std::size_t>(row)]; }
    void setTickValue(int row, int value) override { m_ticks[static_cast<std::size_t>(row)] = value; }
    QString postit() const override { return m_postit; }
    void setPostit(const QString& text) override { m_postit = text; }
    QString bloc() const override { return m_bloc; }
    void setBloc(const QString& text) override { m_bloc = text; }
    bool boxVisible(SideBox box) const override { return m_visible[index(box)]; }
    void setBoxVisible(SideBox box, bool visible) override { m_visible[index(box)] = visible; }
    QString boxText(SideBox box) const override { return m_boxText[index(box)]; }
    void setBoxText(SideBox box, const QString& text) override { m_boxText[index(box)] = text; }
    QString shownDayCaption() const override { return m_label2; }
    void setShownDayCaption(const QString& digits) override { m_label2 = digits; }
    void setLongDateCaption(const QString& text) override { m_longDate = text; }
    QString longDateCaption() const { return m_longDate; }

    // Copies every value a save reads (and the captions) from another view.
    static DayScreen capture(const DayView& view);
    bool operator==(const DayScreen& other) const;

private:
    static std::size_t index(SideBox box) { return static_cast<std::size_t>(box); }

    QStringList m_slots;
    std::array<int, DayGridShape::SlotCount> m_ticks{};
    QString m_postit;
    QString m_bloc;
    std::array<bool, 4> m_visible{};
    std::array<QString, 4> m_boxText;
    QString m_label2;
    QString m_longDate;
};
