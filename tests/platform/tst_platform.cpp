#include "common/TestSupport.h"
#include "platform/Dates.h"
#include "platform/Files.h"

#include <QTest>

class TestPlatform : public QObject
{
    Q_OBJECT

private slots:
    void daySerials()
    {
        QCOMPARE(Dates::daySerial(QDate(2007, 3, 7)), 39148);
        QCOMPARE(Dates::daySerial(QDate(1899, 12, 30)), 0);
        QCOMPARE(Dates::daySerial(QDate(1899, 12, 29)), -1);
        QCOMPARE(Dates::dateFromSerial(39148), QDate(2007, 3, 7));
        QCOMPARE(Dates::longDate(QDate(2007, 3, 7)), QStringLiteral("mercredi 7 mars 2007"));
        QCOMPARE(Dates::shortDate(QDate(2007, 3, 7)), QStringLiteral("07/03/2007"));
    }

    void cp1252RoundTrip()
    {
        const QString text = QStringLiteral("é € œ Opératoire");
        const QByteArray bytes = Files::encodeCp1252(text);
        QCOMPARE(bytes.at(0), char(0xE9));
        QCOMPARE(bytes.at(2), char(0x80));
        QCOMPARE(bytes.at(4), char(0x9C));
        QCOMPARE(Files::decodeCp1252(bytes), text);
    }
};

QTEST_GUILESS_MAIN(TestPlatform)
#include "tst_platform.moc"
