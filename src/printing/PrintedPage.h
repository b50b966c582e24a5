#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A composed page: the lines in the order they are printed, each with its
// point size. The printer's own typeface prints them; a page longer than the
// paper continues on the next sheet when it is rendered.
struct PrintedLine
{
    QString text;
    double pointSize = 12.0;

    bool operator==(const PrintedLine&) const = default;
};

struct PrintedPage
{
    QList<PrintedLine> lines;

    // Prints `item` as whole lines: each line break in it (CR LF, CR or LF)
    // starts a new line at the left margin; an empty item is one empty line.
    void print(const QString& item, double pointSize);
    QStringList texts() const;

    bool operator==(const PrintedPage&) const = default;
};

// The set-up every page starts with: the origin of the lines inside the
// printable area, in centimetres, and the two point sizes.
namespace PageSetup
{
constexpr double LeftCm = 1.0;
constexpr double TopCm = 3.0;
constexpr double HeadingPoints = 20.0;
constexpr double BodyPoints = 12.0;
} // namespace PageSetup
