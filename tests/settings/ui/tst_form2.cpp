#include "common/TestSupport.h"
#include "platform/Geometry.h"
#include "platform/ui/Dialogs.h"
#include "settings/UserButtons.h"
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

// The calls a save makes: the named buttons shown and captioned, the others hidden.
QStringList buttonCalls(const QStringList& shown)
{
    QStringList calls;
    for (int k = 1; k <= 6; ++k) {
        if (k <= shown.size()) {
            calls << QStringLiteral("%1 shown").arg(k) << QStringLiteral("%1 \"%2\"").arg(k).arg(shown.at(k - 1));
        } else {
            calls << QStringLiteral("%1 hidden").arg(k);
        }
    }
    return calls;
}

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
        flushDeletes();
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
        QCOMPARE(edit(form, QStringLiteral("Text7_5"))->geometry(), Geometry::twipRect(8160, 3480, 2415, 285));
        QCOMPARE(edit(form, QStringLiteral("TxtTable"))->parentWidget()->objectName(), QStringLiteral("Frame1"));
        QCOMPARE(control<QLabel>(form, QStringLiteral("Label9"))->text(), QStringLiteral("Utilisateur N°5"));
        QCOMPARE(control<QPushButton>(form, QStringLiteral("CmDEnreg"))->text(),
                 QStringLiteral("&Enregistrer Quitter"));
        QCOMPARE(control<QPushButton>(form, QStringLiteral("Quitte"))->text(), QStringLiteral("Annuler / &Quitter"));
        auto* notice = control<QLabel>(form, QStringLiteral("Label50"));
        QCOMPARE(notice->palette().color(QPalette::WindowText), QColor(255, 0, 0));
        QVERIFY(notice->text().startsWith(QStringLiteral("Redémarrer le programme KORDELA")));
        QCOMPARE(control<QGroupBox>(form, QStringLiteral("Frame1"))->title(),
                 QStringLiteral("Base de données ACCESS désignée par le Superviseur"));
        auto* combo = control<QComboBox>(form, QStringLiteral("Combo2"));
        QCOMPARE(combo->count(), 5);
        QCOMPARE(combo->itemText(4), QStringLiteral("Toutes les 60'"));
        QVERIFY(combo->isEditable());
        QVERIFY(form->testAttribute(Qt::WA_DeleteOnClose));
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
        QCOMPARE(buttons.calls, buttonCalls({}));
        QVERIFY(Dialogs::Test::shown().isEmpty());
        flushDeletes();
        QVERIFY(form.isNull());
    }

    void openWithFiles()
    {
        TestEnv::writeFile(userFile(), SampleUsersLine);
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
        QCOMPARE(TestEnv::readFile(userFile()), SampleUsersLine);
        QCOMPARE(TestEnv::readFile(alphaFile()), QByteArray("#TRUE#,\"PATIENTS\"\r\n"));
    }

    void valuesTheControlsRefuseLeaveThemAsDesigned()
    {
        QByteArray line = SampleUsersLine;
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
        TestEnv::writeFile(userFile(), SampleUsersLine.left(SampleUsersLine.lastIndexOf(',')) + "\r\n"); // 29 values
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
        // Typing over an entry leaves none selected.
        auto* combo3 = control<QComboBox>(form, QStringLiteral("Combo3"));
        combo3->setFocus();
        QTest::keyClick(combo3, Qt::Key_Down);
        QCOMPARE(form->slotCode(3), 0);
        QTest::keyClick(combo3, Qt::Key_Backspace);
        QCOMPARE(form->slotCode(3), -1);

        Dialogs::Test::setNextAnswer(QVariant::fromValue(QColor(0x12, 0x34, 0x56)));
        click(form, QStringLiteral("Command2"));

        click(form, QStringLiteral("CmDEnreg"));
        const QByteArray expected = "\"Dr H\xE9l\xE8ne \x8Cuvray\",\"Salle 2, \xE9tage\",\"\",\"\",\"\",\"\","
                                    "-2147483643,5649426,-2147483643,-2147483643,-2147483643,-2147483643,"
                                    "1,4,-1,-1,-1,-1,\"Echos\",\"\",\"\",\"\",\"\",\"\",\"Bloc\",\"\",\"\",\"\",\"\",\"\"\r\n";
        QCOMPARE(TestEnv::readFile(userFile()), expected);
        QCOMPARE(buttons.calls, buttonCalls({QStringLiteral("Dr Hélène Œuvray"), QStringLiteral("Salle 2, étage")}));
    }

    void buttonsFollowTheNames_data()
    {
        QTest::addColumn<QStringList>("names");
        QTest::addColumn<QStringList>("calls");
        const QString a = QStringLiteral("A");
        QTest::newRow("users 1 and 2") << QStringList{a, QStringLiteral("B")} << buttonCalls({a, QStringLiteral("B")});
        QTest::newRow("a gap") << QStringList{a, QString(), QStringLiteral("C")} << QStringList();
        QTest::newRow("user 2 only") << QStringList{QString(), QStringLiteral("B")} << QStringList();
        QTest::newRow("user 1 only") << QStringList{a} << buttonCalls({});
        QTest::newRow("none") << QStringList() << buttonCalls({});
        QTest::newRow("a space is a name") << QStringList{a, QStringLiteral(" ")} << buttonCalls({a, QStringLiteral(" ")});
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
        flushDeletes();
        QVERIFY(form.isNull());
    }

    void colourChooserOpensOnTheLastChosenColour()
    {
        TestEnv::writeFile(userFile(), SampleUsersLine);
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

    void typingLimits_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        const QString letters = QStringLiteral("abcdefghijklmnopqrstuvwxyz");
        QTest::newRow("name: 26") << QStringLiteral("Text3") << letters + QStringLiteral("0123") << letters;
        QTest::newRow("top annotation: 17") << QStringLiteral("TxtAnnot3") << letters << letters.left(17);
        QTest::newRow("bottom annotation: 25") << QStringLiteral("Text7_2") << letters << letters.left(25);
        QTest::newRow("table: no limit") << QStringLiteral("TxtTable") << QStringLiteral("_NOMS_DES_PATIENTS_DU_CABINET")
                                         << QStringLiteral("MATABLE_NOMS_DES_PATIENTS_DU_CABINET");
        // No double quote gets in: the file could not hold it.
        QTest::newRow("name: no quote") << QStringLiteral("Text4") << QStringLiteral("Le \"Grand\"")
                                        << QStringLiteral("Le Grand");
        QTest::newRow("annotation: no quote") << QStringLiteral("TxtAnnot4") << QStringLiteral("a\"b") << QStringLiteral("ab");
        QTest::newRow("table: no quote") << QStringLiteral("TxtTable") << QStringLiteral("\"") << QStringLiteral("MATABLE");
    }

    void typingLimits()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        Form2* form = open();
        typeInto(edit(form, field), typed);
        QCOMPARE(edit(form, field)->text(), kept);
        // Nor pasted.
        edit(form, field)->insert(QStringLiteral("\""));
        QCOMPARE(edit(form, field)->text(), kept);
    }

    void longerNameReadIsShownWholeAndCannotGrow()
    {
        QByteArray line = SampleUsersLine;
        line.replace("\"Salle A\"", "\"Cabinet du docteur Jean-Baptiste\""); // 32 characters
        TestEnv::writeFile(userFile(), line);
        QLineEdit* name = edit(open(), QStringLiteral("Text1"));
        QCOMPARE(name->text(), QStringLiteral("Cabinet du docteur Jean-Baptiste"));
        typeInto(name, QStringLiteral("X"));
        QCOMPARE(name->text().size(), 32);
        QTest::keyClick(name, Qt::Key_Backspace);
        TestInput::typeText(name, QStringLiteral("eX"));
        QCOMPARE(name->text(), QStringLiteral("Cabinet du docteur Jean-Baptiste"));
    }

    void quoteReadFromTheFileIsNotWrittenBack()
    {
        QByteArray line = SampleUsersLine;
        line.replace("\"Salle B\"", "Salle\"B"); // an unquoted value: reads as Salle"B
        TestEnv::writeFile(userFile(), line);
        FakeButtons buttons;
        QPointer<Form2> form = open(&buttons);
        QCOMPARE(edit(form, QStringLiteral("Text2"))->text(), QStringLiteral("Salle\"B"));
        click(form, QStringLiteral("CmDEnreg"));
        QCOMPARE(Dialogs::Test::shown().size(), 1);
        QVERIFY(Dialogs::Test::shown().at(0).text.contains(QStringLiteral("le nom de l'utilisateur N°2 contient un guillemet")));
        QVERIFY(!form.isNull() && form->isVisible());
        QCOMPARE(TestEnv::readFile(userFile()), line);
        QVERIFY(!QFile::exists(alphaFile()));
        QVERIFY(buttons.calls.isEmpty());
    }

    void cancelWritesOnlyAlpha()
    {
        TestEnv::writeFile(userFile(), SampleUsersLine);
        FakeButtons buttons;
        QPointer<Form2> form = open(&buttons);
        typeInto(edit(form, QStringLiteral("Text1")), QStringLiteral(" modifié"));
        // The name-lookup box shows and hides its frame.
        auto* frame = control<QGroupBox>(form, QStringLiteral("Frame1"));
        click(form, QStringLiteral("Check1"));
        QVERIFY(!frame->isHidden());
        click(form, QStringLiteral("Check1"));
        QVERIFY(frame->isHidden());
        click(form, QStringLiteral("Check1"));
        QLineEdit* table = edit(form, QStringLiteral("TxtTable"));
        table->selectAll();
        TestInput::typeText(table, QStringLiteral("NOMS"));
        click(form, QStringLiteral("Quitte"));
        QCOMPARE(TestEnv::readFile(userFile()), SampleUsersLine);
        QCOMPARE(TestEnv::readFile(alphaFile()), QByteArray("#TRUE#,\"NOMS\"\r\n"));
        QVERIFY(buttons.calls.isEmpty());
        flushDeletes();
        QVERIFY(form.isNull());
    }

    void closeBoxWritesNothing()
    {
        TestEnv::writeFile(userFile(), SampleUsersLine);
        FakeButtons buttons;
        QPointer<Form2> form = open(&buttons);
        typeInto(edit(form, QStringLiteral("Text1")), QStringLiteral("X"));
        click(form, QStringLiteral("Check1"));
        form->close();
        flushDeletes();
        QVERIFY(form.isNull());
        QCOMPARE(TestEnv::readFile(userFile()), SampleUsersLine);
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
        flushDeletes();
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
        flushDeletes();
        QVERIFY(!form.isNull());
        QVERIFY(!QFile::exists(userFile())); // nothing written after Alpha.vlk failed
        QVERIFY(buttons.calls.isEmpty());
        QCOMPARE(Dialogs::Test::shownTexts().size(), 1);
        QVERIFY(Dialogs::Test::shownTexts().at(0).contains(QStringLiteral("Alpha.vlk")));

        click(form, QStringLiteral("Quitte"));
        flushDeletes();
        QVERIFY(!form.isNull());
        QCOMPARE(Dialogs::Test::shownTexts().size(), 2);
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
