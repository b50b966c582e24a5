#include "app/ProgramStart.h"
#include "mainwindow/ui/Artwork.h"
#include "mainwindow/ui/Form1.h"
#include "platform/AppInfo.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

#include <memory>

namespace
{
// The windows are laid out for the Windows fonts; where they are missing the
// nearest fonts of the same widths stand in.
void substituteFonts()
{
    QFont::insertSubstitutions(QStringLiteral("MS Sans Serif"),
                               {QStringLiteral("Microsoft Sans Serif"), QStringLiteral("Liberation Sans"),
                                QStringLiteral("Arimo"), QStringLiteral("DejaVu Sans Condensed")});
    QFont::insertSubstitutions(QStringLiteral("Arial"), {QStringLiteral("Liberation Sans"), QStringLiteral("Arimo"),
                                                         QStringLiteral("DejaVu Sans Condensed")});
    QFont::insertSubstitutions(QStringLiteral("Arial Black"),
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
}
} // namespace

int main(int argc, char* argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(AppInfo::title());
    QApplication::setApplicationVersion(AppInfo::versionText());
    QApplication::setWindowIcon(Artwork::applicationIcon());
    // The program ends when the main window closes, not when the splash does.
    QApplication::setQuitOnLastWindowClosed(false);
    substituteFonts();

    // Qt's own texts (the colour chooser, the text boxes' menus) in French.
    QLocale::setDefault(QLocale(QLocale::French, QLocale::France));
    QTranslator qtTexts;
    if (qtTexts.load(QLocale(), QStringLiteral("qtbase"), QStringLiteral("_"),
                     QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QApplication::installTranslator(&qtTexts);
    }

    std::unique_ptr<Form1> mainWindow;
    ProgramStart::begin(mainWindow);
    const int code = QApplication::exec();
    mainWindow.reset();
    return code;
}
