#pragma once

#include <QWidget>

class DayGrid;
class Form1;
class QLabel;
class QLineEdit;
class QListWidget;
class QToolButton;

// The search window "Recherche chez <user>": the days between two dates on
// which the current user's slot texts hold a text, and the opening of a found
// day in the main window. Modeless, without owner (SearchCommand deletes it
// with the main window); deleted when closed. The user and the table are
// those of the main window when it opens; every change of user closes it.
class FrmRech : public QWidget
{
    Q_OBJECT

public:
    explicit FrmRech(Form1& form);

    void Command1_Click(); // "Recherche": the search
    void Command2_Click(); // "Quitter"
    void List1_DblClick(); // opens the selected day in the main window

    // Selects `text` at its first occurrence, in any letter case, in every
    // slot box that holds it, and nothing elsewhere.
    static void selectInSlots(DayGrid& grid, const QString& text);

protected:
    void showEvent(QShowEvent* event) override;

private:
    void buildLayout();
    void Form_Load();

    QLineEdit* TxtDate1 = nullptr;
    QLineEdit* TxtDate2 = nullptr;
    QLineEdit* TxtNom = nullptr;
    QLineEdit* TxtRV = nullptr;  // hidden: the table searched, "RVOUS1".."RVOUS6"
    QLabel* LblNbr = nullptr;    // hidden: the number of days found
    QListWidget* List1 = nullptr;
    QToolButton* Command1 = nullptr;
    QToolButton* Command2 = nullptr;

    Form1& m_form;
    int m_user = 0; // the user searched; 0 when the start-up opened no database
    bool m_centred = false;
};
