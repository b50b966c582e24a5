#include "common/TestSupport.h"

#include "platform/AppInfo.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/Registry.h"
#include "platform/ui/Dialogs.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTest>

#include <sys/mount.h>

TestEnv::TestEnv(const QDate& today)
{
    QDir().mkpath(programFolder());
    QDir().mkpath(dataFolder());
    QDir().mkpath(configFolder());
    AppInfo::setProgramFolder(programFolder());
    Registry::setStoreFolder(configFolder());
    Clock::setToday(today);
    Dialogs::Test::setEnabled(true);
    Dialogs::Test::clear();
}

TestEnv::~TestEnv()
{
    Dialogs::Test::clear();
    Clock::setToday(QDate());
    AppInfo::resetProgramFolder();
    Registry::setStoreFolder(QString());
}

QString TestEnv::root() const { return m_dir.path(); }
QString TestEnv::programFolder() const { return m_dir.filePath(QStringLiteral("program")); }
QString TestEnv::dataFolder() const { return m_dir.filePath(QStringLiteral("data")); }
QString TestEnv::configFolder() const { return m_dir.filePath(QStringLiteral("config")); }

QString TestEnv::createAppointmentDatabase() const
{
    const QString path = QDir(dataFolder()).filePath(QStringLiteral("AGENDAS.MDB"));
    if (!QFile::exists(path)) {
        const Status status = AppointmentDatabase::create(path);
        if (!status) {
            qFatal("cannot create the test database: %s", qPrintable(status.error()));
        }
    }
    return path;
}

void TestEnv::setRegistry(const QString& name, const QString& value) const { Registry::setValue(name, value); }

void TestEnv::writeFile(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        qFatal("cannot write %s", qPrintable(path));
    }
    file.write(bytes);
}

QByteArray TestEnv::readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

const QByteArray SampleUsersLine =
    "\"Salle A\",\"Salle B\",\"\",\"\",\"\",\"\",16777215,12632256,-2147483643,-2147483643,"
    "-2147483643,-2147483643,1,3,-1,-1,-1,-1,\"Echographies\",\"Echographies\",\"\",\"\",\"\",\"\","
    "\"Programme Bloc Op\xE9ratoire\",\"Programme Bloc Op\xE9ratoire\",\"\",\"\",\"\",\"\"\r\n";

void flushDeletes() { QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete); }

namespace TestInput
{
void typeText(QWidget* target, const QString& text)
{
    for (const QChar c : text) {
        if (c.unicode() < 0x80 && c.isPrint()) {
            QTest::keyClick(target, c.toLatin1());
        } else {
            QTest::sendKeyEvent(QTest::KeyAction::Press, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
            QTest::sendKeyEvent(QTest::KeyAction::Release, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
}
} // namespace TestInput

std::unique_ptr<TestMount> TestMount::smallDisk(const QString& folder, int kilobytes)
{
    QDir().mkpath(folder);
    const QByteArray options = "size=" + QByteArray::number(kilobytes) + "k";
    if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", 0, options.constData()) != 0) {
        return nullptr;
    }
    return std::unique_ptr<TestMount>(new TestMount(folder));
}

std::unique_ptr<TestMount> TestMount::bind(const QString& folder, const QString& at)
{
    QDir().mkpath(at);
    if (::mount(QFile::encodeName(folder).constData(), QFile::encodeName(at).constData(), nullptr, MS_BIND, nullptr)
        != 0) {
        return nullptr;
    }
    return std::unique_ptr<TestMount>(new TestMount(at));
}

TestMount::~TestMount()
{
    ::umount2(QFile::encodeName(m_at).constData(), MNT_DETACH);
}
