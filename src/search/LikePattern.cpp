#include "search/LikePattern.h"

#include <QChar>

#include <algorithm>
#include <vector>

namespace
{
// The case fold of every UTF-16 unit, computed once: a search reads
// megabytes of text, and a table look-up is the cheapest fold there is.
const char16_t* unitFolds()
{
    static const std::vector<char16_t> table = [] {
        std::vector<char16_t> folds(0x10000);
        for (char32_t unit = 0; unit < 0x10000; ++unit) {
            const char32_t folded = QChar::isSurrogate(unit) ? unit : QChar::toCaseFolded(unit);
            folds[unit] = static_cast<char16_t>(folded <= 0xFFFF ? folded : unit);
        }
        return folds;
    }();
    return table.data();
}

// Below this length a literal prefix is looked for character by character.
constexpr qsizetype ShortPrefix = 8;

char32_t fold(char32_t c)
{
    return c <= 0xFFFF ? unitFolds()[c] : QChar::toCaseFolded(c);
}

// The case fold of every UTF-16 unit without its accents ("É" and "é" give
// "e"), computed at the first range that needs it.
const char16_t* unitBases()
{
    static const std::vector<char16_t> table = [] {
        std::vector<char16_t> bases(0x10000);
        for (char32_t unit = 0; unit < 0x10000; ++unit) {
            char32_t c = fold(unit);
            while (QChar::decompositionTag(c) == QChar::Canonical) {
                const QString parts = QChar::decomposition(c);
                if (parts.isEmpty() || parts.at(0).isSurrogate()) {
                    break;
                }
                c = parts.at(0).unicode();
            }
            bases[unit] = static_cast<char16_t>(fold(c));
        }
        return bases;
    }();
    return table.data();
}

// What a range compares: the letter folded and without its accents.
char32_t base(char32_t c)
{
    return c <= 0xFFFF ? unitBases()[c] : fold(c);
}

struct CodePoint
{
    char32_t value = 0;
    qsizetype units = 1;
};

// The character at `at`: a surrogate pair counts as one.
CodePoint codePointAt(QStringView text, qsizetype at)
{
    const QChar c = text[at];
    if (c.isHighSurrogate() && at + 1 < text.size() && text[at + 1].isLowSurrogate()) {
        return {QChar::surrogateToUcs4(c, text[at + 1]), 2};
    }
    return {c.unicode(), 1};
}

// The start of the character that ends at `end`.
qsizetype previousBoundary(QStringView text, qsizetype end)
{
    if (end >= 2 && text[end - 1].isLowSurrogate() && text[end - 2].isHighSurrogate()) {
        return end - 2;
    }
    return end - 1;
}
} // namespace

LikePattern::LikePattern(const QString& pattern)
{
    const QList<uint> chars = pattern.toUcs4();
    const qsizetype n = chars.size();
    QList<Atom> current;
    qsizetype i = 0;
    while (i < n) {
        const char32_t c = chars.at(i);
        Atom atom;
        if (c == U'*') {
            m_segments.append(makeSegment(std::move(current)));
            current = {};
            ++i;
            continue;
        }
        if (c == U'?') {
            atom.kind = Atom::Kind::Any;
        } else if (c == U'#') {
            atom.kind = Atom::Kind::Digit;
        } else if (c == U'[') {
            qsizetype first = i + 1;
            const bool negated = first < n && chars.at(first) == U'!';
            if (negated) {
                ++first;
            }
            qsizetype close = first;
            while (close < n && chars.at(close) != U']') {
                ++close;
            }
            if (close < n) {
                i = close + 1;
                if (first == close) {
                    // "[]" stands for nothing; "[!]" for any one character.
                    if (negated) {
                        atom.kind = Atom::Kind::Any;
                        current.append(atom);
                    }
                    continue;
                }
                atom.kind = Atom::Kind::Set;
                atom.negated = negated;
                for (qsizetype k = first; k < close;) {
                    const char32_t low = chars.at(k);
                    if (k + 2 < close && chars.at(k + 1) == U'-') {
                        atom.members.append({base(low), base(chars.at(k + 2)), true});
                        k += 3;
                    } else {
                        atom.members.append({fold(low), fold(low), false});
                        ++k;
                    }
                }
                current.append(atom);
                continue;
            }
            // Never closed: a plain "[".
            atom.folded = U'[';
        } else {
            atom.folded = fold(c);
        }
        current.append(atom);
        ++i;
    }
    m_segments.append(makeSegment(std::move(current)));
}

LikePattern LikePattern::containing(const QString& text)
{
    return LikePattern(QLatin1Char('*') + text + QLatin1Char('*'));
}

LikePattern::Segment LikePattern::makeSegment(QList<Atom> atoms)
{
    Segment segment;
    segment.atoms = std::move(atoms);
    // Characters outside the first plane are left to the atoms.
    for (const Atom& atom : segment.atoms) {
        if (atom.kind != Atom::Kind::Char || atom.folded > 0xFFFF) {
            break;
        }
        segment.literalPrefix.append(QChar(static_cast<char16_t>(atom.folded)));
    }
    const qsizetype length = segment.literalPrefix.size();
    const quint16 longest = static_cast<quint16>(std::min<qsizetype>(length, 0xFFFF));
    segment.skip.fill(longest);
    for (qsizetype i = 0; i + 1 < length; ++i) {
        segment.skip[segment.literalPrefix.at(i).unicode() & 0xFF] = static_cast<quint16>(length - 1 - i);
    }
    return segment;
}

qsizetype LikePattern::matchAt(const Segment& segment, QStringView text, qsizetype from, qsizetype firstAtom)
{
    qsizetype at = from;
    for (qsizetype a = firstAtom; a < segment.atoms.size(); ++a) {
        if (at >= text.size()) {
            return -1;
        }
        const Atom& atom = segment.atoms.at(a);
        const CodePoint c = codePointAt(text, at);
        switch (atom.kind) {
        case Atom::Kind::Char:
            if (fold(c.value) != atom.folded) {
                return -1;
            }
            break;
        case Atom::Kind::Any:
            break;
        case Atom::Kind::Digit:
            if (c.value < U'0' || c.value > U'9') {
                return -1;
            }
            break;
        case Atom::Kind::Set: {
            const char32_t folded = fold(c.value);
            bool inSet = false;
            for (const Member& member : atom.members) {
                const char32_t compared = member.range ? base(c.value) : folded;
                if (compared >= member.low && compared <= member.high) {
                    inSet = true;
                    break;
                }
            }
            if (inSet == atom.negated) {
                return -1;
            }
            break;
        }
        }
        at += c.units;
    }
    return at;
}

qsizetype LikePattern::findPrefix(const Segment& segment, QStringView text, qsizetype from)
{
    const char16_t* folds = unitFolds();
    const char16_t* needle = reinterpret_cast<const char16_t*>(segment.literalPrefix.constData());
    const qsizetype length = segment.literalPrefix.size();
    const char16_t* units = text.utf16();
    if (length < ShortPrefix) {
        // A short prefix skips too little for the Horspool scan to pay: each of
        // its steps waits for the one before, while this scan's steps do not.
        const char16_t firstOfNeedle = needle[0];
        for (qsizetype at = from; at + length <= text.size(); ++at) {
            if (folds[units[at]] == firstOfNeedle) {
                qsizetype i = 1;
                while (i < length && folds[units[at + i]] == needle[i]) {
                    ++i;
                }
                if (i == length) {
                    return at;
                }
            }
        }
        return -1;
    }
    const char16_t lastOfNeedle = needle[length - 1];
    for (qsizetype at = from; at + length <= text.size();) {
        const char16_t last = folds[units[at + length - 1]];
        if (last == lastOfNeedle) {
            qsizetype i = 0;
            while (i + 1 < length && folds[units[at + i]] == needle[i]) {
                ++i;
            }
            if (i + 1 >= length) {
                return at;
            }
        }
        at += segment.skip[last & 0xFF];
    }
    return -1;
}

qsizetype LikePattern::findFrom(const Segment& segment, QStringView text, qsizetype from)
{
    if (segment.atoms.isEmpty()) {
        return from;
    }
    const qsizetype prefix = segment.literalPrefix.size();
    if (prefix > 0) {
        // The prefix holds one unit per atom.
        qsizetype at = from;
        while ((at = findPrefix(segment, text, at)) >= 0) {
            const qsizetype end = matchAt(segment, text, at + prefix, prefix);
            if (end >= 0) {
                return end;
            }
            ++at;
        }
        return -1;
    }
    for (qsizetype at = from; at < text.size(); at += codePointAt(text, at).units) {
        const qsizetype end = matchAt(segment, text, at);
        if (end >= 0) {
            return end;
        }
    }
    return -1;
}

bool LikePattern::matches(QStringView text) const
{
    const qsizetype count = m_segments.size();
    const Segment& first = m_segments.constFirst();
    if (count == 1) {
        return matchAt(first, text, 0) == text.size();
    }
    // Between stars, the leftmost match of each segment leaves the most room
    // to the ones after it: no going back is needed.
    qsizetype at = matchAt(first, text, 0);
    if (at < 0) {
        return false;
    }
    for (qsizetype s = 1; s + 1 < count; ++s) {
        at = findFrom(m_segments.at(s), text, at);
        if (at < 0) {
            return false;
        }
    }
    // The last segment ends the text: it starts as many characters before
    // the end as it has atoms.
    const Segment& last = m_segments.constLast();
    qsizetype start = text.size();
    for (qsizetype a = 0; a < last.atoms.size(); ++a) {
        if (start <= at) {
            return false;
        }
        start = previousBoundary(text, start);
    }
    return start >= at && matchAt(last, text, start) == text.size();
}
