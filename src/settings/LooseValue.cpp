#include "settings/LooseValue.h"

#include <QRegularExpression>

#include <cmath>
#include <limits>

namespace
{
// A whole number within [low, high] from a value, rounding halves to even.
bool wholeInRange(double number, double low, double high, qint64* out)
{
    if (!std::isfinite(number)) {
        return false;
    }
    const double rounded = std::nearbyint(number);
    if (rounded < low || rounded > high) {
        return false;
    }
    *out = static_cast<qint64>(rounded);
    return true;
}
} // namespace

LooseValue LooseValue::fromText(const QString& text)
{
    LooseValue v;
    v.m_kind = Kind::Text;
    v.m_text = text;
    return v;
}

LooseValue LooseValue::fromNumber(double number)
{
    LooseValue v;
    v.m_kind = Kind::Number;
    v.m_number = number;
    return v;
}

LooseValue LooseValue::fromBool(bool value)
{
    LooseValue v;
    v.m_kind = Kind::Boolean;
    v.m_bool = value;
    return v;
}

bool LooseValue::readsAsNumber(const QString& text, double* number)
{
    static const QRegularExpression pattern(
        QStringLiteral("^\\s*([+-]?(?:\\d+\\.?\\d*|\\.\\d+)(?:[eE][+-]?\\d+)?)\\s*$"));
    const QRegularExpressionMatch match = pattern.match(text);
    if (!match.hasMatch()) {
        return false;
    }
    bool ok = false;
    const double value = match.captured(1).toDouble(&ok);
    if (!ok || !std::isfinite(value)) {
        return false;
    }
    if (number) {
        *number = value;
    }
    return true;
}

QString LooseValue::toText() const
{
    switch (m_kind) {
    case Kind::Empty:
        return QString();
    case Kind::Text:
        return m_text;
    case Kind::Boolean:
        return m_bool ? QStringLiteral("True") : QStringLiteral("False");
    case Kind::Number: {
        qint64 whole = 0;
        if (m_number == std::trunc(m_number)
            && wholeInRange(m_number, -9.0e15, 9.0e15, &whole)) {
            return QString::number(whole);
        }
        return QString::number(m_number, 'g', 15);
    }
    }
    return QString();
}

qint32 LooseValue::toInt32(bool* ok) const
{
    double number = 0.0;
    bool converted = true;
    switch (m_kind) {
    case Kind::Empty:
        number = 0.0;
        break;
    case Kind::Boolean:
        number = m_bool ? -1.0 : 0.0;
        break;
    case Kind::Number:
        number = m_number;
        break;
    case Kind::Text:
        converted = readsAsNumber(m_text, &number);
        break;
    }
    qint64 whole = 0;
    if (converted) {
        converted = wholeInRange(number, std::numeric_limits<qint32>::min(),
                                 std::numeric_limits<qint32>::max(), &whole);
    }
    if (ok) {
        *ok = converted;
    }
    return converted ? static_cast<qint32>(whole) : 0;
}

qint16 LooseValue::toInt16(bool* ok) const
{
    bool converted = false;
    const qint32 wide = toInt32(&converted);
    converted = converted && wide >= std::numeric_limits<qint16>::min()
                && wide <= std::numeric_limits<qint16>::max();
    if (ok) {
        *ok = converted;
    }
    return converted ? static_cast<qint16>(wide) : 0;
}

bool LooseValue::equalsTrue() const
{
    return (m_kind == Kind::Boolean && m_bool) || (m_kind == Kind::Number && m_number == -1.0);
}

bool LooseValue::equalsNumber(int number) const
{
    switch (m_kind) {
    case Kind::Empty:
        return number == 0;
    case Kind::Boolean:
        return number == (m_bool ? -1 : 0);
    case Kind::Number:
        return m_number == static_cast<double>(number);
    case Kind::Text:
        return false;
    }
    return false;
}

bool LooseValue::operator==(const LooseValue& other) const
{
    if (m_kind != other.m_kind) {
        return false;
    }
    switch (m_kind) {
    case Kind::Empty:
        return true;
    case Kind::Text:
        return m_text == other.m_text;
    case Kind::Number:
        return m_number == other.m_number;
    case Kind::Boolean:
        return m_bool == other.m_bool;
    }
    return false;
}
