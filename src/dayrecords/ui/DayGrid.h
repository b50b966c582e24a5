#pragma once

#include "dayrecords/DayRecord.h"

#include <QObject>
#include <QVector>

class QCheckBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QWidget;
class SlotTextBox;

// The day grid: the morning frame Frame1(0) "Matin" and the afternoon frame
// Frame1(1) "Aprés midi", with the 53 rows of time label Label1(i), slot text
// Text1(i) and tick box Check1(i), the absence banners Text4(0..1) and the
// post-it area (Label4, Text2, Picture1). The controls are created on the
// window that holds the grid, at their twip positions.
class DayGrid : public QObject
{
    Q_OBJECT

public:
    explicit DayGrid(QWidget* window);

    QGroupBox* frame(int index) const { return m_frames.at(index); }
    QLabel* label(int row) const { return m_labels.at(row); }
    SlotTextBox* slotBox(int row) const { return m_texts.at(row); }
    QCheckBox* tickBox(int row) const { return m_ticks.at(row); }
    QLineEdit* banner(int index) const { return m_banners.at(index); }
    QPlainTextEdit* postitBox() const { return m_postit; }
    QLabel* postitTitle() const { return m_postitTitle; }
    QLabel* postitPicture() const { return m_postitPicture; }

    // Sets the 53 time labels (Module3's SetGridLabels10 .. SetGridLabels60,
    // and the captions of creation).
    void setLabels(const QStringList& captions);
    QStringList labels() const;

    // No row keeps a selection: a day or user shown anew never shows the text
    // the search selected in the rows of the day it found.
    void clearSelections();

    // Sets a tick without it counting as the user's click.
    void setTickValue(int row, int value);
    int tickValue(int row) const;

    // Whether a row is one of the ShadedRows, whose light grey background never changes.
    static bool isShadedRow(int row);

signals:
    void slotTextChanged(int row);
    void slotDoubleClicked(int row);
    void slotKeyReleased(int row, int key, Qt::KeyboardModifiers modifiers);
    // The user ticked or unticked a box (never a value set by the program).
    void tickClicked(int row);
    void postitChanged();

private:
    QVector<QGroupBox*> m_frames;
    QVector<QLabel*> m_labels;
    QVector<SlotTextBox*> m_texts;
    QVector<QCheckBox*> m_ticks;
    QVector<QLineEdit*> m_banners;
    QPlainTextEdit* m_postit = nullptr;
    QLabel* m_postitTitle = nullptr;
    QLabel* m_postitPicture = nullptr;
};
