#pragma once

#include <QByteArray>
#include <QDate>
#include <QString>
#include <QTemporaryDir>

#include <memory>

class QWidget;

// A sandbox for one test: a temporary folder holding the program's folder,
// the settings store and the data, the dialog seam in test mode and today's
// date fixed. Everything goes back when it is destroyed.
class TestEnv
{
public:
    explicit TestEnv(const QDate& today = QDate(2026, 12, 9));
    ~TestEnv();
    TestEnv(const TestEnv&) = delete;
    TestEnv& operator=(const TestEnv&) = delete;

    QString root() const;
    QString programFolder() const; // <root>/program
    QString dataFolder() const;    // <root>/data
    QString configFolder() const;  // <root>/config (the registry's INI)

    // <dataFolder>/AGENDAS.MDB, created empty with its six tables.
    QString createAppointmentDatabase() const;
    // Sets CHEMIN, CheminUt and CheminNoms as the supervisor would.
    void setRegistry(const QString& name, const QString& value) const;

    static void writeFile(const QString& path, const QByteArray& bytes);
    static QByteArray readFile(const QString& path);

private:
    QTemporaryDir m_dir;
};

// The line Utilisat.vlk holds for "Salle A" and "Salle B" (white and light
// grey, 15 and 30 minutes, the other four users unused), in Windows-1252.
extern const QByteArray SampleUsersLine;

// Lets the windows a test closed be deleted.
void flushDeletes();

namespace TestInput
{
// Types text into the focused widget `target` key by key; accented letters
// and the euro sign go through as key events carrying their text.
void typeText(QWidget* target, const QString& text);
} // namespace TestInput

// A file system mounted for one test: a small tmpfs that fills up, or a
// folder seen under a second path. Mounting needs root; where it is refused
// the mount is not made and the test skips what needs it. Unmounted when
// dropped.
class TestMount
{
public:
    static std::unique_ptr<TestMount> smallDisk(const QString& folder, int kilobytes);
    static std::unique_ptr<TestMount> bind(const QString& folder, const QString& at);
    ~TestMount();

private:
    explicit TestMount(QString at) : m_at(std::move(at)) {}
    QString m_at;
};
