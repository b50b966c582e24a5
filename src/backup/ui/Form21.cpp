#include "backup/ui/Form21.h"

#include "backup/Backup.h"
#include "backup/BackupNames.h"
#include "backup/BackupTexts.h"
#include "backup/Restore.h"
#include "dayrecords/Module1.h"
#include "mainwindow/SharedTexts.h"
#include "mainwindow/ui/Artwork.h"
#include "mainwindow/ui/Form1.h"
#include "mainwindow/ui/ShownDay.h"
#include "mainwindow/ui/UserSwitch.h"
#include "platform/AppInfo.h"
#include "platform/Files.h"
#include "platform/Geometry.h"
#include "platform/Registry.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/Layout.h"
#include "platform/ui/WaitCursor.h"
#include "settings/UserButtons.h"
#include "settings/UserSettingsFile.h"

#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QShortcut>

namespace
{
using Layout::place;

QGroupBox* frame(QWidget* parent, const char* name, const QString& title, int left, int top, int width,
                 int height, double points)
{
    auto* box = place(new QGroupBox(title, parent), name, left, top, width, height);
    box->setFont(Layout::classicFont(points, true));
    return box;
}

// A label holding a path: the window's colours, every character as it is.
QLabel* pathLabel(QWidget* parent, const char* name, const QString& text, int left, int top, int width, int height)
{
    auto* label = place(new QLabel(text, parent), name, left, top, width, height);
    label->setFont(Layout::classicFont(8.25));
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    label->setBackgroundRole(QPalette::Base);
    label->setForegroundRole(QPalette::Text);
    label->setAutoFillBackground(true);
    return label;
}

QPushButton* button(QWidget* parent, const char* name, const QString& text, int left, int top, int width,
                    int height, bool bold)
{
    return Layout::button(parent, name, text, left, top, width, height, 8.25, bold);
}
} // namespace

Form21::Form21(Form1& form) : QWidget(nullptr, Qt::Window), m_form(form)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Form21"));
    setWindowTitle(QStringLiteral("Sauvegardes"));
    // A fixed single border: no minimise, no maximise, no resizing.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint
                   | Qt::WindowCloseButtonHint | Qt::MSWindowsFixedSizeDialogHint);
    setFixedSize(Geometry::twipRect(0, 0, 7290, 7320).size());
    setWindowIcon(QIcon(Artwork::diskette(32)));
    setFont(Layout::classicFont(8.25));
    buildLayout();
    Form_Load();
}

void Form21::buildLayout()
{
    QGroupBox* frame3 = frame(this, "Frame3", QStringLiteral("Sauvegarde"), 120, 120, 6855, 3255, 13.5);
    QGroupBox* frame1 = frame(frame3, "Frame1", QStringLiteral("Répertoire de Sauvegarde"), 840, 480, 5775, 1335,
                              8.25);
    m_label1 = pathLabel(frame1, "Label1", QStringLiteral("C:\\"), 240, 360, 5295, 375);
    m_command2 = button(frame1, "Command2", QStringLiteral("Définir le répertoire de Sauvegarde"), 240, 840, 5295,
                        375, false);
    m_cmdSauve = button(frame3, "CmdSauve", QStringLiteral("Sauvegarder"), 840, 1920, 5775, 1095, true);
    auto* image1 = place(new QLabel(frame3), "Image1", 120, 2160, 615, 615);
    image1->setPixmap(Artwork::diskette(32));

    QGroupBox* frame2 = frame(this, "Frame2", QStringLiteral("Restauration"), 120, 3360, 6855, 3135, 13.5);
    QGroupBox* frame4 = frame(frame2, "Frame4", QStringLiteral("Path de la base AGENDAS.MDB sauvegardée"), 840, 480,
                              5775, 1215, 8.25);
    m_label3 = pathLabel(frame4, "Label3", QString(), 240, 240, 5295, 375);
    m_command3 = button(frame4, "Command3", QStringLiteral("Rchercher une base AGENDAS.MDB sauvegardée"), 240, 720,
                        5295, 375, false);
    m_cmdRestaure = button(frame2, "CmdRestaure", QStringLiteral("Restaurer AGENDAS.MDB"), 840, 1800, 5775, 1095, true);
    m_text1 = place(new QLineEdit(QStringLiteral("Text1"), frame2), "Text1", 240, 1560, 4215, 285);
    m_text1->setFont(Layout::classicFont(8.25));
    m_text1->hide();

    m_command1 = button(this, "Command1", QStringLiteral("&Quitter"), 2760, 6600, 1815, 615, true);

    connect(m_cmdSauve, &QPushButton::clicked, this, &Form21::CmdSauve_Click);
    connect(m_command2, &QPushButton::clicked, this, &Form21::Command2_Click);
    connect(m_command3, &QPushButton::clicked, this, &Form21::Command3_Click);
    connect(m_cmdRestaure, &QPushButton::clicked, this, &Form21::CmdRestaure_Click);
    connect(m_command1, &QPushButton::clicked, this, &QWidget::close);
    // The cancel button: Escape presses it.
    auto* escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, m_command1, &QPushButton::click);

    // The restore button comes first in the tab order and holds the focus.
    QWidget::setTabOrder(m_cmdRestaure, m_command2);
    QWidget::setTabOrder(m_command2, m_cmdSauve);
    QWidget::setTabOrder(m_cmdSauve, m_command3);
    QWidget::setTabOrder(m_command3, m_command1);
    m_cmdRestaure->setFocus();
}

void Form21::Form_Load()
{
    const QString programFolder = AppInfo::programFolder();
    // The database and the settings file the main window works on, as it
    // read them at start-up: a CHEMIN changed since then is not followed, so
    // that the agenda never goes on with a file that was not backed up or
    // restored.
    DatabasePath = m_form.state().OpenPath;
    UserFilesDir = m_form.state().UserFilesDir;
    BackupDir = Registry::value(QStringLiteral("SAUVE"), programFolder);

    m_label1->setText(Files::displayPath(BackupDir));
    m_cmdSauve->setText(BackupTexts::buttonText(BackupTexts::backupCaption(DatabasePath, BackupDir)));
    const QString source = BackupDir.isEmpty() ? QString() : BackupNames::databaseIn(BackupDir);
    m_label3->setText(Files::displayPath(source));
    m_cmdRestaure->setText(BackupTexts::buttonText(BackupTexts::restoreCaption(source, DatabasePath)));
}

QString Form21::backupFolder() const
{
    return m_label1->text();
}

QString Form21::restoreSource() const
{
    return m_label3->text();
}

void Form21::CmdSauve_Click()
{
    const Backup::Request request{DatabasePath, UserFilesDir, backupFolder()};
    // A refusal is said before anything is copied, and the window stays open.
    if (!m_form.state().hasUser()) {
        Dialogs::message(this, SharedTexts::noDatabaseOpen());
        return;
    }
    const Status refused = Backup::refusal(request);
    if (!refused) {
        Dialogs::message(this, refused.error());
        return;
    }
    // The typing on screen goes into the backup; a save that fails stops it
    // (its message has been shown).
    if (!m_form.shownDay().saveIfModified()) {
        return;
    }
    const Result<Backup::Outcome> done = WaitCursor::during([&] { return Backup::run(request); });
    if (done) {
        Dialogs::message(this, BackupTexts::backupDone(*done));
    } else {
        Dialogs::detailedMessage(this, BackupTexts::backupFailed(done.error()), done.details());
    }
    close();
}

void Form21::Command2_Click()
{
    const QString folder =
        Dialogs::chooseFolder(this, QStringLiteral("Choix du répertoire pour la sauvegarde :"), backupFolder());
    if (folder.isEmpty()) {
        return;
    }
    m_label1->setText(Files::displayPath(folder));
    m_cmdSauve->setText(BackupTexts::buttonText(BackupTexts::backupCaption(DatabasePath, folder)));
    if (!Registry::saveSetting(QStringLiteral("Halverin"), QStringLiteral("KORDELA"), QStringLiteral("Sauve"),
                               folder)) {
        Dialogs::message(this, QStringLiteral("Le répertoire de sauvegarde n'a pas pu être enregistré dans les "
                                              "réglages : il sera à choisir de nouveau à la prochaine ouverture."));
    }
}

void Form21::Command3_Click()
{
    const QString file = Dialogs::chooseFile(
        this, QString(), BackupDir,
        QStringLiteral("Fichier AGENDAS.MDB) (AGENDAS.MDB);;Tous Fichiers (*.*) (*)"));
    if (file.isEmpty()) {
        return;
    }
    m_label3->setText(Files::displayPath(file));
    m_cmdRestaure->setText(BackupTexts::buttonText(BackupTexts::restoreCaption(file, DatabasePath)));
}

void Form21::CmdRestaure_Click()
{
    const QString source = restoreSource();
    m_text1->setText(source);
    if (!m_form.state().hasUser()) {
        Dialogs::message(this, BackupTexts::restoreFailed(SharedTexts::noDatabaseOpen()));
        return;
    }
    const Restore::SourceCheck checked =
        WaitCursor::during([&] { return Restore::checkSource(source, DatabasePath); });
    if (checked.verdict == Restore::Verdict::Missing) {
        Dialogs::message(this, checked.reason);
        return;
    }
    if (checked.verdict != Restore::Verdict::Usable) {
        Dialogs::detailedMessage(this, BackupTexts::restoreFailed(checked.reason), checked.details);
        return;
    }
    if (Dialogs::question(this, BackupTexts::restoreQuestion(source, DatabasePath), QString(), Dialogs::Answer::No)
        != Dialogs::Answer::Yes) {
        return;
    }
    // The typing on screen is stored first, so that the safety copy holds it.
    if (!m_form.shownDay().saveIfModified()) {
        return;
    }
    // The shared connection is closed around the restore; the main window
    // opens the database again for the day it shows.
    Module1::closeDatabase();
    Restore::Request request;
    request.source = source;
    request.databasePath = DatabasePath;
    request.usersFolder = UserFilesDir;
    request.when = QDateTime::currentDateTime();
    const Result<Restore::Outcome> restored = WaitCursor::during([&] { return Restore::run(request); });
    if (!restored) {
        Dialogs::detailedMessage(this, BackupTexts::restoreFailed(restored.error()), restored.details());
        return;
    }
    showRestoredData();
    Dialogs::message(this, BackupTexts::restoreDone(*restored, source));
    close();
    m_form.shownDay().showInFront();
}

void Form21::showRestoredData()
{
    // No window goes on with the data the restore replaced.
    m_form.shownDay().dataRestored();
    // The user buttons take the restored names; the current user's look, slot
    // length and shown day come from the restored settings and database as a
    // press on its button would read them.
    const UserSettingsRead users = ReadUserSettingsFile(UserFilesDir);
    if (!users.passes.isEmpty()) {
        std::array<QString, 6> names;
        for (std::size_t k = 0; k < names.size(); ++k) {
            names[k] = users.passes.last().names[k].toText();
        }
        applyUserButtonPlan(m_form, names);
    }
    m_form.userSwitch().switchTo(m_form.state().CurrentUser);
}
