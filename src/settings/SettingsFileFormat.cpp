#include "settings/SettingsFileFormat.h"

#include "platform/Files.h"

#include <QFileInfo>

namespace
{
bool isLineEnd(QChar c)
{
    return c == QLatin1Char('\r') || c == QLatin1Char('\n');
}

bool isDelimiter(QChar c)
{
    return c == QLatin1Char(',') || isLineEnd(c);
}

bool isBlank(QChar c)
{
    return c == QLatin1Char(' ') || c == QLatin1Char('\t');
}

// An unquoted field as a value: empty, Boolean, number or text.
LooseValue unquotedValue(const QString& field)
{
    if (field.isEmpty()) {
        return LooseValue::empty();
    }
    if (field.compare(QLatin1String("#TRUE#"), Qt::CaseInsensitive) == 0) {
        return LooseValue::fromBool(true);
    }
    if (field.compare(QLatin1String("#FALSE#"), Qt::CaseInsensitive) == 0) {
        return LooseValue::fromBool(false);
    }
    double number = 0.0;
    if (LooseValue::readsAsNumber(field, &number)) {
        return LooseValue::fromNumber(number);
    }
    return LooseValue::fromText(field);
}
} // namespace

namespace SettingsFileFormat
{
QList<LooseValue> splitValues(const QByteArray& bytes)
{
    // A Ctrl-Z, the old end-of-file mark some editors leave, ends the file.
    const qsizetype endMark = bytes.indexOf('\x1A');
    const QString s = Files::decodeCp1252(endMark < 0 ? bytes : bytes.left(endMark));
    const qsizetype n = s.size();
    QList<LooseValue> values;
    qsizetype i = 0;
    while (i < n) {
        while (i < n && isBlank(s.at(i))) {
            ++i;
        }
        if (i < n && s.at(i) == QLatin1Char('"')) {
            const qsizetype close = s.indexOf(QLatin1Char('"'), i + 1);
            if (close < 0) {
                values.append(LooseValue::fromText(s.mid(i + 1)));
                i = n;
            } else {
                values.append(LooseValue::fromText(s.mid(i + 1, close - i - 1)));
                i = close + 1;
            }
            // Whatever follows the closing quote up to the delimiter is dropped.
            while (i < n && !isDelimiter(s.at(i))) {
                ++i;
            }
        } else {
            qsizetype end = i;
            while (end < n && !isDelimiter(s.at(end))) {
                ++end;
            }
            qsizetype last = end;
            while (last > i && isBlank(s.at(last - 1))) {
                --last;
            }
            values.append(unquotedValue(s.mid(i, last - i)));
            i = end;
        }
        if (i >= n) {
            break;
        }
        if (s.at(i) == QLatin1Char(',')) {
            ++i;
            if (i == n) {
                values.append(LooseValue::empty()); // a comma at the end of the file
            }
            continue;
        }
        // A line end: CR LF, a lone CR or a lone LF.
        if (s.at(i) == QLatin1Char('\r') && i + 1 < n && s.at(i + 1) == QLatin1Char('\n')) {
            i += 2;
        } else {
            ++i;
        }
    }
    return values;
}

RecordPasses readRecords(const QList<LooseValue>& values, int recordCount)
{
    RecordPasses result;
    if (recordCount <= 0) {
        return result;
    }
    QList<LooseValue> places(recordCount);
    qsizetype next = 0;
    while (next < values.size()) {
        for (int place = 0; place < recordCount; ++place) {
            if (next >= values.size()) {
                result.formatError = true;
                break;
            }
            places[place] = values.at(next++);
        }
        result.passes.append(places);
        if (result.formatError) {
            break;
        }
    }
    return result;
}

QByteArray formatValue(const LooseValue& value)
{
    switch (value.kind()) {
    case LooseValue::Kind::Empty:
        return QByteArray();
    case LooseValue::Kind::Text:
        return '"' + Files::encodeCp1252(value.text()) + '"';
    case LooseValue::Kind::Number:
        return value.toText().toLatin1();
    case LooseValue::Kind::Boolean:
        return value.boolean() ? QByteArrayLiteral("#TRUE#") : QByteArrayLiteral("#FALSE#");
    }
    return QByteArray();
}

QByteArray formatRecordLine(const QList<LooseValue>& values)
{
    QByteArray line;
    for (qsizetype i = 0; i < values.size(); ++i) {
        if (i > 0) {
            line += ',';
        }
        line += formatValue(values.at(i));
    }
    line += "\r\n";
    return line;
}

RecordFile readRecordFile(const QString& path, int recordCount)
{
    RecordFile file;
    if (!QFileInfo(path).isFile()) {
        return file;
    }
    const Result<QByteArray> bytes = Files::readAll(path);
    if (!bytes) {
        return file;
    }
    file.opened = true;
    file.records = readRecords(splitValues(*bytes), recordCount);
    return file;
}

Status writeRecordFile(const QString& path, const QList<LooseValue>& values)
{
    const Status written = Files::replaceFile(path, formatRecordLine(values));
    if (!written) {
        return Status::failure(QStringLiteral("Le fichier %1 n'a pas pu être enregistré.\n%2")
                                   .arg(Files::displayPath(path), written.error()));
    }
    return written;
}
} // namespace SettingsFileFormat
