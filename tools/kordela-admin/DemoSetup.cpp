#include "DemoSetup.h"

#include "AdminCommands.h"
#include "dayrecords/DayLoader.h"
#include "dayrecords/DayStore.h"
#include "dayrecords/DayView.h"
#include "mainwindow/NamesImport.h"
#include "platform/AppInfo.h"
#include "platform/Clock.h"
#include "platform/Database.h"
#include "platform/Dates.h"
#include "platform/Files.h"
#include "platform/Registry.h"
#include "settings/AlphaSettingsFile.h"
#include "settings/ColourValue.h"
#include "settings/UserSettingsFile.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QStandardPaths>

namespace
{
// A value no real path can be: tells an absent CHEMIN from an empty one.
const QString Absent = QStringLiteral("\x01absent");

struct Appointment
{
    int dayOffset; // from today
    int row;
    const char* text;
};

// User 1 keeps 15-minute slots (row 4 is 09h 00, row 24 14h 00); user 2
// keeps 20-minute slots (row 3 is 09h 00, row 27 15h 00).
constexpr Appointment DrMartin[] = {
    {0, 4, "Mme Dupont Jeanne"}, {0, 5, "M. Bernard Louis"}, {0, 7, "Mlle Petit Chloé"},
    {0, 12, "M. Lefèvre Étienne"}, {0, 25, "Mme Moreau Hélène"}, {0, 26, "M. Roux Jérôme"},
    {1, 4, "M. Garnier Paul"}, {1, 8, "Mme Faure Agnès"}, {1, 28, "M. Girard Noël"},
    {2, 6, "Mme Lambert Zoé"}, {2, 30, "M. Bonnet François"}, {3, 9, "M. Mercier Cédric"},
};
constexpr Appointment DrLefevre[] = {
    {0, 3, "M. Fontaine Rémi"}, {0, 4, "Mme Chevalier Inès"}, {0, 27, "M. Robin Gaël"},
    {1, 5, "Mme Gauthier Léa"}, {1, 6, "M. Perrin Benoît"}, {2, 28, "Mme Masson Bénédicte"},
    {3, 3, "Mme Blanc Anaïs"},
};

UserSettings demoUsers()
{
    UserSettings users;
    const QString echo = QStringLiteral("Echographies");
    const QString bloc = QStringLiteral("Programme Bloc Opératoire");
    for (int u = 0; u < UserSettings::Users; ++u) {
        users.names[u] = LooseValue::fromText(QString());
        users.colours[u] = LooseValue::fromInt(ColourValue::WindowBackground);
        users.slotCodes[u] = LooseValue::fromInt(-1);
        users.topAnnotations[u] = LooseValue::fromText(QString());
        users.bottomAnnotations[u] = LooseValue::fromText(QString());
    }
    users.names[0] = LooseValue::fromText(QStringLiteral("Dr Martin"));
    users.names[1] = LooseValue::fromText(QStringLiteral("Dr Lefèvre"));
    users.colours[0] = LooseValue::fromInt(ColourValue::fromRgb(255, 255, 255));
    users.colours[1] = LooseValue::fromInt(ColourValue::fromRgb(224, 236, 255));
    users.slotCodes[0] = LooseValue::fromInt(1);
    users.slotCodes[1] = LooseValue::fromInt(2);
    for (int u = 0; u < 2; ++u) {
        users.topAnnotations[u] = LooseValue::fromText(echo);
        users.bottomAnnotations[u] = LooseValue::fromText(bloc);
    }
    return users;
}

// Writes the demo days of one user; gives the number of days written.
Result<int> writeAppointments(DbConnection& db, int user, const Appointment* first, const Appointment* last)
{
    const QDate today = Clock::today();
    int days = 0;
    for (int offset = 0; offset < 4; ++offset) {
        DayScreen day;
        bool any = false;
        for (const Appointment* a = first; a != last; ++a) {
            if (a->dayOffset == offset) {
                day.setSlotText(a->row, QString::fromUtf8(a->text));
                any = true;
            }
        }
        if (!any) {
            continue;
        }
        if (user == 1 && offset == 0) {
            day.setPostit(QStringLiteral("Rappeler le laboratoire avant midi."));
            day.setBoxVisible(SideBox::Echo1, true);
            day.setBoxText(SideBox::Echo1, QStringLiteral("2 échographies"));
        }
        if (user == 1 && offset == 1) {
            day.setBloc(QStringLiteral("8h00 : cataracte (M. Garnier)\r\n10h30 : canal carpien"));
        }
        if (user == 2 && offset == 3) {
            day.setBoxVisible(SideBox::Absent2, true);
            day.setBoxText(SideBox::Absent2, QStringLiteral("ABSENT"));
        }
        const qint32 serial = Dates::daySerial(today.addDays(offset));
        day.setShownDayCaption(QString::number(serial));
        const Result<DayRecord> saved = DayStore::save(db, user, DayLoader::FillDayRecord(day));
        if (!saved) {
            return saved.status();
        }
        ++days;
    }
    return days;
}

Status fillDemoDatabase(const QString& path, QTextStream& out)
{
    const auto opened = DbConnection::open(path, AppointmentDatabase::tableNames());
    if (!opened) {
        return opened.status();
    }
    const Result<int> martin = writeAppointments(**opened, 1, std::begin(DrMartin), std::end(DrMartin));
    if (!martin) {
        return martin.status();
    }
    const Result<int> lefevre = writeAppointments(**opened, 2, std::begin(DrLefevre), std::end(DrLefevre));
    if (!lefevre) {
        return lefevre.status();
    }
    out << QStringLiteral("  Rendez-vous de démonstration : %1 jours pour Dr Martin, %2 pour Dr Lefèvre.\n")
               .arg(*martin)
               .arg(*lefevre);
    return Status::success();
}

// Removes what an earlier demo left in `folder` (journals included, so that
// none is ever played back into the new files); Alpha.vlk is the
// workstation's and stays.
Status removeDemoFiles(const QString& folder)
{
    const QStringList names = {QStringLiteral("AGENDAS.MDB"), QString::fromLatin1(NamesImport::DemoFileName),
                               userSettingsFileName()};
    for (const QString& name : names) {
        const QString path = Files::findFileNoCase(folder, name);
        for (const QString& file : {path + QStringLiteral("-journal"), path}) {
            if (QFileInfo::exists(file) && !QFile::remove(file)) {
                return Status::failure(
                    QStringLiteral("le fichier « %1 » ne peut pas être supprimé.").arg(Files::displayPath(file)));
            }
        }
    }
    return Status::success();
}
} // namespace

namespace DemoSetup
{
QString demoFolder()
{
    return Files::joinPath(QStandardPaths::writableLocation(QStandardPaths::GenericDataLocation),
                           QStringLiteral("KORDELA/demo"));
}

int run(QTextStream& out, QTextStream& err, bool startOver)
{
    const QString configured = Registry::value(QStringLiteral("CHEMIN"), Absent);
    const QString folder = demoFolder();
    const QString database = Files::joinPath(folder, QStringLiteral("AGENDAS.MDB"));
    if (startOver) {
        if (configured != Absent && configured != database && !Files::sameFile(configured, database)) {
            err << QStringLiteral("Erreur : KORDELA est configuré sur une autre base (CHEMIN = « %1 ») : rien n'est "
                                  "modifié. Pour revenir à la démonstration sur ce poste, supprimez d'abord "
                                  "« %2 ».\n")
                       .arg(configured, Files::displayPath(Registry::iniFilePath(
                                            QString::fromLatin1(Registry::Application))));
            return 1;
        }
        const Status removed = removeDemoFiles(folder);
        if (!removed) {
            err << QStringLiteral("Erreur : %1\n").arg(removed.error());
            return 1;
        }
    } else if (configured != Absent) {
        out << QStringLiteral("KORDELA est déjà configuré (CHEMIN = « %1 ») : rien n'est modifié.\n")
                   .arg(configured);
        return 0;
    }

    if (!QDir().mkpath(folder)) {
        err << QStringLiteral("Erreur : impossible de créer le dossier « %1 ».\n").arg(Files::displayPath(folder));
        return 1;
    }
    out << QStringLiteral("Préparation de la démonstration dans « %1 » :\n").arg(Files::displayPath(folder));

    if (QFileInfo::exists(database)) {
        out << QStringLiteral("  La base « %1 » existe déjà : elle est conservée telle quelle.\n")
                   .arg(Files::displayPath(database));
    } else {
        const Status created = AppointmentDatabase::create(database);
        if (!created) {
            err << QStringLiteral("Erreur : %1\n").arg(created.error());
            return 1;
        }
        out << QStringLiteral("  Base de rendez-vous créée : « %1 ».\n").arg(Files::displayPath(database));
        const Status filled = fillDemoDatabase(database, out);
        if (!filled) {
            QFile::remove(database); // a half-filled demo is not kept for the next run
            err << QStringLiteral("Erreur : les rendez-vous de démonstration n'ont pas pu être écrits : %1\n")
                       .arg(filled.error());
            return 1;
        }
    }

    if (QFileInfo::exists(userSettingsFilePath(folder))) {
        out << QStringLiteral("  Le fichier des utilisateurs existe déjà : il est conservé.\n");
    } else {
        const Status written = WriteUserSettingsFile(folder, demoUsers());
        if (!written) {
            err << QStringLiteral("Erreur : %1\n").arg(written.error());
            return 1;
        }
        out << QStringLiteral("  Utilisateurs : Dr Martin (créneaux de 15 minutes), Dr Lefèvre (20 minutes).\n");
    }

    const QString names = AdminCommands::createDemoNamesDatabase(folder, err);
    if (names.isEmpty()) {
        out << QStringLiteral("  Pas de base de noms de démonstration : la complétion des noms est sans objet.\n");
    } else {
        out << QStringLiteral("  Base de noms : « %1 ».\n").arg(Files::displayPath(names));
        // The workstation's own name-lookup option, switched on for the demo
        // unless this workstation already chose.
        if (!QFileInfo::exists(Files::findFileNoCase(AppInfo::programFolder(), alphaSettingsFileName()))) {
            const Status alpha = WriteAlphaSettingsFile(true, QStringLiteral("MATABLE"));
            out << (alpha ? QStringLiteral("  Complétion des noms activée (F2 la suspend et la reprend).\n")
                          : QStringLiteral("  Complétion des noms non activée : %1\n").arg(alpha.error()));
        }
    }

    // CHEMIN last: it is what tells the next run that the demo is in place.
    bool stored = Registry::setValue(QStringLiteral("CheminUt"), folder);
    if (!names.isEmpty()) {
        stored = Registry::setValue(QStringLiteral("CheminNoms"), names) && stored;
    }
    stored = stored && Registry::setValue(QStringLiteral("CHEMIN"), database);
    if (!stored) {
        err << QStringLiteral("Erreur : les réglages n'ont pas pu être écrits dans « %1 ».\n")
                   .arg(Files::displayPath(Registry::iniFilePath(QString::fromLatin1(Registry::Application))));
        return 1;
    }
    out << QStringLiteral("  Réglages enregistrés dans « %1 » (CHEMIN, CheminUt%2).\n")
               .arg(Files::displayPath(Registry::iniFilePath(QString::fromLatin1(Registry::Application))),
                    names.isEmpty() ? QString() : QStringLiteral(", CheminNoms"));
    out << QStringLiteral("La démonstration est prête.\n");
    return 0;
}
} // namespace DemoSetup
