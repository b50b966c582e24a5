#pragma once

#include <QString>

// One value as a settings file gives it back: nothing, a text, a number or a
// Boolean. The comparisons follow the file's reading rules: an empty value is
// the empty text, the number 0 and false at once; true equals -1, false 0.
class LooseValue
{
public:
    enum class Kind { Empty, Text, Number, Boolean };

    LooseValue() = default; // empty

    static LooseValue empty() { return LooseValue(); }
    static LooseValue fromText(const QString& text);
    static LooseValue fromNumber(double number);
    static LooseValue fromInt(qint64 number) { return fromNumber(static_cast<double>(number)); }
    static LooseValue fromBool(bool value);

    Kind kind() const { return m_kind; }
    bool isEmpty() const { return m_kind == Kind::Empty; }
    bool isText() const { return m_kind == Kind::Text; }
    bool isNumber() const { return m_kind == Kind::Number; }
    bool isBoolean() const { return m_kind == Kind::Boolean; }

    // The value as text: "" when empty, the number in plain decimal,
    // "True"/"False" for a Boolean.
    QString toText() const;
    // The value as a whole number (a fraction rounds to the nearest, halves to
    // even). Fails for a text that is no number and for a value out of range.
    // An empty value gives 0, true -1, false 0.
    qint32 toInt32(bool* ok = nullptr) const;
    qint16 toInt16(bool* ok = nullptr) const;

    // True for the Boolean true and for the number -1.
    bool equalsTrue() const;
    // Equality with a number: an empty value equals 0, true -1, false 0; a
    // text never equals a number.
    bool equalsNumber(int number) const;

    // The raw parts (for the writer and for tests).
    const QString& text() const { return m_text; }
    double number() const { return m_number; }
    bool boolean() const { return m_bool; }

    bool operator==(const LooseValue& other) const;

    // Whether `text` reads as a number (an optional sign, digits with an
    // optional decimal point, an optional exponent; spaces around allowed).
    static bool readsAsNumber(const QString& text, double* number = nullptr);

private:
    Kind m_kind = Kind::Empty;
    QString m_text;
    double m_number = 0.0;
    bool m_bool = false;
};
