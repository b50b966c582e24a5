#pragma once

#include <QColor>
#include <QWidget>

#include <array>

class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPushButton;
class UserButtons;

// The settings window "Utilisateurs": the six users' names, background
// colours, slot lengths and annotations (Utilisat.vlk) and the name-lookup
// option and table (Alpha.vlk). Modeless; deleted when closed.
class Form2 : public QWidget
{
    Q_OBJECT

public:
    static constexpr int Users = 6;

    // Builds the window and reads both settings files into it (Alpha.vlk
    // first); a faulty file shows its message. `buttons` (may be null) are the
    // main window's user buttons that a save updates.
    explicit Form2(UserButtons* buttons, QWidget* parent = nullptr);

    // The 32-bit colour value a swatch holds (user 1 to 6).
    qint32 swatchColour(int user) const;
    // The slot code a list gives: its selected entry, -1 when none.
    int slotCode(int user) const;

    // The window's commands, as its buttons run them.
    // The colour buttons of users 1 to 6.
    void Command1_Click() { chooseColour(1); }
    void Command2_Click() { chooseColour(2); }
    void Command3_Click() { chooseColour(3); }
    void Command4_Click() { chooseColour(4); }
    void Command5_Click() { chooseColour(5); }
    void Command6_Click() { chooseColour(6); }
    // Save and close; false when a file could not be written.
    bool CmDEnreg_Click();
    // Cancel and close (Alpha.vlk alone is written); false when it could not be.
    bool Quitte_Click();

signals:
    // The window has been saved (files written, buttons updated) just before
    // it closes.
    void saved();

private:
    void buildLayout();
    void setTabOrder();
    // Reads both settings files into the controls, Alpha.vlk first.
    void Form_Load();
    void loadAlpha();
    void loadUsers();
    void setSwatchColour(int user, qint32 value);
    std::array<QString, Users> names() const;
    // The first box, among those `withUserRows` covers, whose text holds a
    // double quote (which the settings files cannot store), described for
    // the message; empty when there is none.
    QString boxWithQuote(bool withUserRows) const;
    // Says which box holds a double quote; true when the write must not happen.
    bool refusedForQuote(bool withUserRows, const QString& notSaved);
    // The name-lookup box changed: its frame shows when it is ticked.
    void Check1_Click();
    // The colour chooser for one user's swatch.
    void chooseColour(int user);

    UserButtons* m_buttons;
    // The colour chooser keeps the colour last chosen in this window.
    QColor m_chooserColour = Qt::white;

    std::array<QLineEdit*, Users> m_names{};
    std::array<QLabel*, Users> m_swatches{};
    std::array<QPushButton*, Users> m_colourButtons{};
    std::array<QComboBox*, Users> m_slots{};
    std::array<QLineEdit*, Users> m_topAnnotations{};
    std::array<QLineEdit*, Users> m_bottomAnnotations{};
    QCheckBox* m_nameLookup = nullptr;
    QGroupBox* m_lookupFrame = nullptr;
    QLabel* m_namesDatabase = nullptr;
    QLineEdit* m_table = nullptr;
    QPushButton* m_save = nullptr;
    QPushButton* m_cancel = nullptr;
};
