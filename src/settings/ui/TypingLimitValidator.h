#pragma once

#include <QValidator>

class QLineEdit;

// Limits what the user types into a line edit without cutting what the
// program puts there: typing cannot make the text longer than `limit`
// characters (or than the text last set by the program, when that was
// longer), and no double quote nor any character outside Windows-1252 can be
// typed or pasted (the settings files cannot hold them). A negative limit
// means no length limit.
class TypingLimitValidator : public QValidator
{
public:
    TypingLimitValidator(QLineEdit* edit, int limit);

    State validate(QString& input, int& pos) const override;

    int limit() const { return m_limit; }

private:
    void programSet(const QString& text) const;

    QLineEdit* m_edit;
    int m_limit;
    // What the text last set by the program allows.
    mutable int m_allowedLength;
    mutable qsizetype m_allowedQuotes = 0;
};

// Puts a validator on `edit`.
void limitTyping(QLineEdit* edit, int limit);
