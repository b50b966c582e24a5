#pragma once

#include <QList>
#include <QString>
#include <QStringView>

#include <array>

// A search pattern with the meaning the appointment book's searches always
// had: "*" any run of characters (none included), "?" any one character,
// "#" one digit, "[abc]" one of a set, "[a-z]" one of a range (accented
// letters by their plain letter: "é" is in "[a-z]"), "[!abc]" one
// character outside a set; everything else stands for itself, and an "[" that
// is never closed is a plain "[". Letters match without regard to case,
// accented ones too ("lefèvre" matches "LEFÈVRE"). A pattern matches a text
// as a whole, line breaks included.
class LikePattern
{
public:
    explicit LikePattern(const QString& pattern);

    // The pattern that finds `text` anywhere: "*" + text + "*".
    static LikePattern containing(const QString& text);

    bool matches(QStringView text) const;

private:
    // One character of a set ("[abc]": case-folded) or a range ("[a-z]":
    // its ends case-folded and without accents, so that "é" is in it as
    // "e" is).
    struct Member
    {
        char32_t low = 0;
        char32_t high = 0; // inclusive
        bool range = false;
    };

    struct Atom
    {
        enum class Kind { Char, Any, Digit, Set };
        Kind kind = Kind::Char;
        char32_t folded = 0; // Char: the character, case-folded
        bool negated = false; // Set
        QList<Member> members; // Set
    };

    // The atoms between two stars; a segment always spans as many characters
    // as it has atoms.
    struct Segment
    {
        QList<Atom> atoms;
        // Leading plain characters (case-folded), looked for first: with a
        // Horspool scan when long, character by character when short.
        QString literalPrefix;
        std::array<quint16, 256> skip{};
    };

    static Segment makeSegment(QList<Atom> atoms);
    // Where the segment's atoms match from `from`: the end, or -1.
    static qsizetype matchAt(const Segment& segment, QStringView text, qsizetype from, qsizetype firstAtom = 0);
    // Where the segment's literal prefix next starts at or after `from`, or -1.
    static qsizetype findPrefix(const Segment& segment, QStringView text, qsizetype from);
    // The first match at or after `from`: its end, or -1.
    static qsizetype findFrom(const Segment& segment, QStringView text, qsizetype from);

    QList<Segment> m_segments; // one more than there are stars
};
