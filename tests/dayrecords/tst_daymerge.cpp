#include "common/TestSupport.h"
#include "dayrecords/DayLoader.h"
#include "dayrecords/DayMerge.h"
#include "dayrecords/DayStore.h"
#include "dayrecords/DayView.h"
#include "platform/Database.h"

#include <QSqlQuery>
#include <QTest>

namespace
{
constexpr qint32 Day = 39148;

DayRecord recordWith(const std::function<void(DayScreen&)>& edit)
{
    DayScreen screen;
    screen.setShownDayCaption(QString::number(Day));
    edit(screen);
    return DayLoader::FillDayRecord(screen);
}

// One workstation: what it showed (the base) and what it has on screen.
struct Workstation
{
    DayUnits base = DayUnits::of(std::nullopt);
    DayScreen screen;

    void show(const std::optional<DayRecord>& stored)
    {
        screen.setShownDayCaption(QString::number(Day));
        if (stored) {
            DayLoader::LoadDayRecord(*stored, screen);
        } else {
            DayLoader::ClearDayGrid(screen);
        }
        base = DayUnits::of(stored);
    }

    QList<DayConflict> save(DbConnection& db)
    {
        QList<DayConflict> conflicts;
        const DayRecord mine = DayLoader::FillDayRecord(screen);
        const auto saved = DayStore::save(db, 1, Day, [&](const std::optional<DayRecord>& stored) {
            DayMergeResult merged = DayMerge::merge(base, mine, stored);
            conflicts = merged.conflicts;
            return merged.record;
        });
        if (!saved) {
            qFatal("save failed: %s", qPrintable(saved.error()));
        }
        show(*saved);
        return conflicts;
    }
};
} // namespace

class TestDayMerge : public QObject
{
    Q_OBJECT

private slots:
    void unitsChangedOnOneSideOnlyAreKept()
    {
        const DayUnits base = DayUnits::of(std::nullopt);
        const DayRecord mine = recordWith([](DayScreen& s) { s.setSlotText(5, QStringLiteral("DUPONT")); });
        const DayRecord theirs = recordWith([](DayScreen& s) {
            s.setSlotText(9, QStringLiteral("MARTIN"));
            s.setTickValue(2, 1);
            s.setPostit(QStringLiteral("Rappeler le labo"));
            s.setBoxVisible(SideBox::Absent2, true);
            s.setBoxText(SideBox::Absent2, QStringLiteral("ABSENT"));
        });
        const DayMergeResult merged = DayMerge::merge(base, mine, theirs);
        QVERIFY(merged.conflicts.isEmpty());
        const DayUnits units = DayUnits::of(merged.record);
        QCOMPARE(units.slotTexts.at(5), QStringLiteral("DUPONT"));
        QCOMPARE(units.slotTexts.at(9), QStringLiteral("MARTIN"));
        QCOMPARE(units.ticks[2], 1);
        QCOMPARE(units.postit, QStringLiteral("Rappeler le labo"));
        QVERIFY(merged.record.flag(SideBox::Absent2).isSet());
        QCOMPARE(*merged.record.flag(SideBox::Absent2).text, QStringLiteral("ABSENT"));
        QVERIFY(!merged.record.flag(SideBox::Absent1).isSet());
        QVERIFY(!merged.record.flag(SideBox::Absent1).text.has_value());
    }

    void bothChangedTheSameUnit()
    {
        const DayUnits base = DayUnits::of(std::nullopt);
        const DayRecord mine = recordWith([](DayScreen& s) {
            s.setSlotText(5, QStringLiteral("B"));
            s.setBloc(QStringLiteral("Même texte"));
        });
        const DayRecord theirs = recordWith([](DayScreen& s) {
            s.setSlotText(5, QStringLiteral("A"));
            s.setBloc(QStringLiteral("Même texte"));
        });
        const DayMergeResult merged = DayMerge::merge(base, mine, theirs);
        QCOMPARE(merged.conflicts.size(), 1); // the same new text on both sides is no conflict
        QCOMPARE(merged.conflicts.at(0).unit, DayConflict::Unit::Slot);
        QCOMPARE(merged.conflicts.at(0).row, 5);
        QCOMPARE(merged.conflicts.at(0).otherValue, QStringLiteral("A"));
        QCOMPARE(merged.conflicts.at(0).ownValue, QStringLiteral("B"));
        QCOMPARE(DayUnits::of(merged.record).slotTexts.at(5), QStringLiteral("B"));
    }

    void twoWorkstationsOnOneDay()
    {
        TestEnv env;
        const QString path = env.createAppointmentDatabase();
        auto dbA = DbConnection::open(path);
        auto dbB = DbConnection::open(path);
        QVERIFY(dbA && dbB);

        Workstation a;
        Workstation b;
        a.show(std::nullopt); // a day without a record, on both screens
        b.show(std::nullopt);

        a.screen.setSlotText(5, QStringLiteral("DUPONT Jean"));
        a.screen.setBoxVisible(SideBox::Absent1, true);
        a.screen.setBoxText(SideBox::Absent1, QStringLiteral("ABSENT"));
        QVERIFY(a.save(**dbA).isEmpty());

        b.screen.setSlotText(9, QStringLiteral("LEFÈVRE Anne"));
        b.screen.setTickValue(9, 1);
        b.screen.setPostit(QStringLiteral("Fermé à 18h"));
        QVERIFY(b.save(**dbB).isEmpty());

        // The stored day and B's screen hold both workstations' edits.
        const auto stored = DayStore::lookup(**dbA, 1, Day);
        QVERIFY(stored && stored->has_value());
        const DayUnits units = DayUnits::of(**stored);
        QCOMPARE(units.slotTexts.at(5), QStringLiteral("DUPONT Jean"));
        QCOMPARE(units.slotTexts.at(9), QStringLiteral("LEFÈVRE Anne"));
        QCOMPARE(units.ticks[9], 1);
        QCOMPARE(units.postit, QStringLiteral("Fermé à 18h"));
        QVERIFY((*stored)->flag(SideBox::Absent1).isSet());
        QCOMPARE(b.screen.slotText(5), QStringLiteral("DUPONT Jean"));
        QVERIFY(b.screen.boxVisible(SideBox::Absent1));

        // Both change row 5: B's value is stored and B learns A's.
        a.screen.setSlotText(5, QStringLiteral("DURAND"));
        QVERIFY(a.save(**dbA).isEmpty());
        b.screen.setSlotText(5, QStringLiteral("MOREAU"));
        const QList<DayConflict> conflicts = b.save(**dbB);
        QCOMPARE(conflicts.size(), 1);
        QCOMPARE(conflicts.at(0).otherValue, QStringLiteral("DURAND"));
        QCOMPARE(DayUnits::of(**DayStore::lookup(**dbA, 1, Day)).slotTexts.at(5), QStringLiteral("MOREAU"));

        QSqlQuery count(dbA->get()->database());
        QVERIFY(count.exec(QStringLiteral("SELECT COUNT(*) FROM RVOUS1")));
        QVERIFY(count.next());
        QCOMPARE(count.value(0).toInt(), 1);
    }
};

QTEST_GUILESS_MAIN(TestDayMerge)
#include "tst_daymerge.moc"
