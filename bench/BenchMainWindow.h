#pragma once

#include <QString>
#include <QTemporaryDir>

#include <memory>

class Form1;

// A main window started on an appointment database as the program starts it,
// for the benchmarks that open a day in it: user 1 ("Dr Martin", 15-minute
// slots) current, the settings in a temporary folder, today fixed, dialogs
// answered without showing. Nothing is shown on screen.
class BenchMainWindow
{
public:
    BenchMainWindow(const QString& databasePath, qint32 today);
    ~BenchMainWindow();
    BenchMainWindow(const BenchMainWindow&) = delete;
    BenchMainWindow& operator=(const BenchMainWindow&) = delete;

    // The started window; null when the start-up did not reach user 1.
    Form1* form() const;

private:
    QTemporaryDir m_settings;
    std::unique_ptr<Form1> m_form;
};
