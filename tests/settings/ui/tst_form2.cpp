#include "common/TestSupport.h"
#include "platform/Geometry.h"
#include "platform/ui/Dialogs.h"
#include "settings/UserButtons.h"
#include "settings/ui/ColourValueGui.h"
#include "settings/ui/Form2.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QDir>
#include <QFile>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPointer>
#include <QPushButton>
#include <QTest>

namespace
{
const QByteArray SampleLine =
    "\"Salle A\",\"Salle B\",\"\",\"\",\"\",\"\",16777215,12632256,-2147483643,-2147483643,"
    "-2147483643,-2147483643,1,3,-1,-1,-1,-1,\"Echographies\",\"Echographies\",\"\",\"\",\"\",\"\","
    "\"Programme Bloc Op\xE9ratoire\",\"Programme Bloc Op\xE9ratoire\",\"\",\"\",\"\",\"\"\r\n";

const QByteArray UntouchedLine = "\"\",\"\",\"\",\"\",\"\",\"\",-2147483643,-2147483643,-2147483643,-2147483643,"
                                 "-2147483643,-2147483643,-1,-1,-1,-1,-1,-1,\"\",\"\",\"\",\"\",\"\",\"\","
                                 "\"\",\"\",\"\",\"\",\"\",\"\"\r\n";

// The main window's user buttons as the settings window sets them.
class FakeButtons : public UserButtons
{
public:
    void setUserButtonVisible(int user, bool visible) override
    {
        calls << QStringLiteral("%1 %2").arg(user).arg(visible ? QStringLiteral("shown") : QStringLiteral("hidden"));
    }
    void setUserButtonCaption(int user, const QString& caption) override
    {
        calls << QStringLiteral("%1 \"%2\"").arg(user).arg(caption);
    }
    QStringList calls;
};

template <typename W>
W* control(QWidget* form, const QString& name)
{
    W* widget = form->findChild<W*>(name);
    if (!widget) {
        qFatal("no control %s", qPrintable(name));
    }
    return widget;
}

QLineEdit* edit(QWidget* form, const QString& name)
{
    return control<QLineEdit>(form, name);
}

void click(QWidget* form, const QString& name)
{
    QTest::mouseClick(control<QAbstractButton>(form, name), Qt::LeftButton);
}

void typeInto(QLineEdit* field, const QString& text)
{
    field->setFocus();
    field->end(false);
    TestInput::typeText(field, text);
}

// Lets the closed window be deleted.
void processDeletes()
{
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
}
} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

    QString userFile() const { return QDir(m_env->dataFolder()).filePath(QStringLiteral("Utilisat.vlk")); }
    QString alphaFile() const { return QDir(m_env->programFolder()).filePath(QStringLiteral("Alpha.vlk")); }

    Form2* open(UserButtons* buttons = nullptr)
    {
        auto* form = new Form2(buttons);
        form->show();
        return form;
    }

    std::unique_ptr<TestEnv> m_env;

private slots:
    void init()
    {
        m_env = std::make_unique<TestEnv>();
        m_env->setRegistry(QStringLiteral("CheminUt"), m_env->dataFolder());
    }

    void cleanup()
    {
        processDeletes();
        // Windows the test left open (deleting one may delete others).
        QList<QPointer<QWidget>> windows;
        for (QWidget* w : QApplication::topLevelWidgets()) {
            if (!w->parentWidget()) {
                windows << w;
            }
        }
        for (const QPointer<QWidget>& w : windows) {
            delete w.data();
        }
        m_env.reset();
    }

    void layoutAndCaptions()
    {
        QPointer<Form2> form = open();
        QCOMPARE(form->windowTitle(), QStringLiteral("Utilisateurs"));
        QCOMPARE(form->size(), Geometry::twipRect(0, 0, 10695, 5865).size());
        QCOMPARE(edit(form, QStringLiteral("Text3"))->geometry(), Geometry::twipRect(1440, 1680, 2415, 375));
        QCOMPARE(control<QLabel>(form, QStringLiteral("LblColor6"))->geometry(),
                 Geometry::twipRect(3840, 3480, 495, 375));
        QCOMPARE(edit(form, QStringLiteral("Text7_5"))->geometry(), Geometry::twipRect(8160, 3480, 2415, 285));
        QCOMPARE(edit(form, QStringLiteral("TxtTable"))->geometry(), Geometry::twipRect(4680, 550, 1695, 285));
        QCOMPARE(edit(form, QStringLiteral("TxtTable"))->parentWidget()->objectName(), QStringLiteral("Frame1"));
        QCOMPARE(control<QLabel>(form, QStringLiteral("Label9"))->text(), QStringLiteral("Utilisateur N°5"));
        QVERIFY(control<QLabel>(form, QStringLiteral("Label10"))->font().bold());
        QCOMPARE(control<QPushButton>(form, QStringLiteral("Command4"))->font().pointSizeF(), 12.0);
        QCOMPARE(control<QPushButton>(form, QStringLiteral("CmDEnreg"))->text(),
                 QStringLiteral("&Enregistrer Quitter"));
        QCOMPARE(control<QPushButton>(form, QStringLiteral("Quitte"))->text(), QStringLiteral("Annuler / &Quitter"));
        QCOMPARE(control<QPushButton>(form, QStringLiteral("Quitte"))->font().pointSizeF(), 9.75);
        auto* notice = control<QLabel>(form, QStringLiteral("Label50"));
        QCOMPARE(notice->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(notice->text().startsWith(QStringLiteral("Redémarrer le programme KORDELA")));
        QCOMPARE(control<QGroupBox>(form, QStringLiteral("Frame1"))->title(),
                 QStringLiteral("Base de données ACCESS désignée par le Superviseur"));
        for (const char* name : {"Label8", "Label7", "Label60", "Label5", "Label6", "Label11", "Label12"}) {
            QVERIFY2(form->findChild<QLabel*>(QLatin1String(name)), name);
        }
        auto* combo = control<QComboBox>(form, QStringLiteral("Combo2"));
        QCOMPARE(combo->count(), 5);
        QCOMPARE(combo->itemText(4), QStringLiteral("Toutes les 60'"));
        QVERIFY(combo->isEditable());
        QVERIFY(form->testAttribute(Qt::WA_DeleteOnClose));
    }

    void tabOrder()
    {
        Form2* form = open();
        QStringList order;
        QWidget* w = edit(form, QStringLiteral("Text1"));
        do {
            if ((w->focusPolicy() & Qt::TabFocus) && !w->objectName().isEmpty()) {
                order << w->objectName();
            }
            w = w->nextInFocusChain();
        } while (w != edit(form, QStringLiteral("Text1")));
        QStringList expected;
        for (const char* stem : {"Text", "Combo", "TxtAnnot"}) {
            for (int k = 1; k <= 6; ++k) {
                expected << QLatin1String(stem) + QString::number(k);
            }
        }
        for (int k = 0; k < 6; ++k) {
            expected << QStringLiteral("Text7_%1").arg(k);
        }
        expected << QStringLiteral("CmDEnreg") << QStringLiteral("Quitte");
        for (int k = 1; k <= 6; ++k) {
            expected << QStringLiteral("Command%1").arg(k);
        }
        expected << QStringLiteral("Check1") << QStringLiteral("TxtTable");
        QCOMPARE(order, expected);
    }

    void openWithoutFilesThenSave()
    {
        m_env->setRegistry(QStringLiteral("CheminNoms"), QStringLiteral("/srv/noms/NOMS.MDB"));
        FakeButtons buttons;
        QPointer<Form2> form = open(&buttons);
        QVERIFY(Dialogs::Test::shown().isEmpty());
        QCOMPARE(control<QLabel>(form, QStringLiteral("Label11"))->text(), QStringLiteral("/srv/noms/NOMS.MDB"));
        QCOMPARE(edit(form, QStringLiteral("TxtTable"))->text(), QStringLiteral("MATABLE"));
        QVERIFY(!control<QCheckBox>(form, QStringLiteral("Check1"))->isChecked());
        QVERIFY(control<QGroupBox>(form, QStringLiteral("Frame1"))->isHidden());
        QCOMPARE(control<QComboBox>(form, QStringLiteral("Combo1"))->currentText(), QStringLiteral("Toutes les 15'"));
        QCOMPARE(form->slotCode(1), -1);
        QCOMPARE(form->swatchColour(1), -2147483643);
        QCOMPARE(control<QLabel>(form, QStringLiteral("LblColor1"))->palette().color(QPalette::Window),
                 form->palette().color(QPalette::Base));

        click(form, QStringLiteral("CmDEnreg"));
        QCOMPARE(TestEnv::readFile(userFile()), UntouchedLine);
        QCOMPARE(TestEnv::readFile(alphaFile()), QByteArray("#FALSE#,\"MATABLE\"\r\n"));
        QCOMPARE(buttons.calls, (QStringList{QStringLiteral("1 hidden"), QStringLiteral("2 hidden"),
                                             QStringLiteral("3 hidden"), QStringLiteral("4 hidden"),
                                             QStringLiteral("5 hidden"), QStringLiteral("6 hidden")}));
        QVERIFY(Dialogs::Test::shown().isEmpty());
        processDeletes();
        QVERIFY(form.isNull());
    }

    void openWithFiles()
    {
        TestEnv::writeFile(userFile(), SampleLine);
        TestEnv::writeFile(alphaFile(), "#TRUE#,\"PATIENTS\"\r\n");
        Form2* form = open();
        QVERIFY(Dialogs::Test::shown().isEmpty());
        QCOMPARE(edit(form, QStringLiteral("Text2"))->text(), QStringLiteral("Salle B"));
        QCOMPARE(edit(form, QStringLiteral("Text3"))->text(), QString());
        QCOMPARE(form->swatchColour(2), 12632256);
        QCOMPARE(control<QLabel>(form, QStringLiteral("LblColor2"))->palette().color(QPalette::Window),
                 QColor(192, 192, 192));
        QCOMPARE(form->slotCode(1), 1);
        QCOMPARE(control<QComboBox>(form, QStringLiteral("Combo2"))->currentText(), QStringLiteral("Toutes les 30'"));
        QCOMPARE(form->slotCode(3), -1);
        QCOMPARE(edit(form, QStringLiteral("TxtAnnot1"))->text(), QStringLiteral("Echographies"));
        QCOMPARE(edit(form, QStringLiteral("Text7_1"))->text(), QStringLiteral("Programme Bloc Opératoire"));
        QVERIFY(control<QCheckBox>(form, QStringLiteral("Check1"))->isChecked());
        QVERIFY(!control<QGroupBox>(form, QStringLiteral("Frame1"))->isHidden());
        QCOMPARE(edit(form, QStringLiteral("TxtTable"))->text(), QStringLiteral("PATIENTS"));

        // Saved untouched, the file comes back byte for byte.
        click(form, QStringLiteral("CmDEnreg"));
        QCOMPARE(TestEnv::readFile(userFile()), SampleLine);
        QCOMPARE(TestEnv::readFile(alphaFile()), QByteArray("#TRUE#,\"PATIENTS\"\r\n"));
    }

    void valuesTheControlsRefuseLeaveThemAsDesigned()
    {
        QByteArray line = SampleLine;
        line.replace(",1,3,-1,", ",7,3,-1,");
        line.replace("16777215,12632256", "\"rouge\",4294967295");
        TestEnv::writeFile(userFile(), line);
        Form2* form = open();
        QVERIFY(Dialogs::Test::shown().isEmpty());
        QCOMPARE(form->slotCode(1), -1);
        QCOMPARE(control<QComboBox>(form, QStringLiteral("Combo1"))->currentText(), QStringLiteral("Toutes les 15'"));
        QCOMPARE(form->slotCode(2), 3);
        QCOMPARE(form->swatchColour(1), -2147483643);
        QCOMPARE(form->swatchColour(2), -2147483643);
        QCOMPARE(edit(form, QStringLiteral("Text1"))->text(), QStringLiteral("Salle A"));
    }

    void faultyFilesShowAlphaMessageFirst()
    {
        TestEnv::writeFile(userFile(), SampleLine.left(SampleLine.lastIndexOf(',')) + "\r\n"); // 29 values
        TestEnv::writeFile(alphaFile(), "#TRUE#\r\n");
        Form2* form = open();
        const QString dataFolder = m_env->dataFolder();
        QCOMPARE(Dialogs::Test::shownTexts(),
                 (QStringList{QStringLiteral("Fichier ") + m_env->programFolder()
                                  + QStringLiteral("/Alpha.vlk non valide."),
                              QStringLiteral("Fichier ") + dataFolder
                                  + QStringLiteral("/Utilisat.vlk non valide (trop ou pas assez de paramètres).")}));
        QCOMPARE(Dialogs::Test::shown().at(0).caption, QStringLiteral("KORDELA"));
        // The values are applied as read.
        QVERIFY(control<QCheckBox>(form, QStringLiteral("Check1"))->isChecked());
        QCOMPARE(edit(form, QStringLiteral("TxtTable"))->text(), QString());
        QCOMPARE(edit(form, QStringLiteral("Text7_0"))->text(), QStringLiteral("Programme Bloc Opératoire"));
        QCOMPARE(edit(form, QStringLiteral("Text7_4"))->text(), QString());
    }

    void typingNamesAndSaving()
    {
        FakeButtons buttons;
        Form2* form = open(&buttons);
        typeInto(edit(form, QStringLiteral("Text1")), QStringLiteral("Dr Hélène Œuvray"));
        typeInto(edit(form, QStringLiteral("Text2")), QStringLiteral("Salle 2, étage"));
        typeInto(edit(form, QStringLiteral("TxtAnnot1")), QStringLiteral("Echos"));
        typeInto(edit(form, QStringLiteral("Text7_0")), QStringLiteral("Bloc"));

        // The slot lists are chosen from the keyboard: from none, Down selects the first entry.
        auto* combo1 = control<QComboBox>(form, QStringLiteral("Combo1"));
        combo1->setFocus();
        QTest::keyClick(combo1, Qt::Key_Down);
        QTest::keyClick(combo1, Qt::Key_Down);
        QCOMPARE(form->slotCode(1), 1);
        auto* combo2 = control<QComboBox>(form, QStringLiteral("Combo2"));
        combo2->setFocus();
        for (int i = 0; i < 5; ++i) {
            QTest::keyClick(combo2, Qt::Key_Down);
        }
        QCOMPARE(form->slotCode(2), 4);

        Dialogs::Test::setNextAnswer(QVariant::fromValue(QColor(0x12, 0x34, 0x56)));
        click(form, QStringLiteral("Command2"));

        click(form, QStringLiteral("CmDEnreg"));
        const QByteArray expected = "\"Dr H\xE9l\xE8ne \x8Cuvray\",\"Salle 2, \xE9tage\",\"\",\"\",\"\",\"\","
                                    "-2147483643,5649426,-2147483643,-2147483643,-2147483643,-2147483643,"
                                    "1,4,-1,-1,-1,-1,\"Echos\",\"\",\"\",\"\",\"\",\"\",\"Bloc\",\"\",\"\",\"\",\"\",\"\"\r\n";
        QCOMPARE(TestEnv::readFile(userFile()), expected);
        QCOMPARE(buttons.calls,
                 (QStringList{QStringLiteral("1 shown"), QStringLiteral("1 \"Dr Hélène Œuvray\""),
                              QStringLiteral("2 shown"), QStringLiteral("2 \"Salle 2, étage\""),
                              QStringLiteral("3 hidden"), QStringLiteral("4 hidden"), QStringLiteral("5 hidden"),
                              QStringLiteral("6 hidden")}));
    }

    void typingOverASlotEntryLeavesNoneSelected()
    {
        Form2* form = open();
        auto* combo = control<QComboBox>(form, QStringLiteral("Combo3"));
        combo->setFocus();
        QTest::keyClick(combo, Qt::Key_Down);
        QCOMPARE(form->slotCode(3), 0);
        QTest::keyClick(combo, Qt::Key_Backspace);
        QCOMPARE(form->slotCode(3), -1);
    }

    void buttonsFollowTheNames_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("calls");
        QTest::newRow("users 1 and 2") << QStringList{QStringLiteral("A"), QStringLiteral("B")}
                                       << QStringList{QStringLiteral("1 shown"), QStringLiteral("1 \"A\""),
                                                      QStringLiteral("2 shown"), QStringLiteral("2 \"B\""),
                                                      QStringLiteral("3 hidden"), QStringLiteral("4 hidden"),
                                                      QStringLiteral("5 hidden"), QStringLiteral("6 hidden")};
        QTest::newRow("a gap") << QStringList{QStringLiteral("A"), QString(), QStringLiteral("C")}
                               << QStringList();
        QTest::newRow("user 1 only") << QStringList{QStringLiteral("A")}
                                     << QStringList{QStringLiteral("1 hidden"), QStringLiteral("2 hidden"),
                                                    QStringLiteral("3 hidden"), QStringLiteral("4 hidden"),
                                                    QStringLiteral("5 hidden"), QStringLiteral("6 hidden")};
        QTest::newRow("a space is a name") << QStringList{QStringLiteral("A"), QStringLiteral(" ")}
                                           << QStringList{QStringLiteral("1 shown"), QStringLiteral("1 \"A\""),
                                                          QStringLiteral("2 shown"), QStringLiteral("2 \" \""),
                                                          QStringLiteral("3 hidden"), QStringLiteral("4 hidden"),
                                                          QStringLiteral("5 hidden"), QStringLiteral("6 hidden")};
    }

    void buttonsFollowTheNames()
    {
        QFETCH(QStringList, names);
        QFETCH(QStringList, calls);
        FakeButtons buttons;
        QPointer<Form2> form = open(&buttons);
        for (int k = 0; k < names.size(); ++k) {
            typeInto(edit(form, QStringLiteral("Text%1").arg(k + 1)), names.at(k));
        }
        click(form, QStringLiteral("CmDEnreg"));
        QCOMPARE(buttons.calls, calls);
        QVERIFY(QFile::exists(userFile()));
        QVERIFY(QFile::exists(alphaFile()));
        processDeletes();
        QVERIFY(form.isNull());
    }

    void colourChooserOpensOnTheLastChosenColour()
    {
        TestEnv::writeFile(userFile(), SampleLine);
        Form2* form = open();
        Dialogs::Test::setNextAnswer(QVariant::fromValue(QColor(255, 0, 0)));
        click(form, QStringLiteral("Command3"));
        Dialogs::Test::setNextAnswer(QVariant()); // cancelled
        click(form, QStringLiteral("Command1"));
        Dialogs::Test::setNextAnswer(QVariant::fromValue(QColor(0, 0, 255)));
        click(form, QStringLiteral("Command4"));

        const QList<Dialogs::Shown> shown = Dialogs::Test::shown();
        QCOMPARE(shown.size(), 3);
        QCOMPARE(shown.at(0).kind, QStringLiteral("colour"));
        QCOMPARE(shown.at(0).text, QStringLiteral("#ffffff")); // before the first choice: white
        QCOMPARE(shown.at(1).text, QStringLiteral("#ff0000"));
        QCOMPARE(shown.at(2).text, QStringLiteral("#ff0000")); // a cancel does not move it
        QCOMPARE(form->swatchColour(3), 255);
        QCOMPARE(form->swatchColour(1), 16777215);
        QCOMPARE(form->swatchColour(4), 0xFF0000);
        QCOMPARE(control<QLabel>(form, QStringLiteral("LblColor4"))->palette().color(QPalette::Window),
                 QColor(0, 0, 255));
    }

    void typingLimits()
    {
        QByteArray line = SampleLine;
        line.replace("\"Salle A\"", "\"Cabinet du docteur Jean-Baptiste\""); // 32 characters
        TestEnv::writeFile(userFile(), line);
        Form2* form = open();
        QLineEdit* name1 = edit(form, QStringLiteral("Text1"));
        QCOMPARE(name1->text(), QStringLiteral("Cabinet du docteur Jean-Baptiste")); // shown whole
        typeInto(name1, QStringLiteral("X"));
        QCOMPARE(name1->text().size(), 32); // it cannot grow longer by typing
        QTest::keyClick(name1, Qt::Key_Backspace);
        QCOMPARE(name1->text(), QStringLiteral("Cabinet du docteur Jean-Baptist"));
        TestInput::typeText(name1, QStringLiteral("eX"));
        QCOMPARE(name1->text(), QStringLiteral("Cabinet du docteur Jean-Baptiste"));

        QLineEdit* name3 = edit(form, QStringLiteral("Text3"));
        typeInto(name3, QStringLiteral("abcdefghijklmnopqrstuvwxyz0123"));
        QCOMPARE(name3->text(), QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
        QLineEdit* top = edit(form, QStringLiteral("TxtAnnot3"));
        typeInto(top, QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
        QCOMPARE(top->text().size(), 17);
        QLineEdit* bottom = edit(form, QStringLiteral("Text7_2"));
        typeInto(bottom, QStringLiteral("abcdefghijklmnopqrstuvwxyz"));
        QCOMPARE(bottom->text().size(), 25);
        QLineEdit* table = edit(form, QStringLiteral("TxtTable"));
        typeInto(table, QStringLiteral("_NOMS_DES_PATIENTS_DU_CABINET"));
        QCOMPARE(table->text(), QStringLiteral("MATABLE_NOMS_DES_PATIENTS_DU_CABINET"));

        // No double quote gets in, typed or pasted.
        typeInto(name3, QString());
        QLineEdit* name4 = edit(form, QStringLiteral("Text4"));
        typeInto(name4, QStringLiteral("Le \"Grand\""));
        QCOMPARE(name4->text(), QStringLiteral("Le Grand"));
        name4->selectAll();
        name4->insert(QStringLiteral("Pasted \"text\""));
        QCOMPARE(name4->text(), QStringLiteral("Le Grand"));
        typeInto(table, QStringLiteral("\""));
        QVERIFY(!table->text().contains(QLatin1Char('"')));
        typeInto(edit(form, QStringLiteral("TxtAnnot4")), QStringLiteral("a\"b"));
        QCOMPARE(edit(form, QStringLiteral("TxtAnnot4"))->text(), QStringLiteral("ab"));
    }

    void nameLookupBoxShowsTheFrame()
    {
        Form2* form = open();
        auto* frame = control<QGroupBox>(form, QStringLiteral("Frame1"));
        QVERIFY(frame->isHidden());
        click(form, QStringLiteral("Check1"));
        QVERIFY(!frame->isHidden());
        click(form, QStringLiteral("Check1"));
        QVERIFY(frame->isHidden());
    }

    void cancelWritesOnlyAlpha()
    {
        TestEnv::writeFile(userFile(), SampleLine);
        FakeButtons buttons;
        QPointer<Form2> form = open(&buttons);
        typeInto(edit(form, QStringLiteral("Text1")), QStringLiteral(" modifié"));
        click(form, QStringLiteral("Check1"));
        QLineEdit* table = edit(form, QStringLiteral("TxtTable"));
        table->selectAll();
        TestInput::typeText(table, QStringLiteral("NOMS"));
        click(form, QStringLiteral("Quitte"));
        QCOMPARE(TestEnv::readFile(userFile()), SampleLine);
        QCOMPARE(TestEnv::readFile(alphaFile()), QByteArray("#TRUE#,\"NOMS\"\r\n"));
        QVERIFY(buttons.calls.isEmpty());
        processDeletes();
        QVERIFY(form.isNull());
    }

    void closeBoxWritesNothing()
    {
        TestEnv::writeFile(userFile(), SampleLine);
        FakeButtons buttons;
        QPointer<Form2> form = open(&buttons);
        typeInto(edit(form, QStringLiteral("Text1")), QStringLiteral("X"));
        click(form, QStringLiteral("Check1"));
        form->close();
        processDeletes();
        QVERIFY(form.isNull());
        QCOMPARE(TestEnv::readFile(userFile()), SampleLine);
        QVERIFY(!QFile::exists(alphaFile()));
        QVERIFY(buttons.calls.isEmpty());
    }

    void failedUserFileWriteKeepsTheWindowOpen()
    {
        const QString missing = QDir(m_env->root()).filePath(QStringLiteral("partage"));
        m_env->setRegistry(QStringLiteral("CheminUt"), missing);
        FakeButtons buttons;
        QPointer<Form2> form = open(&buttons);
        typeInto(edit(form, QStringLiteral("Text1")), QStringLiteral("A"));
        typeInto(edit(form, QStringLiteral("Text2")), QStringLiteral("B"));
        click(form, QStringLiteral("CmDEnreg"));
        processDeletes();
        QVERIFY(!form.isNull());
        QVERIFY(form->isVisible());
        QCOMPARE(edit(form, QStringLiteral("Text2"))->text(), QStringLiteral("B"));
        QVERIFY(buttons.calls.isEmpty());
        QVERIFY(QFile::exists(alphaFile())); // written first
        const QStringList texts = Dialogs::Test::shownTexts();
        QCOMPARE(texts.size(), 1);
        QVERIFY2(texts.at(0).contains(missing + QStringLiteral("/Utilisat.vlk")), qPrintable(texts.at(0)));
        QVERIFY(texts.at(0).contains(QStringLiteral("Alpha.vlk a été enregistré")));

        // Once the folder is there, the same save goes through.
        QVERIFY(QDir().mkpath(missing));
        click(form, QStringLiteral("CmDEnreg"));
        QVERIFY(QFile::exists(QDir(missing).filePath(QStringLiteral("Utilisat.vlk"))));
        QCOMPARE(buttons.calls.size(), 8);
    }

    void failedAlphaWriteKeepsTheWindowOpen()
    {
        FakeButtons buttons;
        QPointer<Form2> form = open(&buttons);
        typeInto(edit(form, QStringLiteral("Text1")), QStringLiteral("A"));
        QVERIFY(QDir(m_env->programFolder()).removeRecursively());
        click(form, QStringLiteral("CmDEnreg"));
        processDeletes();
        QVERIFY(!form.isNull());
        QVERIFY(!QFile::exists(userFile())); // nothing written after Alpha.vlk failed
        QVERIFY(buttons.calls.isEmpty());
        QCOMPARE(Dialogs::Test::shownTexts().size(), 1);
        QVERIFY(Dialogs::Test::shownTexts().at(0).contains(QStringLiteral("Alpha.vlk")));

        click(form, QStringLiteral("Quitte"));
        processDeletes();
        QVERIFY(!form.isNull());
        QCOMPARE(Dialogs::Test::shownTexts().size(), 2);
    }

    void oneWindowBroughtToTheFront()
    {
        QWidget mainWindow;
        Form2* first = Form2::showWindow(nullptr, &mainWindow);
        QCOMPARE(Form2::openWindow(), first);
        QVERIFY(first->isWindow());
        typeInto(edit(first, QStringLiteral("Text1")), QStringLiteral("en cours"));
        TestEnv::writeFile(userFile(), SampleLine);
        Form2* second = Form2::showWindow(nullptr, &mainWindow);
        QCOMPARE(second, first);
        QCOMPARE(edit(second, QStringLiteral("Text1"))->text(), QStringLiteral("en cours")); // not read again
        first->close();
        processDeletes();
        QVERIFY(Form2::openWindow() == nullptr);
        Form2* third = Form2::showWindow(nullptr, &mainWindow);
        QCOMPARE(edit(third, QStringLiteral("Text1"))->text(), QStringLiteral("Salle A"));
        third->close();
        processDeletes();
    }

    void colourValuesOnScreen()
    {
        QPalette palette;
        palette.setColor(QPalette::Base, QColor(1, 2, 3));
        palette.setColor(QPalette::Button, QColor(4, 5, 6));
        QCOMPARE(ColourValue::toQColor(ColourValue::WindowBackground, palette), QColor(1, 2, 3));
        QCOMPARE(ColourValue::toQColor(ColourValue::ButtonFace, palette), QColor(4, 5, 6));
        QCOMPARE(ColourValue::toQColor(255, palette), QColor(255, 0, 0));
        QCOMPARE(ColourValue::toQColor(12632256, palette), QColor(192, 192, 192));
        QCOMPARE(ColourValue::fromQColor(QColor(0, 0, 255)), 0xFF0000);
        QCOMPARE(ColourValue::fromQColor(QColor(0x12, 0x34, 0x56)), 5649426);
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
