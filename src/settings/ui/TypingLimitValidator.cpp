#include "settings/ui/TypingLimitValidator.h"

#include "platform/Files.h"

#include <QLineEdit>

#include <algorithm>

TypingLimitValidator::TypingLimitValidator(QLineEdit* edit, int limit)
    : QValidator(edit), m_edit(edit), m_limit(limit), m_allowedLength(limit)
{
    programSet(edit->text());
}

void TypingLimitValidator::programSet(const QString& text) const
{
    m_allowedLength = m_limit < 0 ? -1 : std::max(m_limit, static_cast<int>(text.size()));
    m_allowedQuotes = text.count(QLatin1Char('"'));
}

QValidator::State TypingLimitValidator::validate(QString& input, int& /*pos*/) const
{
    // A text set by the program (setText) leaves the edit unmodified: it is
    // taken whole and becomes the allowance, so a longer value is never cut.
    if (!m_edit->isModified()) {
        programSet(input);
        return Acceptable;
    }
    if (input.count(QLatin1Char('"')) > m_allowedQuotes || !Files::fitsCp1252(input)) {
        return Invalid;
    }
    if (m_allowedLength >= 0 && input.size() > m_allowedLength) {
        return Invalid;
    }
    return Acceptable;
}

void limitTyping(QLineEdit* edit, int limit)
{
    edit->setValidator(new TypingLimitValidator(edit, limit));
}
