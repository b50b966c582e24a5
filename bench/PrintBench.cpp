#include "Benchmarks.h"

#include "platform/Dates.h"
#include "printing/Module2.h"
#include "printing/ui/PageRenderer.h"

#include <QDir>
#include <QElapsedTimer>
#include <QPrinter>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTextStream>

#include <vector>

namespace
{
constexpr int Runs = 200;
constexpr double TargetMs = 50.0;

// A full working day as the window would show it, with a theatre programme of
// sixty lines (two sheets of paper).
SheetSource fullDay()
{
    QRandomGenerator random(39148);
    const DayScreen screen = BenchDatabase::filledDay(Dates::daySerial(QDate(2026, 12, 9)), random);
    SheetSource day;
    day.userName = QStringLiteral("Dr Lefèvre");
    day.longDate = QStringLiteral("mercredi 9 décembre 2026");
    day.blocTitle = QStringLiteral("Programme Bloc Opératoire");
    for (int row = 0; row < DayGridShape::SlotCount; ++row) {
        day.slotTexts << screen.slotText(row);
    }
    day.postit = screen.postit();
    QStringList programme;
    for (int i = 0; i < 60; ++i) {
        programme << QStringLiteral("%1h%2 cataracte, ").arg(8 + i / 6).arg((i % 6) * 10)
                         + BenchDatabase::patientName(random) + QStringLiteral(", salle 2");
    }
    day.bloc = programme.join(QStringLiteral("\r\n"));
    return day;
}

// One command as the user waits for it: the page composed from the window's
// values, then rendered into a PDF file.
double timeCommand(PrintCommand command, const SheetSource& day, const QString& path, bool& failed)
{
    std::vector<qint64> samples;
    samples.reserve(Runs);
    for (int run = 0; run < Runs; ++run) {
        QElapsedTimer timer;
        timer.start();
        const std::optional<PrintedPage> page = PrintChoice::compose(command, day, 15);
        QPrinter printer(QPrinter::HighResolution);
        printer.setOutputFormat(QPrinter::PdfFormat);
        printer.setOutputFileName(path);
        failed = failed || !page || !PageRenderer::render(*page, printer);
        samples.push_back(timer.nsecsElapsed());
    }
    return BenchDatabase::medianMs(samples);
}
} // namespace

namespace Benchmarks
{
void runPrintBenchmark()
{
    QTextStream out(stdout);
    QTemporaryDir dir;
    const SheetSource day = fullDay();
    const struct
    {
        PrintCommand command;
        const char* name;
    } commands[] = {{PrintCommand::Matin, "liste du matin"},
                    {PrintCommand::Amidi, "liste de l'après-midi"},
                    {PrintCommand::Bloc, "bloc opératoire (60 lignes, 2 pages)"},
                    {PrintCommand::Postit, "post-it"}};
    out << QStringLiteral("Impression en PDF, composition comprise (%1 fois chacune) :\n").arg(Runs);
    for (const auto& c : commands) {
        bool failed = false;
        const double ms = timeCommand(c.command, day, QDir(dir.path()).filePath(QStringLiteral("page.pdf")), failed);
        if (failed) {
            out << "  " << QString::fromUtf8(c.name) << " : impression impossible\n";
            continue;
        }
        out << QStringLiteral("  %1 (médiane) : %2 ms  [cible <= %3 ms] %4\n")
                   .arg(QString::fromUtf8(c.name))
                   .arg(ms, 0, 'f', 2)
                   .arg(TargetMs)
                   .arg(BenchDatabase::verdict(ms <= TargetMs));
    }
    out.flush();
}
} // namespace Benchmarks
