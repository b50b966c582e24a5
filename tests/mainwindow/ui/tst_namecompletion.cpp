#include "common/TestSupport.h"
#include "mainwindow/MainWindowTestFixture.h"
#include "mainwindow/NamesTestData.h"

#include "dayrecords/Module1.h"
#include "dayrecords/ui/DayGrid.h"
#include "dayrecords/ui/SlotTextBox.h"
#include "mainwindow/NamesImport.h"
#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/NameCompletion.h"
#include "platform/Database.h"
#include "platform/Dates.h"
#include "platform/ui/Dialogs.h"
#include "settings/AlphaSettingsFile.h"

#include <QAction>
#include <QApplication>
#include <QInputMethodEvent>
#include <QKeySequence>
#include <QSignalSpy>
#include <QDir>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QTest>

#include <memory>

namespace
{
using NamesTestData::name;

const QString Thirty = QStringLiteral("ABCDEFGHIJKLMNOPQRSTUVWXYZABCD");

// Three hundred ordinary names and the names the cases below look for.
QList<NameMatch> testNames()
{
    QList<NameMatch> names = NamesTestData::ordinaryNames();
    names << name("DU", "Paul") << name("DUBOIS", "Marie") << name("DUBOIS", "alain") << name("DUPONT", "Jean")
          << name("DUPONT", "Anne") << name("DURAND", "Léa") << name("D'ARCY", "Henri") << name("D'ARTOIS", "Luc")
          << NameMatch{Thirty, QStringLiteral("Trente")} << NameMatch{Thirty + QStringLiteral("B"), QStringLiteral("Li")}
          << name("MARTIN", "Pierre") << name("ZOLA", "Émile") << name("LEFÈVRE", "Hélène") << name("ÉLISÉE", "Marc")
          << name("ELLUL", "Paul") << name("BÉRARD", "Lucie") << name("CŒUR", "Jeanne");
    return names;
}
} // namespace

class TestNameCompletion : public QObject
{
    Q_OBJECT

    std::unique_ptr<TestEnv> m_env;
    std::unique_ptr<Form1> m_form;
    QString m_namesPath;

    SlotTextBox* row(int index) const { return m_form->ui().grid->slotBox(index); }
    static qsizetype messageCount() { return Dialogs::Test::shown().size(); }

    // NameLookupOn and NameLookupFlag as the start-up sets them from Alpha.vlk.
    void setOption(bool on)
    {
        MainState& st = m_form->state();
        st.NameLookupFlag = LooseValue::fromBool(on);
        st.NameLookupOn = st.NameLookupFlag.equalsTrue();
    }

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        m_namesPath = QDir(m_env->dataFolder()).filePath(QStringLiteral("NOMS.MDB"));
        QVERIFY(NamesImport::createNamesTable(m_namesPath, QStringLiteral("MATABLE"), testNames()));
        m_form = std::make_unique<Form1>();
        MainState& st = m_form->state();
        st.NamesPath = m_namesPath;
        st.NamesTable = LooseValue::fromText(QStringLiteral("MATABLE"));
        setOption(true);
        st.DayModified = false;
    }

    void cleanup()
    {
        m_form.reset();
        m_env.reset();
    }

    void optionOffLeavesRowsAsTyped()
    {
        setOption(false);
        SlotTextBox* box = row(12);
        QTest::keyClicks(box, QStringLiteral("DU"));
        QTest::keyClick(box, Qt::Key_F2);
        QTest::keyClicks(box, QStringLiteral("PO"));
        QTest::keyClick(box, Qt::Key_Left);
        QCOMPARE(box->text(), QStringLiteral("DUPO"));
        // F2 cannot switch a lookup that the workstation's option does not allow.
        QVERIFY(!m_form->state().NameLookupFlag.equalsTrue());
        QVERIFY(!m_form->nameCompletion().lookup().isOpen());
        QCOMPARE(messageCount(), 0);
    }

    void twoLettersCompleteAndTypingNarrows()
    {
        SlotTextBox* box = row(12);
        QTest::keyClicks(box, QStringLiteral("DU"));
        // "DU" alone sorts before the key: the first name after it, by first name.
        QCOMPARE(box->text(), QStringLiteral("DUBOIS alain"));
        QCOMPARE(box->cursorPosition(), 2);
        QVERIFY(!box->hasSelectedText());
        QVERIFY(m_form->state().DayModified);

        QTest::keyClicks(box, QStringLiteral("PON"));
        QCOMPARE(box->text(), QStringLiteral("DUPONT Anne"));
        QCOMPARE(box->cursorPosition(), 5);
        // The whole family name sorts before its own key (the blanks count):
        // the row moves on to the next family name.
        QTest::keyClick(box, 'T');
        QCOMPARE(box->text(), QStringLiteral("DURAND Léa"));
        QCOMPARE(box->cursorPosition(), 6);
        QCOMPARE(row(13)->text(), QString()); // other rows are not touched
        QCOMPARE(messageCount(), 0);
    }

    void focusKeysLeaveTheRowAlone()
    {
        // Shift+Tab ends in the row that takes the focus, its text selected.
        SlotTextBox* box = row(11);
        box->setText(QStringLiteral("RDV Dr Martin"));
        box->selectAll();
        QTest::keyRelease(box, Qt::Key_Backtab, Qt::ShiftModifier);
        QTest::keyRelease(box, Qt::Key_Shift);
        QTest::keyRelease(box, Qt::Key_Tab);
        QCOMPARE(box->text(), QStringLiteral("RDV Dr Martin"));
        QVERIFY(!m_form->nameCompletion().lookup().isOpen());
    }

    void f2SwitchesTheLookupOffAndOn()
    {
        SlotTextBox* box = row(5);
        box->setText(QStringLiteral("DUR"));
        QTest::keyClick(box, Qt::Key_F2);
        QVERIFY(!m_form->state().NameLookupFlag.equalsTrue());
        QTest::keyClick(box, 'A');
        QCOMPARE(box->text(), QStringLiteral("DURA"));

        // On again with four characters before the caret: completes at once.
        QTest::keyClick(box, Qt::Key_F2);
        QCOMPARE(box->text(), QStringLiteral("DURAND Léa"));
        QCOMPARE(box->cursorPosition(), 4);

        // With a modifier F2 switches all the same; the state is the window's.
        // Held with Ctrl or Alt it completes nothing: the next key does.
        QTest::keyClick(row(6), Qt::Key_F2, Qt::ShiftModifier);
        QTest::keyClicks(row(6), QStringLiteral("MA"));
        QCOMPARE(row(6)->text(), QStringLiteral("MA"));
        QTest::keyClick(row(6), Qt::Key_F2, Qt::ControlModifier);
        QVERIFY(m_form->state().NameLookupFlag.equalsTrue());
        QCOMPARE(row(6)->text(), QStringLiteral("MA"));
        QTest::keyClick(row(6), Qt::Key_End);
        QCOMPARE(row(6)->text(), QStringLiteral("MARTIN Pierre"));
    }

    // Keys pressed and let go as the window system delivers them, with the
    // caret after "Mme" in a row of the shown main window, the lookup on:
    // "Alt+" presses Alt, "S-" lets S go (with the modifiers held then),
    // "ê=" is a character composed by the input method. A press goes to the
    // open menu or to the window's focus widget; a release to the same,
    // before a window that a shortcut opened has taken the focus.
    void onlyKeysTypedInTheRowComplete_data()
    {
        QTest::addColumn<QString>("keys");
        QTest::addColumn<QString>("acted"); // the window opened or the command run
        QTest::addColumn<QString>("after");
        const QString kept = QStringLiteral("Mme Dupont Jeanne");
        QTest::newRow("arrow key") << "Right+ Right-" << "" << "NICOLAS Alain";
        QTest::newRow("composed letter") << "ê= E-" << "" << "NICOLAS Alain";
        QTest::newRow("week button, S let go first") << "Alt+ S+ S- Alt-" << "Form3" << kept;
        QTest::newRow("week button, Alt let go first") << "Alt+ S+ Alt- S-" << "Form3" << kept;
        QTest::newRow("search") << "Alt+ R+ R- Alt-" << "FrmRech" << kept;
        QTest::newRow("menu Fichier, Enregistrer") << "Alt+ F+ F- Alt- E+ E-" << "Enregistrer" << kept;
        QTest::newRow("copy") << "Ctrl+ C+ C- Ctrl-" << "" << kept;
    }

    void onlyKeysTypedInTheRowComplete()
    {
        QFETCH(QString, keys);
        QFETCH(QString, acted);
        QFETCH(QString, after);
        MainWindowTest::Fixture fx;
        QVERIFY(NamesImport::createNamesTable(QDir(fx.env.dataFolder()).filePath(QStringLiteral("NOMS.MDB")),
                                              QStringLiteral("MATABLE"), testNames()));
        QVERIFY(WriteAlphaSettingsFile(true, QStringLiteral("MATABLE")));
        fx.storeDay(1, Dates::daySerial(Clock::today()), {{4, QStringLiteral("Mme Dupont Jeanne")}});
        fx.configure();
        fx.env.setRegistry(QStringLiteral("CheminNoms"), QDir(fx.env.dataFolder()).filePath(QStringLiteral("NOMS.MDB")));
        Form1& form = fx.load();
        form.show();
        form.activateWindow();
        QVERIFY(QTest::qWaitForWindowActive(&form));
        QVERIFY(form.state().NameLookupFlag.equalsTrue());
        fx.row(4)->setFocus();
        fx.row(4)->setCursorPosition(3);
        QSignalSpy saved(form.ui().Enregistrer, &QAction::triggered);

        Qt::KeyboardModifiers held;
        for (const QString& step : keys.split(QLatin1Char(' '))) {
            const QString name = step.chopped(1);
            QWidget* target = QApplication::activePopupWidget() != nullptr ? QApplication::activePopupWidget()
                                                                            : form.focusWidget();
            if (step.endsWith(QLatin1Char('='))) {
                QInputMethodEvent composed;
                composed.setCommitString(name);
                QApplication::sendEvent(target, &composed);
                continue;
            }
            const Qt::KeyboardModifier modifier = name == QLatin1String("Alt")    ? Qt::AltModifier
                                                  : name == QLatin1String("Ctrl") ? Qt::ControlModifier
                                                                                  : Qt::NoModifier;
            const auto key = modifier == Qt::AltModifier     ? Qt::Key_Alt
                             : modifier == Qt::ControlModifier ? Qt::Key_Control
                                                               : QKeySequence::fromString(name)[0].key();
            const bool press = step.endsWith(QLatin1Char('+'));
            if (press) {
                held |= modifier;
            }
            const QString text = modifier == Qt::NoModifier && name.size() == 1 && !(held & Qt::ControlModifier)
                                     ? name.toLower()
                                     : QString();
            QTest::sendKeyEvent(press ? QTest::Press : QTest::Release, target, key, text, held);
            if (!press) {
                held &= ~Qt::KeyboardModifiers(modifier);
            }
        }

        QCOMPARE(fx.rowText(4), after);
        QCOMPARE(form.state().DayModified, after != QLatin1String("Mme Dupont Jeanne"));
        if (acted == QLatin1String("Enregistrer")) {
            QCOMPARE(saved.count(), 1);
        } else if (!acted.isEmpty()) {
            bool opened = false;
            for (const QWidget* window : QApplication::topLevelWidgets()) {
                opened = opened || (window->objectName() == acted && window->isVisible());
            }
            QVERIFY(opened);
        }
    }

    void keysInARow_data()
    {
        QTest::addColumn<QString>("before");
        QTest::addColumn<int>("caret");
        QTest::addColumn<int>("key"); // 0: the text is typed instead
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("after");
        QTest::addColumn<int>("caretAfter");
        QTest::addColumn<bool>("modified");
        // Typed into an empty row: the row as it then reads, and the caret.
        const auto typed = [](const char* text, const char* after, int caretAfter) {
            QTest::newRow(text) << QString() << 0 << 0 << QString::fromUtf8(text) << QString::fromUtf8(after) << caretAfter
                                << true;
        };
        typed("dup", "DUPONT Anne", 3);
        // Without regard to case or accents: what was typed becomes the name as
        // stored, and the next letter narrows it.
        typed("lefè", "LEFÈVRE Hélène", 4);
        typed("él", "ÉLISÉE Marc", 2);
        typed("Bé", "BÉRARD Lucie", 2);
        typed("cœ", "CŒUR Jeanne", 2);
        typed("D'AR", "D'ARCY Henri", 4);
        typed("D'ART", "D'ARTOIS Luc", 5);
        typed("D", "D", 1); // one character
        // Nothing sorts after Z, not even É; a quote is only a key.
        typed("ZZ Dr Vidal", "ZZ Dr Vidal", 11);
        typed("ZZ' OR '1'='1", "ZZ' OR '1'='1", 13);
        QTest::newRow("one character before the caret")
            << QStringLiteral("DUPONT et suite") << 0 << int(Qt::Key_Right) << QString()
            << QStringLiteral("DUPONT et suite") << 1 << false;
        // Cut to 30, the key sorts after the 30-letter name and before the
        // 31-letter one; the caret goes to the end of the shorter text.
        QTest::newRow("prefix over 30") << Thirty + QStringLiteral("ZZZZZ") << 0 << int(Qt::Key_End) << QString()
                                        << Thirty + QStringLiteral("B Li") << 34 << true;
        // The whole row is replaced, the text after the caret included.
        QTest::newRow("arrow key in a filled row") << QStringLiteral("MARTIN XYZ et suite") << 1 << int(Qt::Key_Right) << QString()
                                                   << QStringLiteral("MARTIN Pierre") << 2 << true;
    }

    void keysInARow()
    {
        QFETCH(QString, before);
        QFETCH(int, caret);
        QFETCH(int, key);
        QFETCH(QString, typed);
        QFETCH(QString, after);
        QFETCH(int, caretAfter);
        QFETCH(bool, modified);
        SlotTextBox* box = row(20);
        box->setText(before);
        box->setCursorPosition(caret);
        m_form->state().DayModified = false;
        if (key != 0) {
            QTest::keyClick(box, static_cast<Qt::Key>(key));
        } else {
            TestInput::typeText(box, typed);
        }
        QCOMPARE(box->text(), after);
        QCOMPARE(box->cursorPosition(), caretAfter);
        QCOMPARE(m_form->state().DayModified, modified);
        QVERIFY(!box->hasSelectedText());
        QCOMPARE(messageCount(), 0);
        if (after.size() < 2) {
            QVERIFY(!m_form->nameCompletion().lookup().isOpen());
        }
    }

    void missingDatabaseIsSaidOnceUntilF2()
    {
        // CheminNoms left at its default (the program's folder), then a file
        // that is not there.
        for (const QString& path : {m_env->programFolder(), QDir(m_env->dataFolder()).filePath(QStringLiteral("ABSENT.MDB"))}) {
            Dialogs::Test::clear();
            m_form->state().NamesPath = path;
            SlotTextBox* box = row(14);
            box->clear();
            // Off and on with nothing before the caret: a fresh start.
            QTest::keyClick(box, Qt::Key_F2);
            QTest::keyClick(box, Qt::Key_F2);
            QTest::keyClicks(box, QStringLiteral("DUPONT Jean"));
            QTest::keyClick(box, Qt::Key_Left);
            QCOMPARE(box->text(), QStringLiteral("DUPONT Jean"));
            QCOMPARE(messageCount(), 1);
        }
        QVERIFY(Dialogs::Test::shownTexts().first().contains(QStringLiteral("ABSENT.MDB")));

        // Off and on again: the next failure is said once more.
        QTest::keyClick(row(14), Qt::Key_F2);
        QTest::keyClick(row(14), Qt::Key_F2);
        QTest::keyClick(row(14), 'X');
        QCOMPARE(messageCount(), 2);
        QCOMPARE(row(14)->text(), QStringLiteral("DUPONT JeaXn"));

        // The database in its place: the lookup works again at the next key.
        m_form->state().NamesPath = m_namesPath;
        row(14)->setCursorPosition(1);
        QTest::keyClick(row(14), Qt::Key_Right);
        QCOMPARE(row(14)->text(), QStringLiteral("DUBOIS alain"));
        QVERIFY(!QFileInfo::exists(QDir(m_env->dataFolder()).filePath(QStringLiteral("ABSENT.MDB"))));
    }

    // The message comes up after the second letter while the user types on:
    // the real box is shown, and every key typed meanwhile (Enter and Space
    // too) ends in the row, none in the box.
    void messageTakesNoKeystroke()
    {
        m_form->state().NamesPath = QDir(m_env->dataFolder()).filePath(QStringLiteral("ABSENT.MDB"));
        m_form->show();
        QApplication::setActiveWindow(m_form.get());
        QVERIFY(QTest::qWaitForWindowActive(m_form.get()));
        SlotTextBox* box = row(9);
        box->setFocus();

        // A modal box would take what follows; one met is closed so that the
        // test goes on, and counted.
        int modalBoxes = 0;
        QTimer watch;
        connect(&watch, &QTimer::timeout, this, [&modalBoxes] {
            if (QWidget* modal = QApplication::activeModalWidget()) {
                ++modalBoxes;
                modal->close();
            }
        });
        watch.start(0);
        // The real boxes, until the end of this case whatever happens.
        struct RealDialogs
        {
            RealDialogs() { Dialogs::Test::setEnabled(false); }
            ~RealDialogs() { Dialogs::Test::setEnabled(true); }
        } realDialogs;
        // As the window system delivers keys: to the window that has the focus.
        const auto focused = [this] {
            QWindow* window = QGuiApplication::focusWindow();
            return window != nullptr ? window : m_form->windowHandle();
        };
        for (const char key : QByteArrayLiteral("DUPONT J")) {
            QTest::keyClick(focused(), key);
        }
        QTest::keyClick(focused(), Qt::Key_Return);
        for (const char key : QByteArrayLiteral("ean")) {
            QTest::keyClick(focused(), key);
        }
        watch.stop();

        QCOMPARE(box->text(), QStringLiteral("DUPONT Jean"));
        QCOMPARE(modalBoxes, 0);
        QCOMPARE(QApplication::focusWidget(), box);
        // The message is on screen, once, and says why; its OK button closes it.
        const QList<QFrame*> notices = m_form->findChildren<QFrame*>(QStringLiteral("Notice"));
        QCOMPARE(notices.size(), 1);
        QFrame* notice = notices.first();
        QVERIFY(notice->isVisible());
        QVERIFY(notice->findChild<QLabel*>() != nullptr);
        bool named = false;
        for (const QLabel* label : notice->findChildren<QLabel*>()) {
            named = named || label->text().contains(QStringLiteral("ABSENT.MDB"));
        }
        QVERIFY(named);
        QTest::mouseClick(notice->findChild<QPushButton*>(), Qt::LeftButton);
        QVERIFY(!notice->isVisible());
    }

    void missingTableIsSaidOnce()
    {
        m_form->state().NamesTable = LooseValue::fromText(QStringLiteral("PATIENTS"));
        SlotTextBox* box = row(2);
        QTest::keyClicks(box, QStringLiteral("DUPONT"));
        QCOMPARE(box->text(), QStringLiteral("DUPONT"));
        QVERIFY(messageCount() == 1 && Dialogs::Test::shownTexts().first().contains(QStringLiteral("PATIENTS")));

        // A table name that is no plain identifier never reaches the database.
        m_form->state().NamesTable = LooseValue::fromText(QStringLiteral("MATABLE; DROP TABLE MATABLE"));
        QTest::keyClick(box, Qt::Key_F2);
        QTest::keyClick(box, Qt::Key_F2);
        QCOMPARE(messageCount(), 2);
        QCOMPARE(box->text(), QStringLiteral("DUPONT"));
        // An empty table (Alpha.vlk without its second value).
        m_form->state().NamesTable = LooseValue();
        QTest::keyClick(box, Qt::Key_Backspace);
        QCOMPARE(box->text(), QStringLiteral("DUPON"));
        QCOMPARE(messageCount(), 2);
    }

    void dayRecordsStateIsUntouched()
    {
        const QString agendas = m_env->createAppointmentDatabase();
        const qint32 today = Dates::daySerial(QDate(2026, 12, 9));
        QVERIFY(Module1::dayLookup(1, today, agendas));
        const Module1::State before = Module1::state();
        QVERIFY(before.DB);

        QTest::keyClicks(row(12), QStringLiteral("DUP"));
        QCOMPARE(row(12)->text(), QStringLiteral("DUPONT Anne"));
        m_form->state().NamesPath = QStringLiteral("/nowhere/NOMS.MDB");
        QTest::keyClicks(row(13), QStringLiteral("MA"));

        const Module1::State& after = Module1::state();
        QCOMPARE(after.DB, before.DB);
        QCOMPARE(after.SQL, before.SQL);
        QCOMPARE(after.RS.kind, before.RS.kind);
        QCOMPARE(after.RS.user, before.RS.user);
        QCOMPARE(after.RS.noMatch, before.RS.noMatch);
        Module1::closeDatabase();
    }
};

QTEST_MAIN(TestNameCompletion)
#include "tst_namecompletion.moc"
