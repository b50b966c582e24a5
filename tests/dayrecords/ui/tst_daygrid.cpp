#include "common/TestSupport.h"
#include "dayrecords/DayLoader.h"
#include "dayrecords/DayView.h"
#include "dayrecords/GridLabels.h"
#include "dayrecords/ui/DayGrid.h"
#include "dayrecords/ui/SlotTextBox.h"
#include "platform/Geometry.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSignalSpy>
#include <QTest>

namespace
{
// The day as the grid shows it, the way the main window reads and writes it.
class GridView : public DayView
{
public:
    explicit GridView(DayGrid& grid)
        : m_grid(grid), m_echo1(new QLineEdit(grid.frame(0))), m_echo2(new QLineEdit(grid.frame(1)))
    {
        m_echo1->hide();
        m_echo2->hide();
    }

    QString slotText(int row) const override { return m_grid.slotBox(row)->text(); }
    void setSlotText(int row, const QString& text) override { m_grid.slotBox(row)->setText(text); }
    int tickValue(int row) const override { return m_grid.tickValue(row); }
    void setTickValue(int row, int value) override { m_grid.setTickValue(row, value); }
    QString postit() const override { return m_grid.postitBox()->toPlainText(); }
    void setPostit(const QString& text) override { m_grid.postitBox()->setPlainText(text); }
    QString bloc() const override { return m_bloc; }
    void setBloc(const QString& text) override { m_bloc = text; }
    bool boxVisible(SideBox box) const override { return !edit(box)->isHidden(); }
    void setBoxVisible(SideBox box, bool visible) override { edit(box)->setVisible(visible); }
    QString boxText(SideBox box) const override { return edit(box)->text(); }
    void setBoxText(SideBox box, const QString& text) override { edit(box)->setText(text); }
    QString shownDayCaption() const override { return m_label2; }
    void setShownDayCaption(const QString& digits) override { m_label2 = digits; }
    void setLongDateCaption(const QString&) override {}

private:
    // The ultrasound notes belong to the main window, not to the grid: plain
    // boxes stand in for them here.
    QLineEdit* edit(SideBox box) const
    {
        switch (box) {
        case SideBox::Absent1: return m_grid.banner(0);
        case SideBox::Absent2: return m_grid.banner(1);
        case SideBox::Echo1: return m_echo1;
        case SideBox::Echo2: return m_echo2;
        }
        return nullptr;
    }

    DayGrid& m_grid;
    QLineEdit* m_echo1;
    QLineEdit* m_echo2;
    QString m_bloc;
    QString m_label2 = QStringLiteral("39148");
};
} // namespace

class TestDayGrid : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        m_window = std::make_unique<QWidget>();
        m_window->resize(Geometry::twipRect(0, 0, 8400, 8000).size());
        m_grid = new DayGrid(m_window.get());
        m_window->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_window.get()));
    }

    void cleanup()
    {
        m_window.reset();
        m_env.reset();
    }

    void rowsSitAtTheirTwipPositions()
    {
        for (int row = 0; row < 53; ++row) {
            QVERIFY(m_window->findChild<QLabel*>(QStringLiteral("Label1_%1").arg(row)));
            QVERIFY(m_window->findChild<SlotTextBox*>(QStringLiteral("Text1_%1").arg(row)));
            QVERIFY(m_window->findChild<QCheckBox*>(QStringLiteral("Check1_%1").arg(row)));
        }
        QVERIFY(!m_window->findChild<QWidget*>(QStringLiteral("Text1_53")));

        auto* morning = m_window->findChild<QGroupBox*>(QStringLiteral("Frame1_0"));
        auto* afternoon = m_window->findChild<QGroupBox*>(QStringLiteral("Frame1_1"));
        QCOMPARE(morning->title(), QStringLiteral("Matin"));
        QCOMPARE(afternoon->title(), QStringLiteral("Aprés midi"));
        QCOMPARE(morning->geometry(), Geometry::twipRect(120, 480, 4000, 7335));
        QCOMPARE(afternoon->geometry(), Geometry::twipRect(4200, 480, 4000, 7335));

        QCOMPARE(m_grid->slotBox(0)->parentWidget(), morning);
        QCOMPARE(m_grid->slotBox(23)->parentWidget(), morning);
        QCOMPARE(m_grid->slotBox(24)->parentWidget(), afternoon);
        QCOMPARE(m_grid->slotBox(0)->geometry(), Geometry::twipRect(720, 240, 3075, 285));
        QCOMPARE(m_grid->slotBox(23)->geometry(), Geometry::twipRect(720, 5760, 3075, 285));
        QCOMPARE(m_grid->slotBox(24)->geometry(), Geometry::twipRect(720, 240, 3075, 285));
        QCOMPARE(m_grid->slotBox(52)->geometry(), Geometry::twipRect(720, 6960, 3075, 285));
        QCOMPARE(m_grid->label(7)->geometry(), Geometry::twipRect(120, 240 * 8, 495, 255));
        QVERIFY(m_grid->label(7)->alignment() & Qt::AlignRight);
        QCOMPARE(m_grid->tickBox(40)->geometry(), Geometry::twipRect(3800, 240 * 17, 195, 200));
        QVERIFY(m_grid->tickBox(40)->text().isEmpty());
        QCOMPARE(m_grid->banner(1)->geometry(), Geometry::twipRect(810, 1800, 2895, 975));
        QCOMPARE(m_grid->banner(0)->text(), QStringLiteral("ABSENT"));
        QVERIFY(m_grid->banner(0)->isHidden());
        QVERIFY(m_grid->banner(1)->isHidden());
        QCOMPARE(m_grid->postitBox()->objectName(), QStringLiteral("Text2"));
    }

    void onlyTheCaptionsAreBold()
    {
        QVERIFY(m_grid->frame(0)->font().bold());
        QVERIFY(m_grid->postitTitle()->font().bold());
        for (const int row : {0, 23, 24, 52}) {
            QVERIFY(!m_grid->slotBox(row)->font().bold());
            QVERIFY(!m_grid->label(row)->font().bold());
            // The widest caption fits its label.
            QVERIFY(m_grid->label(row)->fontMetrics().horizontalAdvance(QStringLiteral("08h 00"))
                    <= m_grid->label(row)->width());
        }
        QVERIFY(!m_grid->postitBox()->font().bold());
        QCOMPARE(m_grid->slotBox(3)->font().pointSizeF(), 8.25);
    }

    void shadedRowsAreGrey()
    {
        // Colour value 14737632: red, green and blue 224 each.
        const QColor grey(14737632 & 0xFF, (14737632 >> 8) & 0xFF, (14737632 >> 16) & 0xFF);
        QCOMPARE(grey, QColor(224, 224, 224));
        for (int row = 0; row < 53; ++row) {
            const bool shaded = row <= 3 || (row >= 16 && row <= 23) || row >= 44;
            QCOMPARE(DayGrid::isShadedRow(row), shaded);
            const QColor base = m_grid->slotBox(row)->palette().color(QPalette::Base);
            if (shaded) {
                QCOMPARE(base, grey);
            } else {
                QCOMPARE(base, m_window->palette().color(QPalette::Base));
            }
        }
    }

    void labelsStartAsCreatedAndFollowTheSlotLength()
    {
        QCOMPARE(m_grid->labels(), GridLabels::initialLabels());
        QCOMPARE(m_grid->label(24)->text(), QStringLiteral("14h 00"));
        QCOMPARE(m_grid->label(28)->text(), QStringLiteral("15h00"));

        m_grid->slotBox(21)->setText(QStringLiteral("reste"));
        m_grid->setLabels(GridLabels::labels(0));
        QCOMPARE(m_grid->label(21)->text(), QStringLiteral("10"));
        m_grid->setLabels(GridLabels::labels(2));
        QCOMPARE(m_grid->label(21)->text(), QString());
        QCOMPARE(m_grid->labels(), GridLabels::labels(2));
        m_grid->setLabels(GridLabels::labels(0));
        QCOMPARE(m_grid->labels(), GridLabels::labels(0));
        // Relabelling touches nothing but the labels.
        QCOMPARE(m_grid->slotBox(21)->text(), QStringLiteral("reste"));
        QCOMPARE(m_grid->slotBox(21)->palette().color(QPalette::Base), QColor(224, 224, 224));
    }

    void pastedLineBreakNeverReachesTheRecord()
    {
        SlotTextBox* box = m_grid->slotBox(5);
        box->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("Dupont\r\nJean\nPaul"));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(!box->text().isEmpty());
        QVERIFY(!box->text().contains(QLatin1Char('\n')));
        QVERIFY(!box->text().contains(QLatin1Char('\r')));
        QVERIFY(box->text().startsWith(QStringLiteral("Dupont")));

        // Set by the program (a load, a name completion): the same.
        m_grid->slotBox(6)->setText(QStringLiteral("Martin\r\nLouis"));
        QCOMPARE(m_grid->slotBox(6)->text(), QStringLiteral("Martin Louis"));

        // Enter types no break either.
        SlotTextBox* typed = m_grid->slotBox(7);
        typed->setFocus();
        TestInput::typeText(typed, QStringLiteral("Léa"));
        QTest::keyClick(typed, Qt::Key_Return);
        TestInput::typeText(typed, QStringLiteral("Œ"));
        QCOMPARE(typed->text(), QStringLiteral("LéaŒ"));

        GridView view(*m_grid);
        const DayRecord record = DayLoader::FillDayRecord(view);
        const QStringList parts = SlotTextList::split(record.rvous);
        QCOMPARE(parts.size(), 53);
        QCOMPARE(parts.at(5), box->text());
        QCOMPARE(parts.at(6), QStringLiteral("Martin Louis"));
        QCOMPARE(parts.at(7), QStringLiteral("LéaŒ"));
        QCOMPARE(parts.at(8), QString());
    }

    void rowEventsCarryTheirRow()
    {
        QSignalSpy changed(m_grid, &DayGrid::slotTextChanged);
        QSignalSpy doubleClicked(m_grid, &DayGrid::slotDoubleClicked);
        QSignalSpy released(m_grid, &DayGrid::slotKeyReleased);
        SlotTextBox* box = m_grid->slotBox(30);
        box->setFocus();
        QTest::keyClick(box, Qt::Key_A);
        QVERIFY(!changed.isEmpty());
        QCOMPARE(changed.last().at(0).toInt(), 30);
        QCOMPARE(released.last().at(0).toInt(), 30);
        QCOMPARE(released.last().at(1).toInt(), int(Qt::Key_A));
        QTest::mouseDClick(box, Qt::LeftButton);
        QCOMPARE(doubleClicked.size(), 1);
        QCOMPARE(doubleClicked.first().at(0).toInt(), 30);
    }

    void onlyTheUsersClickIsATick()
    {
        QSignalSpy clicked(m_grid, &DayGrid::tickClicked);
        for (int row = 0; row < 53; ++row) {
            m_grid->setTickValue(row, row % 3);
        }
        QCOMPARE(clicked.size(), 0);
        QCOMPARE(m_grid->tickValue(4), 1);
        QCOMPARE(m_grid->tickValue(5), 2);

        QCheckBox* tick = m_grid->tickBox(9); // unticked
        QTest::mouseClick(tick, Qt::LeftButton);
        QCOMPARE(clicked.size(), 1);
        QCOMPARE(clicked.first().at(0).toInt(), 9);
        QCOMPARE(m_grid->tickValue(9), 1);

        // A greyed value goes to ticked, then the clicks only ever give 0 or 1.
        QCheckBox* greyed = m_grid->tickBox(5);
        for (int click = 0; click < 4; ++click) {
            QTest::mouseClick(greyed, Qt::LeftButton);
            QVERIFY(m_grid->tickValue(5) != 2);
        }
        QCOMPARE(clicked.size(), 5);
        QCOMPARE(clicked.last().at(0).toInt(), 5);

        GridView view(*m_grid);
        DayLoader::ClearDayGrid(view);
        QCOMPARE(clicked.size(), 5);
        for (int row = 0; row < 53; ++row) {
            QCOMPARE(m_grid->tickValue(row), 0);
        }
    }

    void loadAndClearOverTheGrid()
    {
        GridView view(*m_grid);
        DayScreen stored;
        stored.setSlotText(0, QStringLiteral("Dupont"));
        stored.setSlotText(52, QStringLiteral("X"));
        stored.setTickValue(52, 1);
        stored.setBoxVisible(SideBox::Absent2, true);
        stored.setBoxText(SideBox::Absent2, QStringLiteral("CONGÉ"));
        stored.setShownDayCaption(QStringLiteral("39148"));
        DayLoader::LoadDayRecord(DayLoader::FillDayRecord(stored), view);
        QCOMPARE(m_grid->slotBox(52)->text(), QStringLiteral("X"));
        QCOMPARE(m_grid->tickValue(52), 1);
        QVERIFY(!m_grid->banner(1)->isHidden());
        QCOMPARE(m_grid->banner(1)->text(), QStringLiteral("CONGÉ"));

        DayLoader::ClearDayGrid(view);
        QCOMPARE(m_grid->slotBox(0)->text(), QString());
        QVERIFY(m_grid->banner(1)->isHidden());
        QCOMPARE(m_grid->banner(1)->text(), QStringLiteral("CONGÉ"));
        QCOMPARE(m_grid->labels(), GridLabels::initialLabels());
    }

private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<QWidget> m_window;
    DayGrid* m_grid = nullptr;
};

QTEST_MAIN(TestDayGrid)
#include "tst_daygrid.moc"
