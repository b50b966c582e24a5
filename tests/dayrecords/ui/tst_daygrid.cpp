// The 53-row day grid as the main window holds it: its rows, their shading and
// labels, the ticks, and what reaches the record from it.

#include "common/TestSupport.h"
#include "dayrecords/DayLoader.h"
#include "dayrecords/GridLabels.h"
#include "dayrecords/ui/DayGrid.h"
#include "dayrecords/ui/Module3.h"
#include "dayrecords/ui/SlotTextBox.h"
#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/Form1View.h"
#include "platform/Geometry.h"

#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QSignalSpy>
#include <QTest>

class TestDayGrid : public QObject
{
    Q_OBJECT

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        m_form = std::make_unique<Form1>();
        m_grid = m_form->ui().grid;
        m_form->show();
        QVERIFY(QTest::qWaitForWindowExposed(m_form.get()));
    }

    void cleanup()
    {
        m_form.reset();
        m_env.reset();
    }

    void rowsFramesAndShading()
    {
        QVERIFY(m_form->findChild<QCheckBox*>(QStringLiteral("Check1_52")));
        QVERIFY(!m_form->findChild<QWidget*>(QStringLiteral("Text1_53")));
        QCOMPARE(m_grid->frame(1)->title(), QStringLiteral("Aprés midi"));
        QCOMPARE(m_grid->slotBox(23)->parentWidget(), m_grid->frame(0));
        QCOMPARE(m_grid->slotBox(24)->parentWidget(), m_grid->frame(1));
        QCOMPARE(m_grid->slotBox(52)->geometry(), Geometry::twipRect(720, 6960, 3075, 285));
        // The widest caption fits its label.
        QVERIFY(m_grid->label(7)->fontMetrics().horizontalAdvance(QStringLiteral("08h 00")) <= m_grid->label(7)->width());
        // Grey from 08h00 to 08h45, 12h00 to 13h45 and 19h00 to 21h00.
        const QList<int> shadedRows = {0,  1,  2,  3,  16, 17, 18, 19, 20, 21, 22,
                                       23, 44, 45, 46, 47, 48, 49, 50, 51, 52};
        for (int row = 0; row < 53; ++row) {
            const bool shaded = shadedRows.contains(row);
            QCOMPARE(DayGrid::isShadedRow(row), shaded);
            QCOMPARE(m_grid->slotBox(row)->palette().color(QPalette::Base),
                     shaded ? QColor(224, 224, 224) : QApplication::palette().color(QPalette::Base));
        }
        // Relabelling touches nothing but the labels.
        m_grid->slotBox(21)->setText(QStringLiteral("reste"));
        Module3::SetGridLabels20(*m_grid);
        QCOMPARE(m_grid->label(21)->text(), QString());
        QCOMPARE(m_grid->slotBox(21)->text(), QStringLiteral("reste"));
        QCOMPARE(m_grid->slotBox(21)->palette().color(QPalette::Base), QColor(224, 224, 224));
    }

    void labelProceduresByCode()
    {
        using Procedure = void (*)(DayGrid&);
        const Procedure procedures[5] = {Module3::SetGridLabels10, Module3::SetGridLabels15, Module3::SetGridLabels20,
                                         Module3::SetGridLabels30, Module3::SetGridLabels60};
        for (int code = 0; code < 5; ++code) {
            m_grid->setLabels(GridLabels::InitialGridLabels());
            procedures[code](*m_grid);
            QCOMPARE(m_grid->labels(), GridLabels::labels(code));
            m_grid->setLabels(GridLabels::InitialGridLabels());
            QVERIFY(Module3::SetGridLabelsForCode(*m_grid, code));
            QCOMPARE(m_grid->labels(), GridLabels::labels(code));
        }
        // No slot length: the labels stay as they were.
        QVERIFY(!Module3::SetGridLabelsForCode(*m_grid, 5));
        QVERIFY(!Module3::SetGridLabelsForCode(*m_grid, -1));
        QCOMPARE(m_grid->labels(), GridLabels::labels(4));
    }

    void pastedLineBreakNeverReachesTheRecord()
    {
        SlotTextBox* box = m_grid->slotBox(5);
        box->setFocus();
        QApplication::clipboard()->setText(QStringLiteral("Dupont\r\nJean\nPaul"));
        QTest::keyClick(box, Qt::Key_V, Qt::ControlModifier);
        QVERIFY(box->text().startsWith(QStringLiteral("Dupont")));

        // Set by the program (a load, a name completion): the same.
        m_grid->slotBox(6)->setText(QStringLiteral("Martin\r\nLouis"));
        QCOMPARE(m_grid->slotBox(6)->text(), QStringLiteral("Martin Louis"));

        Form1View view(m_form->ui());
        const QStringList parts = SlotTextList::split(DayLoader::FillDayRecord(view).rvous);
        QCOMPARE(parts.size(), 53);
        QCOMPARE(parts.at(5), box->text());
        QVERIFY(!parts.at(5).contains(QLatin1Char('\n')) && !parts.at(5).contains(QLatin1Char('\r')));
        QCOMPARE(parts.at(6), QStringLiteral("Martin Louis"));
    }

    void onlyTheUsersClickIsATick()
    {
        QSignalSpy clicked(m_grid, &DayGrid::tickClicked);
        for (int row = 0; row < 53; ++row) {
            m_grid->setTickValue(row, row % 3);
        }
        QCOMPARE(clicked.size(), 0);
        QTest::mouseClick(m_grid->tickBox(9), Qt::LeftButton); // unticked
        QCOMPARE(clicked.first().at(0).toInt(), 9);
        QCOMPARE(m_grid->tickValue(9), 1);
        // A greyed value goes to ticked, then the clicks only ever give 0 or 1.
        for (int click = 0; click < 4; ++click) {
            QTest::mouseClick(m_grid->tickBox(5), Qt::LeftButton);
            QVERIFY(m_grid->tickValue(5) != 2);
        }
        QCOMPARE(clicked.size(), 5);

        Form1View view(m_form->ui());
        DayLoader::ClearDayGrid(view);
        QCOMPARE(clicked.size(), 5);
        QCOMPARE(m_grid->tickValue(5), 0);
    }

private:
    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<Form1> m_form;
    DayGrid* m_grid = nullptr;
};

QTEST_MAIN(TestDayGrid)
#include "tst_daygrid.moc"
