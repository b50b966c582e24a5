#pragma once

#include <QDialog>

class QLabel;
class QPushButton;

// The About box: logo, title, version, what the program is for, its author
// and a contact. Modeless, with no owner; OK, Enter and Escape close it.
// Deleted when closed, so that the next opening loads it afresh.
class frmAbout : public QDialog
{
    Q_OBJECT

public:
    explicit frmAbout(QWidget* parent = nullptr);

    static QString authorName();
    static QString contactAddress();

    QPushButton* okButton() const { return m_ok; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;

private:
    void Form_Load();

    QLabel* m_title = nullptr;
    QLabel* m_version = nullptr;
    QPushButton* m_ok = nullptr;
    bool m_centred = false;
};
