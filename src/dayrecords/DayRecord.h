#pragma once

#include <QString>
#include <QStringList>

#include <array>
#include <optional>

// One user's day in the appointment database: a row of table RVOUS1..RVOUS6.
namespace DayGridShape
{
// A run of rows, both ends included.
struct RowRange
{
    int first;
    int last;

    constexpr bool contains(int row) const { return row >= first && row <= last; }
    constexpr int size() const { return last - first + 1; }
};

constexpr int SlotCount = 53; // rows 0..52
constexpr RowRange MorningBlock{0, 23};
constexpr RowRange AfternoonBlock{24, 52};
constexpr int MorningRows = MorningBlock.size();
// The rows whose text boxes have a light grey background: 08h00-08h45,
// 12h00-13h45 and 19h00-21h00 in the quarter-hour raster. The shading belongs
// to the row, whatever the slot length.
constexpr std::array<RowRange, 3> ShadedRows{{{0, 3}, {16, 23}, {44, 52}}};
} // namespace DayGridShape

// The four boxes beside the rows whose visibility is a flag of the record.
enum class SideBox { Absent1 = 0, Absent2 = 1, Echo1 = 2, Echo2 = 3 };
constexpr std::array<SideBox, 4> AllSideBoxes = {SideBox::Absent1, SideBox::Absent2, SideBox::Echo1,
                                                 SideBox::Echo2};

// A flag and its text. As stored, a flag may be missing (NULL) and its text
// may be missing; as written, the text goes out only with a True flag.
struct DayFlag
{
    std::optional<bool> on;      // nullopt: no value stored
    std::optional<QString> text; // nullopt: no value stored / not written

    bool isSet() const { return on.value_or(false); }
    bool operator==(const DayFlag&) const = default;
};

struct DayRecord
{
    qint32 agendate = 0;
    QString rvous;  // SlotTextList
    QString postit;
    QString bloc;
    std::array<DayFlag, 4> flags; // indexed by SideBox
    QString coche;  // SlotTickList

    DayFlag& flag(SideBox box) { return flags[static_cast<std::size_t>(box)]; }
    const DayFlag& flag(SideBox box) const { return flags[static_cast<std::size_t>(box)]; }
    bool operator==(const DayRecord&) const = default;
};

// Field names, exact (capitals except Postit and Bloc).
namespace DayFields
{
inline const QString Agendate = QStringLiteral("AGENDATE");
inline const QString Rvous = QStringLiteral("RVOUS");
inline const QString Postit = QStringLiteral("Postit");
inline const QString Bloc = QStringLiteral("Bloc");
inline const QString Coche = QStringLiteral("COCHE");
QString flagField(SideBox box);     // ABSENT1, ABSENT2, ECHO1, ECHO2
QString flagTextField(SideBox box); // ABSENT1_TXT ...
// The 13 fields of a day record, in the table's order.
QStringList all();
} // namespace DayFields

// SlotTextList: the 53 slot texts joined by CR LF (52 separators, no quoting).
namespace SlotTextList
{
// A slot text is one line: every line break (CR LF, CR or LF) becomes a blank.
QString oneLine(const QString& text);
// Parts 0..52 of `slotTexts`, each made one line (a break kept in a part would
// move every later row down when the day is read back); missing parts empty.
QString encode(const QStringList& slotTexts);
// The parts of a stored value, split at every CR LF, as many as there are
// (an empty text has none). Readers use parts 0..52.
QStringList split(const QString& stored);
// Exactly 53 texts: missing parts are empty, parts after the 53rd dropped.
QStringList decode(const QString& stored);
} // namespace SlotTextList

// SlotTickList: the 53 tick values as decimal digits joined by CR LF.
namespace SlotTickList
{
QString encode(const std::array<int, DayGridShape::SlotCount>& ticks);
// Exactly 53 values: a missing part or one that is not 0, 1 or 2 reads 0.
std::array<int, DayGridShape::SlotCount> decode(const QString& stored);
} // namespace SlotTickList

// The post-it and the programme keep their line breaks as CR LF, as the
// practice's stored days always had them.
namespace NoteText
{
// Any CR LF, lone CR or lone LF becomes CR LF.
QString storedForm(const QString& text);
// Line breaks as a text box shows them (LF).
QString shownForm(const QString& text);
} // namespace NoteText

// The texts through which the program names a day and a user's table.
namespace DayQuery
{
// "AGENDATE=39148"
QString criterion(qint32 serial);
// "RVOUS4"; empty for a user outside 1..6.
QString tableName(int user);
// "SELECT*FROM RVOUS4 ORDER BY AGENDATE"; empty for a user outside 1..6.
QString tableQuery(int user);
bool isValidUser(int user);
} // namespace DayQuery
