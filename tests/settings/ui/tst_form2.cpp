#include "common/TestSupport.h"
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
#include <QTest>

namespace
{
const QByteArray UntouchedLine = "\"\",\"\",\"\",\"\",\"\",\"\",-2147483643,-2147483643,-2147483643,-2147483643,"
                                 "-2147483643,-2147483643,-1,-1,-1,-1,-1,-1,\"\",\"\",\"\",\"\",\"\",\"\","
                                 "\"\",\"\",\"\",\"\",\"\",\"\"\r\n";

// The main window's user buttons as the settings window sets them: "2+" shows
// button 2, "3-" hides button 3, "2=Salle B" captions button 2.
class FakeButtons : public UserButtons
{
public:
    void setUserButtonVisible(int user, bool visible) override
    {
        calls << QString::number(user) + QLatin1Char(visible ? '+' : '-');
    }
    void setUserButtonCaption(int user, const QString& caption) override
    {
        calls << QString::number(user) + QLatin1Char('=') + caption;
    }
    QString said() const { return calls.join(QLatin1Char(' ')); }
    QStringList calls;
};

template <typename W = QLineEdit>
W* control(QWidget* form, const char* name)
{
    W* widget = form->findChild<W*>(QLatin1String(name));
    if (!widget) {
        qFatal("no control %s", name);
    }
    return widget;
}

QString text(QWidget* form, const char* name)
{
    return control(form, name)->text();
}

void click(QWidget* form, const char* name)
{
    QTest::mouseClick(control<QAbstractButton>(form, name), Qt::LeftButton);
}

void typeInto(QWidget* form, const char* name, const QString& typed)
{
    QLineEdit* field = control(form, name);
    field->setFocus();
    field->end(false);
    TestInput::typeText(field, typed);
}

} // namespace

class TestForm2 : public QObject
{
    Q_OBJECT

    QString userFile() const { return QDir(m_env->dataFolder()).filePath(QStringLiteral("Utilisat.vlk")); }
    QString alphaFile() const { return QDir(m_env->programFolder()).filePath(QStringLiteral("Alpha.vlk")); }

    static Form2* open(UserButtons* buttons = nullptr)
    {
        auto* form = new Form2(buttons);
        form->show();
        return form;
    }

    // The sample users' file with one change made to its text.
    void writeSample(const QByteArray& from = {}, const QByteArray& to = {}) const
    {
        QByteArray line = SampleUsersLine;
        TestEnv::writeFile(userFile(), from.isEmpty() ? line : line.replace(from, to));
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
        // The windows the test left open close as the close box closes them.
        for (QWidget* w : QApplication::topLevelWidgets()) {
            w->close();
        }
        flushDeletes();
        m_env.reset();
    }

    void openWithoutFilesThenSave()
    {
        m_env->setRegistry(QStringLiteral("CheminNoms"), QStringLiteral("/srv/noms/NOMS.MDB"));
        FakeButtons buttons;
        QPointer<Form2> form = open(&buttons);
        QVERIFY(Dialogs::Test::shown().isEmpty());
        QCOMPARE(control<QLabel>(form, "Label11")->text(), QStringLiteral("/srv/noms/NOMS.MDB"));
        QCOMPARE(text(form, "TxtTable"), QStringLiteral("MATABLE"));
        QVERIFY(!control<QCheckBox>(form, "Check1")->isChecked());
        QVERIFY(control<QGroupBox>(form, "Frame1")->isHidden());

        click(form, "CmDEnreg");
        QCOMPARE(TestEnv::readFile(userFile()), UntouchedLine);
        QCOMPARE(TestEnv::readFile(alphaFile()), QByteArray("#FALSE#,\"MATABLE\"\r\n"));
        QCOMPARE(buttons.said(), QStringLiteral("1- 2- 3- 4- 5- 6-"));
        flushDeletes();
        QVERIFY(form.isNull());
    }

    void openWithFiles()
    {
        writeSample();
        TestEnv::writeFile(alphaFile(), "#TRUE#,\"PATIENTS\"\r\n");
        Form2* form = open();
        QVERIFY(Dialogs::Test::shown().isEmpty());
        QCOMPARE(text(form, "Text2"), QStringLiteral("Salle B"));
        QCOMPARE(form->swatchColour(2), 12632256);
        QCOMPARE(control<QComboBox>(form, "Combo2")->currentText(), QStringLiteral("Toutes les 30'"));
        QVERIFY(!control<QGroupBox>(form, "Frame1")->isHidden());
        // Saved untouched, the files come back byte for byte.
        click(form, "CmDEnreg");
        QCOMPARE(TestEnv::readFile(userFile()), SampleUsersLine);
        QCOMPARE(TestEnv::readFile(alphaFile()), QByteArray("#TRUE#,\"PATIENTS\"\r\n"));
    }

    void faultyFilesShowAlphaMessageFirst()
    {
        // 29 values, among them a slot code, a colour and a number that the controls refuse.
        QByteArray line = SampleUsersLine;
        line.replace(",1,3,-1,", ",7,3,-1,").replace("16777215,12632256", "\"rouge\",4294967295");
        TestEnv::writeFile(userFile(), line.left(line.lastIndexOf(',')) + "\r\n");
        TestEnv::writeFile(alphaFile(), "#TRUE#\r\n");
        Form2* form = open();
        QCOMPARE(Dialogs::Test::shownTexts(),
                 (QStringList{QStringLiteral("Fichier %1/Alpha.vlk non valide.").arg(m_env->programFolder()),
                              QStringLiteral("Fichier %1/Utilisat.vlk non valide (trop ou pas assez de paramètres).")
                                  .arg(m_env->dataFolder())}));
        QCOMPARE(Dialogs::Test::shown().at(0).caption, QStringLiteral("KORDELA"));
        // The values are applied as read; those the controls refuse leave them as designed.
        QVERIFY(control<QCheckBox>(form, "Check1")->isChecked());
        QCOMPARE(text(form, "TxtTable"), QString());
        QCOMPARE(text(form, "Text7_0"), QStringLiteral("Programme Bloc Opératoire"));
        QCOMPARE(text(form, "Text7_4"), QString());
        QCOMPARE(form->slotCode(1), -1);
        QCOMPARE(form->slotCode(2), 3);
        QCOMPARE(form->swatchColour(1), -2147483643);
        QCOMPARE(form->swatchColour(2), -2147483643);
    }

    void typingNamesAndSaving()
    {
        FakeButtons buttons;
        Form2* form = open(&buttons);
        typeInto(form, "Text1", QStringLiteral("Dr Hélène Œuvray"));
        typeInto(form, "Text2", QStringLiteral("Salle 2, étage"));
        typeInto(form, "TxtAnnot1", QStringLiteral("Echos"));
        typeInto(form, "Text7_0", QStringLiteral("Bloc"));

        // The slot lists are chosen from the keyboard: from none, Down selects the first entry.
        const auto down = [form](const char* name, int times) {
            auto* combo = control<QComboBox>(form, name);
            combo->setFocus();
            for (int i = 0; i < times; ++i) {
                QTest::keyClick(combo, Qt::Key_Down);
            }
            return combo;
        };
        down("Combo1", 2);
        down("Combo2", 5);
        // Typing over an entry leaves none selected.
        QTest::keyClick(down("Combo3", 1), Qt::Key_Backspace);
        QCOMPARE(form->slotCode(3), -1);

        Dialogs::Test::setNextAnswer(QVariant::fromValue(QColor(0x12, 0x34, 0x56)));
        click(form, "Command2");

        click(form, "CmDEnreg");
        const QByteArray expected = "\"Dr H\xE9l\xE8ne \x8Cuvray\",\"Salle 2, \xE9tage\",\"\",\"\",\"\",\"\","
                                    "-2147483643,5649426,-2147483643,-2147483643,-2147483643,-2147483643,"
                                    "1,4,-1,-1,-1,-1,\"Echos\",\"\",\"\",\"\",\"\",\"\",\"Bloc\",\"\",\"\",\"\",\"\",\"\"\r\n";
        QCOMPARE(TestEnv::readFile(userFile()), expected);
        QCOMPARE(buttons.said(), QStringLiteral("1+ 1=Dr Hélène Œuvray 2+ 2=Salle 2, étage 3- 4- 5- 6-"));
    }

    void buttonsFollowTheNames_data()
    {
        QTest::addColumn<QString>("names"); // user 1's to user 6's, "|" between
        QTest::addColumn<QString>("said");
        const auto row = [](const char* tag, const char* names, const char* said) {
            QTest::newRow(tag) << QString::fromLatin1(names) << QString::fromLatin1(said);
        };
        row("users 1 and 2", "A|B", "1+ 1=A 2+ 2=B 3- 4- 5- 6-");
        row("a gap", "A||C", "");
        row("user 2 only", "|B", "");
        row("user 1 only", "A", "1- 2- 3- 4- 5- 6-");
        row("none", "", "1- 2- 3- 4- 5- 6-");
        row("a space is a name", "A| ", "1+ 1=A 2+ 2=  3- 4- 5- 6-");
    }

    void buttonsFollowTheNames()
    {
        QFETCH(QString, names);
        QFETCH(QString, said);
        FakeButtons buttons;
        Form2* form = open(&buttons);
        const QStringList typed = names.split(QLatin1Char('|'));
        for (int k = 0; k < typed.size(); ++k) {
            typeInto(form, qPrintable(QStringLiteral("Text%1").arg(k + 1)), typed.at(k));
        }
        click(form, "CmDEnreg");
        QCOMPARE(buttons.said(), said);
    }

    void colourChooserOpensOnTheLastChosenColour()
    {
        writeSample();
        Form2* form = open();
        for (const auto& [button, answer] : {std::pair{"Command3", QVariant::fromValue(QColor(255, 0, 0))},
                                             std::pair{"Command1", QVariant()}, // cancelled
                                             std::pair{"Command4", QVariant::fromValue(QColor(0, 0, 255))}}) {
            Dialogs::Test::setNextAnswer(answer);
            click(form, button);
        }
        // White before the first choice; a cancel does not move it.
        QCOMPARE(Dialogs::Test::shownTexts(),
                 (QStringList{QStringLiteral("#ffffff"), QStringLiteral("#ff0000"), QStringLiteral("#ff0000")}));
        QCOMPARE(form->swatchColour(3), 255);
        QCOMPARE(form->swatchColour(1), 16777215);
        QCOMPARE(control<QLabel>(form, "LblColor4")->palette().color(QPalette::Window), QColor(0, 0, 255));
    }

    void typingLimits_data()
    {
        QTest::addColumn<QString>("field");
        QTest::addColumn<QString>("typed");
        QTest::addColumn<QString>("kept");
        const auto limit = [](const char* tag, const char* field, const char* typed, const char* kept) {
            QTest::newRow(tag) << QString::fromLatin1(field) << QString::fromUtf8(typed) << QString::fromUtf8(kept);
        };
        const char* const letters = "abcdefghijklmnopqrstuvwxyz";
        limit("name: 26", "Text3", "abcdefghijklmnopqrstuvwxyz0123", letters);
        limit("top annotation: 17", "TxtAnnot3", letters, "abcdefghijklmnopq");
        limit("bottom annotation: 25", "Text7_2", letters, "abcdefghijklmnopqrstuvwxy");
        limit("table: no limit", "TxtTable", "_NOMS_DES_PATIENTS_DU_CABINET", "MATABLE_NOMS_DES_PATIENTS_DU_CABINET");
        // No double quote gets in: the file could not hold it.
        limit("name: no quote", "Text4", "Le \"Grand\"", "Le Grand");
        limit("annotation: no quote", "TxtAnnot4", "a\"b", "ab");
        limit("table: no quote", "TxtTable", "\"", "MATABLE");
        // Nor a character the files' code page lacks (it would be saved as "?");
        // French letters, Œ and € are in it.
        limit("name: Windows-1252 only", "Text5", "Łukasz Œ€", "ukasz Œ€");
        limit("annotation: Windows-1252 only", "Text7_4", "Ščerba", "Šerba");
        limit("table: Windows-1252 only", "TxtTable", "_Ω", "MATABLE_");
    }

    void typingLimits()
    {
        QFETCH(QString, field);
        QFETCH(QString, typed);
        QFETCH(QString, kept);
        Form2* form = open();
        typeInto(form, qPrintable(field), typed);
        QCOMPARE(text(form, qPrintable(field)), kept);
        // Nor pasted.
        control(form, qPrintable(field))->insert(QStringLiteral("\""));
        control(form, qPrintable(field))->insert(QStringLiteral("Ł"));
        QCOMPARE(text(form, qPrintable(field)), kept);
    }

    void longerNameReadIsShownWholeAndCannotGrow()
    {
        writeSample("\"Salle A\"", "\"Cabinet du docteur Jean-Baptiste\""); // 32 characters
        Form2* form = open();
        QLineEdit* name = control(form, "Text1");
        QCOMPARE(name->text(), QStringLiteral("Cabinet du docteur Jean-Baptiste"));
        typeInto(form, "Text1", QStringLiteral("X"));
        QCOMPARE(name->text().size(), 32);
        QTest::keyClick(name, Qt::Key_Backspace);
        TestInput::typeText(name, QStringLiteral("eX"));
        QCOMPARE(name->text(), QStringLiteral("Cabinet du docteur Jean-Baptiste"));
    }

    void quoteReadFromTheFileIsNotWrittenBack()
    {
        writeSample("\"Salle B\"", "Salle\"B"); // an unquoted value: reads as Salle"B
        const QByteArray line = TestEnv::readFile(userFile());
        FakeButtons buttons;
        QPointer<Form2> form = open(&buttons);
        QCOMPARE(text(form, "Text2"), QStringLiteral("Salle\"B"));
        click(form, "CmDEnreg");
        QCOMPARE(Dialogs::Test::shownTexts().size(), 1);
        QVERIFY(Dialogs::Test::shownTexts().at(0).contains(
            QStringLiteral("le nom de l'utilisateur N°2 contient un guillemet")));
        QVERIFY(!form.isNull() && form->isVisible());
        QCOMPARE(TestEnv::readFile(userFile()), line);
        QVERIFY(!QFile::exists(alphaFile()));
        QVERIFY(buttons.calls.isEmpty());
    }

    void cancelWritesOnlyAlphaAndTheCloseBoxNothing()
    {
        for (const bool cancel : {true, false}) {
            writeSample();
            QFile::remove(alphaFile());
            FakeButtons buttons;
            QPointer<Form2> form = open(&buttons);
            typeInto(form, "Text1", QStringLiteral(" modifié"));
            click(form, "Check1");
            click(form, "Check1");
            QVERIFY(control<QGroupBox>(form, "Frame1")->isHidden());
            click(form, "Check1");
            control(form, "TxtTable")->selectAll();
            TestInput::typeText(control(form, "TxtTable"), QStringLiteral("NOMS"));
            cancel ? click(form, "Quitte") : void(form->close());
            flushDeletes();
            QVERIFY(form.isNull());
            QCOMPARE(TestEnv::readFile(userFile()), SampleUsersLine);
            QCOMPARE(TestEnv::readFile(alphaFile()), cancel ? QByteArray("#TRUE#,\"NOMS\"\r\n") : QByteArray());
            QVERIFY(buttons.calls.isEmpty());
        }
    }

    void failedWriteKeepsTheWindowOpen()
    {
        FakeButtons buttons;
        QPointer<Form2> form = open(&buttons);
        typeInto(form, "Text1", QStringLiteral("A"));
        typeInto(form, "Text2", QStringLiteral("B"));
        const auto saveFails = [&](const QString& said) {
            Dialogs::Test::clear();
            click(form, "CmDEnreg");
            flushDeletes();
            QVERIFY(!form.isNull() && form->isVisible());
            QCOMPARE(text(form, "Text2"), QStringLiteral("B"));
            QVERIFY(buttons.calls.isEmpty());
            const QStringList texts = Dialogs::Test::shownTexts();
            QVERIFY2(texts.size() == 1 && texts.at(0).contains(said), qPrintable(texts.join(QLatin1Char('\n'))));
        };
        // Alpha.vlk cannot be written: nothing is written after it, and a cancel fails the same way.
        const QString program = m_env->programFolder();
        QVERIFY(QDir(program).removeRecursively());
        saveFails(QStringLiteral("Alpha.vlk"));
        click(form, "Quitte");
        flushDeletes();
        QVERIFY(!form.isNull());
        QCOMPARE(Dialogs::Test::shownTexts().size(), 2);
        QVERIFY(!QFile::exists(userFile()));

        // The users' folder is missing: Alpha.vlk is written first and said so.
        QVERIFY(QDir().mkpath(program));
        const QString missing = QDir(m_env->root()).filePath(QStringLiteral("partage"));
        m_env->setRegistry(QStringLiteral("CheminUt"), missing);
        saveFails(missing + QStringLiteral("/Utilisat.vlk"));
        QVERIFY(Dialogs::Test::shownTexts().at(0).contains(QStringLiteral("Alpha.vlk a été enregistré")));

        // Once the folder is there, the same save goes through.
        QVERIFY(QDir().mkpath(missing));
        click(form, "CmDEnreg");
        QVERIFY(QFile::exists(QDir(missing).filePath(QStringLiteral("Utilisat.vlk"))));
        QCOMPARE(buttons.said(), QStringLiteral("1+ 1=A 2+ 2=B 3- 4- 5- 6-"));
    }
};

QTEST_MAIN(TestForm2)
#include "tst_form2.moc"
