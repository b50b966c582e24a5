#pragma once

#include "platform/Result.h"
#include "settings/LooseValue.h"

#include <QByteArray>
#include <QList>
#include <QString>

// The comma-separated text form shared by Utilisat.vlk and Alpha.vlk:
// Windows-1252 bytes, values separated by commas, texts between double quotes
// (nothing escaped), whole numbers in plain decimal, #TRUE# and #FALSE#, each
// record one line ended by CR LF.
namespace SettingsFileFormat
{
// Splits file bytes into values, up to the first Ctrl-Z (0x1A) if there is
// one: at commas and at line ends (CR LF, CR or LF);
// spaces before a value are skipped; a value beginning with a double quote is
// the text up to the next double quote (whatever follows it up to the next
// comma or line end is dropped); #TRUE#/#FALSE# are Booleans; a value that
// reads as a number is a number, anything else is text. An empty field (two
// commas in a row, a comma at a line end) and a blank line each give one
// empty value.
QList<LooseValue> splitValues(const QByteArray& bytes);

// The outcome of reading the values record by record.
struct RecordPasses
{
    // The places after each pass, in file order. The last one is the result:
    // of several whole records the last wins.
    QList<QList<LooseValue>> passes;
    // The values ran out before the last place of a record was filled. The
    // places filled in that pass hold their new values, the others keep those
    // of the previous pass (empty in the first).
    bool formatError = false;
};

// Reads `values` `recordCount` at a time. No values (an empty file): no pass.
RecordPasses readRecords(const QList<LooseValue>& values, int recordCount);

// A settings file as read: whether it opened, and its record passes.
struct RecordFile
{
    // False when the file is missing or cannot be opened: then nothing was
    // read and no message is due.
    bool opened = false;
    RecordPasses records;
};

// Reads the file at `path` `recordCount` values at a time.
RecordFile readRecordFile(const QString& path, int recordCount);

// A settings file read into `Settings` (which gives its ValueCount and
// fromValues).
template <typename Settings>
struct SettingsRead
{
    // False when the file is missing or cannot be opened: then nothing was
    // read and no message is due.
    bool opened = false;
    // Too few or too many values, or a blank line after the record: the
    // values are applied as read and the reader shows its message.
    bool formatError = false;
    // The values after each record pass, in file order. Empty when the file
    // was missing or empty: then nothing is to be applied.
    QList<Settings> passes;
    // The values after the last pass (all empty when there was none).
    Settings values;

    bool anyValues() const { return !passes.isEmpty(); }
};

template <typename Settings>
SettingsRead<Settings> readSettingsFile(const QString& path)
{
    const RecordFile file = readRecordFile(path, Settings::ValueCount);
    SettingsRead<Settings> read;
    read.opened = file.opened;
    read.formatError = file.records.formatError;
    for (const QList<LooseValue>& pass : file.records.passes) {
        read.passes.append(Settings::fromValues(pass));
    }
    if (!read.passes.isEmpty()) {
        read.values = read.passes.constLast();
    }
    return read;
}

// One value as written: a text between double quotes (Windows-1252, nothing
// escaped), a number in plain decimal, #TRUE#/#FALSE#, nothing for an empty
// value.
QByteArray formatValue(const LooseValue& value);
// One record line: the values separated by commas, ended by CR LF.
QByteArray formatRecordLine(const QList<LooseValue>& values);
// Replaces the file at `path` whole with one record line: atomically where
// the folder allows, else in place (Files::replaceFile). The
// failure names the file.
Status writeRecordFile(const QString& path, const QList<LooseValue>& values);
} // namespace SettingsFileFormat
