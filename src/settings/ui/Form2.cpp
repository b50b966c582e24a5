#include "settings/ui/Form2.h"

#include "platform/AppInfo.h"
#include "platform/Files.h"
#include "platform/Geometry.h"
#include "platform/Registry.h"
#include "platform/ui/Dialogs.h"
#include "platform/ui/FitLabel.h"
#include "platform/ui/Layout.h"
#include "settings/AlphaSettingsFile.h"
#include "settings/UserButtons.h"
#include "settings/UserSettingsFile.h"
#include "settings/ui/ColourValueGui.h"
#include "settings/ui/TypingLimitValidator.h"

#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

namespace
{
constexpr int NameLimit = 26;
constexpr int TopAnnotationLimit = 17;
constexpr int BottomAnnotationLimit = 25;
constexpr int SlotEntries = 5;
const char* const ColourProperty = "colourValue";

using Layout::place;

QFont formFont()
{
    return Layout::classicFont(8.25);
}

QFont boldFont(double pointSize = 8.25)
{
    return Layout::classicFont(pointSize, true);
}

QLabel* heading(QWidget* parent, const QString& name, const QString& text, int left, int top,
                int width, int height)
{
    auto* label = place(new QLabel(text, parent), name, left, top, width, height);
    label->setAlignment(Qt::AlignCenter);
    label->setWordWrap(true);
    return label;
}

QString indexed(const char* stem, int number)
{
    return QLatin1String(stem) + QString::number(number);
}

// A value the swatch can paint: an explicit colour or a known system colour.
bool isPaintableColour(qint32 value)
{
    if (ColourValue::isSystemColour(value)) {
        return (static_cast<quint32>(value) & 0x7FFFFF00u) == 0 && ColourValue::systemColourIndex(value) <= 0x18;
    }
    return (static_cast<quint32>(value) & 0xFF000000u) == 0;
}
} // namespace

Form2::Form2(UserButtons* buttons, QWidget* parent)
    : QWidget(parent, Qt::Window), m_buttons(buttons)
{
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("Form2"));
    setWindowTitle(QStringLiteral("Utilisateurs"));
    setFont(formFont());
    resize(Geometry::twipRect(0, 0, 10695, 5865).size());
    buildLayout();
    setTabOrder();
    Form_Load();
}

void Form2::buildLayout()
{
    heading(this, QStringLiteral("Label8"), QStringLiteral("Nom de l'utilisateur"), 1680, 120, 1815, 255);
    heading(this, QStringLiteral("Label7"), QStringLiteral("Couleur de fond"), 3840, 0, 1095, 495);
    heading(this, QStringLiteral("Label60"), QStringLiteral("Rendez vous"), 5040, 120, 975, 255);
    heading(this, QStringLiteral("Label5"), QStringLiteral("Annotation haut"), 6600, 120, 1335, 255);
    heading(this, QStringLiteral("Label6"), QStringLiteral("Annotation bas"), 8280, 120, 2175, 255);

    static const char* const rowLabels[Users] = {"Label1", "Label2", "Label3", "Label4", "Label9", "Label10"};
    const QStringList slotTexts = {QStringLiteral("Toutes les 10'"), QStringLiteral("Toutes les 15'"),
                                   QStringLiteral("Toutes les 20'"), QStringLiteral("Toutes les 30'"),
                                   QStringLiteral("Toutes les 60'")};
    static constexpr void (Form2::*colourCommands[Users])() = {&Form2::Command1_Click, &Form2::Command2_Click,
                                                                &Form2::Command3_Click, &Form2::Command4_Click,
                                                                &Form2::Command5_Click, &Form2::Command6_Click};
    for (int k = 1; k <= Users; ++k) {
        const auto i = static_cast<std::size_t>(k - 1);
        const int top = 480 + 600 * (k - 1);

        auto* rowLabel = place(new QLabel(QStringLiteral("Utilisateur N°%1").arg(k), this),
                               QLatin1String(rowLabels[i]), 120, top, 1335, 375);
        rowLabel->setFont(boldFont());

        m_names[i] = place(new QLineEdit(this), indexed("Text", k), 1440, top, 2415, 375);
        limitTyping(m_names[i], NameLimit);

        m_swatches[i] = place(new QLabel(this), indexed("LblColor", k), 3840, top, 495, 375);
        m_swatches[i]->setFrameStyle(QFrame::Box | QFrame::Plain);
        m_swatches[i]->setLineWidth(1);
        setSwatchColour(k, ColourValue::WindowBackground);

        m_colourButtons[i] = place(new QPushButton(QStringLiteral("..."), this), indexed("Command", k),
                                   4320, top, 495, 375);
        m_colourButtons[i]->setFont(boldFont(12));
        connect(m_colourButtons[i], &QPushButton::clicked, this, colourCommands[i]);

        m_slots[i] = place(new QComboBox(this), indexed("Combo", k), 4920, top, 1380, 315);
        m_slots[i]->setEditable(true);
        m_slots[i]->setInsertPolicy(QComboBox::NoInsert);
        m_slots[i]->addItems(slotTexts);
        m_slots[i]->setCurrentIndex(-1);
        m_slots[i]->setEditText(QStringLiteral("Toutes les 15'"));

        m_topAnnotations[i] = place(new QLineEdit(this), indexed("TxtAnnot", k), 6480, top, 1575, 285);
        limitTyping(m_topAnnotations[i], TopAnnotationLimit);

        m_bottomAnnotations[i] = place(new QLineEdit(this), indexed("Text7_", k - 1), 8160, top, 2415, 285);
        limitTyping(m_bottomAnnotations[i], BottomAnnotationLimit);
    }

    auto* notice = place(new QLabel(QStringLiteral("Redémarrer le programme KORDELA après modification d'un ou "
                                                   "plusieurs utilisateurs"),
                                    this),
                         QStringLiteral("Label50"), 1440, 4080, 7335, 375);
    notice->setFont(boldFont());
    notice->setAlignment(Qt::AlignCenter);
    notice->setWordWrap(true);
    Layout::setTextColour(notice, ColourValue::toQColor(ColourValue::Red, notice->palette()));

    m_nameLookup = place(new QCheckBox(QStringLiteral("Utiliser la recherche alphabetique des noms sur une base "
                                                      "ACCESS"),
                                       this),
                         QStringLiteral("Check1"), 240, 4440, 6015, 255);
    m_nameLookup->setFont(boldFont());
    connect(m_nameLookup, &QCheckBox::stateChanged, this, &Form2::Check1_Click);

    m_lookupFrame = place(new QGroupBox(QStringLiteral("Base de données ACCESS désignée par le Superviseur"), this),
                          QStringLiteral("Frame1"), 120, 4800, 7815, 975);
    m_lookupFrame->setFont(boldFont());
    m_namesDatabase = place(new FitLabel(QString(), m_lookupFrame), QStringLiteral("Label11"), 120, 240, 7575, 255);
    m_namesDatabase->setFont(formFont());
    auto* tableLabel = place(new FitLabel(QStringLiteral("Nom de la TABLE à utiliser dans la base de données ACCESS"),
                                          m_lookupFrame),
                             QStringLiteral("Label12"), 120, 600, 4455, 255);
    tableLabel->setFont(formFont());
    m_table = place(new QLineEdit(QStringLiteral("MATABLE"), m_lookupFrame), QStringLiteral("TxtTable"), 4680,
                    550, 1695, 285);
    m_table->setFont(formFont());
    limitTyping(m_table, -1);
    // Until Alpha.vlk says otherwise the lookup is off and its frame hidden.
    m_lookupFrame->setVisible(false);

    m_save = place(new QPushButton(QStringLiteral("&Enregistrer Quitter"), this), QStringLiteral("CmDEnreg"),
                   8160, 4680, 2415, 495);
    m_save->setFont(boldFont(9.75));
    connect(m_save, &QPushButton::clicked, this, &Form2::CmDEnreg_Click);

    m_cancel = place(new QPushButton(QStringLiteral("Annuler / &Quitter"), this), QStringLiteral("Quitte"), 8160,
                     5280, 2415, 495);
    m_cancel->setFont(boldFont(9.75));
    connect(m_cancel, &QPushButton::clicked, this, &Form2::Quitte_Click);
}

void Form2::setTabOrder()
{
    QList<QWidget*> order;
    for (auto* w : m_names) {
        order << w;
    }
    for (auto* w : m_slots) {
        order << w;
    }
    for (auto* w : m_topAnnotations) {
        order << w;
    }
    for (auto* w : m_bottomAnnotations) {
        order << w;
    }
    order << m_save << m_cancel;
    for (auto* w : m_colourButtons) {
        order << w;
    }
    order << m_nameLookup << m_table;
    for (qsizetype i = 1; i < order.size(); ++i) {
        QWidget::setTabOrder(order.at(i - 1), order.at(i));
    }
}

void Form2::Form_Load()
{
    const QString programFolder = AppInfo::programFolder();
    m_namesDatabase->setText(
        Files::displayPath(Registry::value(QStringLiteral("CheminNoms"), programFolder)));
    loadAlpha();
    loadUsers();
}

void Form2::loadAlpha()
{
    const AlphaSettingsRead read = ReadAlphaSettingsFile();
    for (const AlphaSettings& pass : read.passes) {
        m_nameLookup->setChecked(pass.option.equalsTrue());
        m_table->setText(pass.table.toText());
    }
    if (read.formatError) {
        Dialogs::message(this, alphaSettingsFormatMessage());
    }
}

void Form2::loadUsers()
{
    const QString folder = userSettingsFolder();
    const UserSettingsRead read = ReadUserSettingsFile(folder);
    for (const UserSettings& pass : read.passes) {
        for (std::size_t i = 0; i < Users; ++i) {
            m_names[i]->setText(pass.names[i].toText());
            bool ok = false;
            const qint32 colour = pass.colours[i].toInt32(&ok);
            if (ok && isPaintableColour(colour)) {
                setSwatchColour(static_cast<int>(i) + 1, colour);
            }
            const qint16 slot = pass.slotCodes[i].toInt16(&ok);
            if (ok && slot >= -1 && slot < SlotEntries) {
                m_slots[i]->setCurrentIndex(slot);
            }
            m_topAnnotations[i]->setText(pass.topAnnotations[i].toText());
            m_bottomAnnotations[i]->setText(pass.bottomAnnotations[i].toText());
        }
    }
    if (read.formatError) {
        Dialogs::message(this, userSettingsFormatMessage(folder));
    }
}

void Form2::Check1_Click()
{
    m_lookupFrame->setVisible(m_nameLookup->isChecked());
}

void Form2::setSwatchColour(int user, qint32 value)
{
    QLabel* swatch = m_swatches[static_cast<std::size_t>(user - 1)];
    swatch->setProperty(ColourProperty, value);
    Layout::setBackground(swatch, ColourValue::toQColor(value, swatch->palette()));
}

qint32 Form2::swatchColour(int user) const
{
    return m_swatches[static_cast<std::size_t>(user - 1)]->property(ColourProperty).toInt();
}

int Form2::slotCode(int user) const
{
    const QComboBox* list = m_slots[static_cast<std::size_t>(user - 1)];
    const int index = list->currentIndex();
    // Text typed over the selected entry leaves no entry selected.
    if (index < 0 || list->currentText() != list->itemText(index)) {
        return -1;
    }
    return index;
}

void Form2::chooseColour(int user)
{
    const std::optional<QColor> chosen = Dialogs::chooseColour(this, m_chooserColour);
    if (!chosen) {
        return;
    }
    m_chooserColour = *chosen;
    setSwatchColour(user, ColourValue::fromQColor(*chosen));
}

std::array<QString, Form2::Users> Form2::names() const
{
    std::array<QString, Users> texts;
    for (std::size_t i = 0; i < Users; ++i) {
        texts[i] = m_names[i]->text();
    }
    return texts;
}

QString Form2::boxWithQuote(bool withUserRows) const
{
    const QChar quote = QLatin1Char('"');
    if (withUserRows) {
        for (std::size_t i = 0; i < Users; ++i) {
            const int user = static_cast<int>(i) + 1;
            if (m_names[i]->text().contains(quote)) {
                return QStringLiteral("le nom de l'utilisateur N°%1").arg(user);
            }
            if (m_topAnnotations[i]->text().contains(quote)) {
                return QStringLiteral("l'annotation haut de l'utilisateur N°%1").arg(user);
            }
            if (m_bottomAnnotations[i]->text().contains(quote)) {
                return QStringLiteral("l'annotation bas de l'utilisateur N°%1").arg(user);
            }
        }
    }
    return m_table->text().contains(quote) ? QStringLiteral("le nom de la table") : QString();
}

bool Form2::refusedForQuote(bool withUserRows, const QString& notSaved)
{
    const QString quoted = boxWithQuote(withUserRows);
    if (quoted.isEmpty()) {
        return false;
    }
    Dialogs::message(this, QStringLiteral("%1 : %2 contient un guillemet (\"), qui ne peut pas être enregistré. "
                                          "Veuillez le retirer.")
                               .arg(notSaved, quoted));
    return true;
}

bool Form2::CmDEnreg_Click()
{
    // A text read from a file may hold a double quote that typing never
    // lets in; written back, it would spoil the file for every workstation.
    if (refusedForQuote(true, QStringLiteral("Les réglages n'ont pas été enregistrés"))) {
        return false;
    }
    UserSettings settings;
    const std::array<QString, Users> typedNames = names();
    for (std::size_t i = 0; i < Users; ++i) {
        const int user = static_cast<int>(i) + 1;
        settings.names[i] = LooseValue::fromText(typedNames[i]);
        settings.colours[i] = LooseValue::fromInt(swatchColour(user));
        settings.slotCodes[i] = LooseValue::fromInt(slotCode(user));
        settings.topAnnotations[i] = LooseValue::fromText(m_topAnnotations[i]->text());
        settings.bottomAnnotations[i] = LooseValue::fromText(m_bottomAnnotations[i]->text());
    }

    const Status alpha = WriteAlphaSettingsFile(m_nameLookup->isChecked(), m_table->text());
    if (!alpha) {
        Dialogs::message(this, alpha.error() + QStringLiteral("\nLes réglages n'ont pas été enregistrés."));
        return false;
    }
    const Status users = WriteUserSettingsFile(userSettingsFolder(), settings);
    if (!users) {
        Dialogs::message(this, users.error()
                                   + QStringLiteral("\nSeul le fichier Alpha.vlk a été enregistré : les réglages "
                                                    "des utilisateurs ne l'ont pas été."));
        return false;
    }
    if (m_buttons) {
        applyUserButtonPlan(*m_buttons, names());
    }
    emit saved();
    close();
    return true;
}

bool Form2::Quitte_Click()
{
    if (refusedForQuote(false, QStringLiteral("Alpha.vlk n'a pas été enregistré"))) {
        return false;
    }
    const Status alpha = WriteAlphaSettingsFile(m_nameLookup->isChecked(), m_table->text());
    if (!alpha) {
        Dialogs::message(this, alpha.error());
        return false;
    }
    close();
    return true;
}
